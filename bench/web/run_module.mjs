// The page's module as a batch, like `quorbit1-cli --json`: one JSON object per line of the
// standard input, on one evaluator, and on standard error the time per line: in the first pass
// over the texts, and the median of the passes after it.
// Usage: node run_module.mjs MODULE [--radians] [--repeat N] < texts
import { readFileSync } from 'node:fs';
import { createRequire } from 'node:module';
import { resolve } from 'node:path';

const args = process.argv.slice(2);
const createQuorbit1 = createRequire(import.meta.url)(resolve(args[0]));
const angleMode = args.includes('--radians') ? 1 : 0;
const repeatAt = args.indexOf('--repeat');
const repeat = repeatAt >= 0 ? Number(args[repeatAt + 1]) : 1;
const q1 = await createQuorbit1();
const decoder = new TextDecoder();
const input = readFileSync(0);
const lines = [];
for (let start = 0; start < input.length;) {
  let end = input.indexOf(10, start);
  if (end < 0) end = input.length;
  lines.push(input.subarray(start, end));
  start = end + 1;
}
const ptr = q1._malloc(Math.max(...lines.map((l) => l.length)) + 1);
const out = [];
// The first pass runs partly in the browser engine's baseline compiler; the later ones show
// the optimised code a page reaches after a few hundred commands.
const passes = [];
for (let r = 0; r < repeat; ++r) {
  const began = process.hrtime.bigint();
  for (const line of lines) {
    q1.HEAPU8.set(line, ptr);
    q1.HEAPU8[ptr + line.length] = 0;
    const at = q1._quorbit1_ok(ptr, angleMode);
    const json = decoder.decode(q1.HEAPU8.subarray(at, at + q1._quorbit1_ok_length()));
    if (r === 0) out.push(json);
  }
  passes.push(Number(process.hrtime.bigint() - began) / lines.length);
}
process.stdout.write(out.join(''));
const later = passes.slice(1).sort((a, b) => a - b);
const median = later.length ? later[Math.floor(later.length / 2)] : passes[0];
process.stderr.write(`${passes[0].toFixed(0)} ns per line in the first pass, ${median.toFixed(0)} in the later ones (median)\n`);
