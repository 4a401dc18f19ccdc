// The page's WebAssembly module against the tables of tests/data, under node's test runner:
// the OK command's answer text, message, marked character and refusal (ok.tsv), the usual
// reading (usual.tsv) and what the history keeps (history.tsv's storable rows), as the native
// suites check them. QUORBIT1_MODULE names the module, QUORBIT1_TEST_DATA the tables' folder.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { readFileSync } from 'node:fs';
import { createRequire } from 'node:module';

const require = createRequire(import.meta.url);
const createQuorbit1 = require(process.env.QUORBIT1_MODULE);
const dataDir = process.env.QUORBIT1_TEST_DATA;

// The tables' escapes: \t, \n, \r, \\ and \xHH stand for a tab, a newline, a carriage return,
// a backslash and any byte; the result is the bytes, as a Buffer.
function unescape(field) {
  const bytes = [];
  for (let i = 0; i < field.length; ++i) {
    if (field[i] !== '\\' || i + 1 >= field.length) {
      bytes.push(...Buffer.from(field[i], 'utf8'));
      continue;
    }
    const c = field[++i];
    if (c === 'x') {
      bytes.push(parseInt(field.substr(i + 1, 2), 16));
      i += 2;
    } else {
      bytes.push({ t: 9, n: 10, r: 13 }[c] ?? c.charCodeAt(0));
    }
  }
  return Buffer.from(bytes);
}

function rows(file) {
  return readFileSync(`${dataDir}/${file}`, 'utf8')
    .split('\n')
    .filter((line) => line !== '' && !line.startsWith('#'))
    .map((line) => line.split('\t'));
}

const module = await createQuorbit1();

// Calls a function of the module with the text as its bytes (not every table's text is UTF-8).
function withText(bytes, call) {
  const ptr = module._malloc(bytes.length + 1);
  module.HEAPU8.set(bytes, ptr);
  module.HEAPU8[ptr + bytes.length] = 0;
  try {
    return call(ptr);
  } finally {
    module._free(ptr);
  }
}

function ok(bytes, angleMode) {
  return JSON.parse(
    withText(bytes, (ptr) => {
      const at = module._quorbit1_ok(ptr, angleMode);
      const line = module.UTF8ToString(at);
      // The length given is the line's, up to its NUL.
      assert.equal(module._quorbit1_ok_length(), Buffer.byteLength(line));
      return line;
    }));
}

test('the OK command gives the table\'s answer, message and marked character', () => {
  for (const [name, text, unit, answer, message, mark, evaluated] of rows('ok.tsv')) {
    const bytes = unescape(text);
    // A text with a NUL cannot pass through a C string; the native suite covers those.
    if (bytes.includes(0)) continue;
    module._quorbit1_reset();
    const got = ok(bytes, unit === 'rad' ? 1 : 0);
    assert.equal(got.answer, answer, name);
    assert.equal(got.message, unescape(message).toString('utf8'), name);
    assert.equal(module._quorbit1_mark_position(), Number(mark), name);
    assert.equal(got.evaluated, evaluated === 'yes', name);
  }
});

test('one evaluator serves the whole run: a refused text shows the previous answer', () => {
  assert.equal(ok(Buffer.from('10 + cos(45)'), 0).answer, '10.7071067859062');
  const refused = ok(Buffer.from('x=2'), 0);
  assert.equal(refused.answer, '10.7071067859062');
  assert.equal(refused.evaluated, false);
  assert.deepEqual(JSON.parse(module.UTF8ToString(module._quorbit1_working())).stages, []);
  ok(Buffer.from('2*3+4'), 1);
  assert.match(module.UTF8ToString(module._quorbit1_working()), /after the scan/);
});

test('the working is the last command\'s, whatever changed after it', () => {
  module._quorbit1_set_slot(0, 2.5);
  assert.equal(ok(Buffer.from('x*4'), 0).answer, '10');
  module._quorbit1_set_slot(0, 7);
  const text = module.UTF8ToString(module._quorbit1_working());
  const working = JSON.parse(text);
  assert.deepEqual(working.stages.map((s) => [s.pass, s.title, s.args]), [
    [0, 'after the scan', []],
    [1, 'pass %1: started at term %2, swept terms %3 to %2', [1, 1, 0]],
  ]);
  assert.deepEqual(working.stages[0].terms.slice(0, 2).map((t) => [t.op, t.value, t.changed]),
    [['+', '2.5', false], ['*', '4', false]]);
  assert.deepEqual(working.stages[1].terms[0], {
    op: '+', value: '10', function: '', open: 0, close: 0, changed: true });
  assert.equal(working.passCount, 1);
  assert.equal(working.usual, undefined);
  assert.equal(module.UTF8ToString(module._quorbit1_working()), text);
  module._quorbit1_set_slot(0, 0);
});

