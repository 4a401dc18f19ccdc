// The calculator in JavaScript (the page's module through its wrapper) as a batch, like
// `quorbit1-cli --json`: one JSON object per line of the standard input, on one calculator, and on standard error the time per line: in the first pass
// over the texts, and the median of the passes after it.
// Usage: node run_module.mjs MODULE [--radians] [--repeat N] < texts
import { readFileSync } from 'node:fs';
import { resolve } from 'node:path';
import { pathToFileURL } from 'node:url';

const args = process.argv.slice(2);
const { default: factory } = await import(pathToFileURL(resolve(args[0])));
const { createCalculator } = await import('../../web/js/quorbit1.mjs');
const repeatAt = args.indexOf('--repeat');
const repeat = repeatAt >= 0 ? Number(args[repeatAt + 1]) : 1;
const calc = await createCalculator({ factory });
calc.setRadians(args.includes('--radians'));
// Lines as the page has them: text (bytes outside UTF-8 become U+FFFD, as a browser reads them).
const input = readFileSync(0, 'utf8');
const lines = input.split('\n');
if (input.endsWith('\n')) lines.pop();
const out = [];
// The first pass runs partly in the browser engine's baseline compiler; the later ones show
// the optimised code a page reaches after a few hundred commands.
const passes = [];
for (let r = 0; r < repeat; ++r) {
  const began = process.hrtime.bigint();
  for (const line of lines) {
    const json = calc.okLine(line);
    if (r === 0) out.push(json);
  }
  passes.push(Number(process.hrtime.bigint() - began) / lines.length);
}
process.stdout.write(out.join(''));
const later = passes.slice(1).sort((a, b) => a - b);
const median = later.length ? later[Math.floor(later.length / 2)] : passes[0];
process.stderr.write(`${passes[0].toFixed(0)} ns per line in the first pass, ${median.toFixed(0)} in the later ones (median)\n`);
