#!/usr/bin/env bash
# The npm package as a user has it: under 150 KB packed, with no dependencies, installed from
# the .tgz into an empty folder without the network, then imported by node (which may not
# fetch anything) and used: answers, a message, the reading, the slots and radians, and every
# member the hand-written types promise. Usage: npm_package_test.sh PACKAGE.tgz
set -euo pipefail
tgz=$(realpath "$1")
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

size=$(stat -c %s "$tgz")
echo "package: $(basename "$tgz"), $size bytes"
((size < 150 * 1024)) || { echo "FAIL: the package is 150 KB or more"; exit 1; }
tar -tzf "$tgz" | sort >"$scratch/files"
expected=(package/LICENSE package/README.md package/calculator.mjs package/index.d.ts
  package/index.mjs package/package.json package/quorbit1-module.mjs)
printf '%s\n' "${expected[@]}" | sort | diff - "$scratch/files" || { echo "FAIL: the package's files"; exit 1; }

cd "$scratch"
npm install --offline --no-audit --no-fund --silent "$tgz" >/dev/null
[[ $(ls node_modules) == quorbit1 ]] || { echo "FAIL: more than the package was installed"; exit 1; }
node --no-experimental-fetch --input-type=module - "$scratch/node_modules/quorbit1/index.d.ts" <<'JS'
import assert from 'node:assert/strict';
import { readFileSync } from 'node:fs';
import { createCalculator, browserStorage } from 'quorbit1';

const calc = await createCalculator();
const first = calc.ok('2*3+4');
assert.equal(first.answer, '14');
assert.equal(first.value, 14);
assert.equal(first.readAs, '2*(3+4)');
assert.deepEqual(first.flags, []);
assert.equal(calc.ok('ln(-1)').message, 'Ln negatives not allowed.');
assert.equal(calc.ok('').evaluated, false);
calc.setRadians(true);
assert.ok(calc.setSlot('X', 2));
assert.equal(calc.ok('x*asin(1)').value, Math.PI);
assert.equal(calc.setSlot('Q', 1), false);
assert.equal(typeof browserStorage, 'function');
// Two calculators are two: the second starts in degrees with its slots at 0.
const other = await createCalculator();
assert.equal(other.ok('x+asin(1)').answer, '90.0066295253476');

// Every member the types declare is there, and of the kind declared.
const types = readFileSync(process.argv[2], 'utf8');
const body = types.slice(types.indexOf('export interface Calculator {'));
const members = body.slice(0, body.indexOf('\n}')).split('\n')
  .map((line) => line.match(/^ {2}(readonly )?(\w+)(\(|:)/)).filter(Boolean);
assert.ok(members.length > 20);
for (const [, readonly, name, kind] of members) {
  assert.ok(name in calc, `${name} is declared but missing`);
  if (kind === '(') assert.equal(typeof calc[name], 'function', name);
  else assert.notEqual(typeof calc[name], 'function', name);
}
calc.free();
console.log('npm package: every check passed');
JS