test('the working says why the usual reading refuses, in the templates the translations know', () => {
  assert.equal(ok(Buffer.from('2*3#'), 0).evaluated, true);
  assert.deepEqual(JSON.parse(module.UTF8ToString(module._quorbit1_working())).usual,
    { words: 'unexpected \'%1\'', subject: '#', position: 4 });
  assert.equal(ok(Buffer.from('x=2'), 0).evaluated, false);
  const refused = JSON.parse(module.UTF8ToString(module._quorbit1_working()));
  assert.deepEqual(refused.stages, []);
  assert.deepEqual(refused.usual, { words: 'unexpected \'%1\'', subject: '=', position: 2 });
  // A long evaluation shows as much as the desktop's working window, and says how much more.
  ok(Buffer.from(`${'(1+'.repeat(100)}1${')'.repeat(100)}`), 0);
  const long = JSON.parse(module.UTF8ToString(module._quorbit1_working()));
  assert.equal(long.stages.length, 60);
  assert.equal(long.stages[0].terms.length, 60);
  assert.ok(long.stages[0].termCount > 60);
  assert.ok(long.passCount > 59);
});

test('the variable slots are the evaluator\'s', () => {
  assert.equal(module.UTF8ToString(module._quorbit1_slot_letters()), 'XYZT');
  module._quorbit1_set_slot(0, 2.5);
  module._quorbit1_set_slot(3, -1);
  assert.equal(module._quorbit1_slot(0), 2.5);
  assert.equal(ok(Buffer.from('x*2+t'), 0).answer, '2.5');  // x*(2+t): no precedence
  module._quorbit1_set_slot(0, 0);
  module._quorbit1_set_slot(3, 0);
});

test('the history keeps what the desktop keeps, up to its limit', () => {
  assert.equal(module._quorbit1_history_limit(), 1000);
  for (const [text, storable] of [['1+1', 1], ['', 0], ['x=2', 0], ['sin(30)', 1]]) {
    assert.equal(withText(Buffer.from(text), (p) => module._quorbit1_storable(p)), storable, text);
  }
});

// The same to 14 significant digits, as the native table test compares.
function same14(a, b) {
  return a === b || Math.abs(a - b) <= 1e-14 * Math.max(Math.abs(a), Math.abs(b));
}

test('the usual reading gives the table\'s value or reason', () => {
  [2, 3, 5, 7].forEach((v, i) => module._quorbit1_set_slot(i, v));
  for (const [name, text, unit, expected] of rows('usual.tsv')) {
    const usual = ok(Buffer.from(text), unit === 'rad' ? 1 : 0).usualReading;
    const value = Number(expected);
    if (expected !== '' && !Number.isNaN(value)) {
      assert.ok(same14(usual.value, value), `${name}: ${usual.value} ${usual.error}`);
    } else {
      assert.equal(usual.error, expected, name);
    }
  }
  [0, 1, 2, 3].forEach((i) => module._quorbit1_set_slot(i, 0));
});

test('the history read from storage and added to by the desktop\'s rules', () => {
  const add = (t) => withText(Buffer.from(t), (p) => module._quorbit1_history_add(p));
  const read = (t) => withText(Buffer.from(t), (p) => module._quorbit1_history_read(p));
  const text = () => module.UTF8ToString(module._quorbit1_history_text());
  assert.equal(read('1+1\n\u0001bad\nsin(30)\n'), 1);
  for (const t of ['sin(30)', '', 'x=2', '2*3']) add(t);
  assert.equal(text(), '1+1\nsin(30)\n2*3\n');
  assert.equal(module._quorbit1_history_size(), 3);
  // Up and Down from a draft, as the desktop's field walks them.
  const recall = (step, field) => withText(Buffer.from(field), (p) => {
    const shown = module._quorbit1_recall(step, p);
    return shown ? module.UTF8ToString(shown) : null;
  });
  assert.equal(recall(-1, 'draft'), '2*3');
  assert.equal(recall(-1, '2*3'), 'sin(30)');
  assert.equal(recall(+1, 'sin(30)'), '2*3');
  assert.equal(recall(+1, '2*3'), 'draft');
  assert.equal(recall(+1, 'draft'), null);
  read('');
  for (let i = 0; i < 1005; ++i) add(String(i));
  assert.equal(module._quorbit1_history_size(), 1000);
  assert.ok(text().startsWith('5\n6\n'));
});
