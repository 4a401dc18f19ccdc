// The page's module as a batch, like `quorbit1-cli --json`: one JSON object per line of the
// standard input, on one evaluator, and on standard error the time per line.
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
const began = process.hrtime.bigint();
for (let r = 0; r < repeat; ++r) {
  for (const line of lines) {
    q1.HEAPU8.set(line, ptr);
    q1.HEAPU8[ptr + line.length] = 0;
    const json = q1.UTF8ToString(q1._quorbit1_ok(ptr, angleMode));
    if (r === 0) out.push(json);
  }
}
const ns = Number(process.hrtime.bigint() - began) / (lines.length * repeat);
process.stdout.write(out.join(''));
process.stderr.write(`${ns.toFixed(0)} ns per line\n`);
