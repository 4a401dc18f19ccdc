// The calculator in JavaScript (the WebAssembly module through web/js/quorbit1.mjs, as the page
// and other programs use it) against the tables of tests/data, under node's test runner: the OK
// command's answer text, message, marked character and refusal (ok.tsv), the usual reading
// (usual.tsv), and the history kept in a storage that may refuse or fill up, as the native
// suites check them. QUORBIT1_MODULE names the module, QUORBIT1_TEST_DATA the tables' folder.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { readFileSync } from 'node:fs';
import { pathToFileURL } from 'node:url';

const { default: factory } = await import(pathToFileURL(process.env.QUORBIT1_MODULE));
const { createCalculator } = await import('../../web/js/quorbit1.mjs');
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

const fresh = () => createCalculator({ factory });
const calc = await fresh();
const decoder = new TextDecoder('utf-8', { fatal: true });

test('the OK command gives the table\'s answer, message and marked character', async () => {
  for (const [name, text, unit, answer, message, mark, evaluated] of rows('ok.tsv')) {
    let typed;
    try {
      typed = decoder.decode(unescape(text));  // NUL included; bytes outside UTF-8 are native's
    } catch {
      continue;
    }
    const c = await fresh();
    c.setRadians(unit === 'rad');
    const got = c.ok(typed);
    assert.equal(got.answer, answer, name);
    assert.equal(got.message, unescape(message).toString('utf8'), name);
    const byte = got.mark ? Buffer.byteLength(typed.slice(0, got.mark[0])) : -1;
    assert.equal(byte, Number(mark), name);
    assert.equal(got.evaluated, evaluated === 'yes', name);
    c.free();
  }
});

test('one calculator serves the whole run: a refused text shows the previous answer', () => {
  assert.equal(calc.ok('10 + cos(45)').answer, '10.7071067859062');
  const refused = calc.ok('x=2');
  assert.equal(refused.answer, '10.7071067859062');
  assert.equal(refused.evaluated, false);
  assert.deepEqual(calc.working().stages, []);
  calc.setRadians(true);
  assert.equal(calc.ok('2*3+4').angleUnit, 'radians');
  calc.setRadians(false);
  assert.equal(calc.working().stages[0].title, 'after the scan');
  // A NUL is a character like any other, not the end of the text.
  const nul = calc.ok('1\0+5');
  assert.deepEqual([nul.answer, nul.message, nul.mark], ['6', 'Invalid character.', [1, 2]]);
});

test('the working is the last command\'s, whatever changed after it', () => {
  assert.ok(calc.setSlot('X', 2.5));
  assert.equal(calc.ok('x*4').answer, '10');
  calc.setSlot('x', 7);
  const working = calc.working();
  assert.deepEqual(working.columns, ['term', 'op', 'value', 'function', 'open', 'close']);
  assert.deepEqual(working.command, { shownText: 'x*4', angleUnit: 'degrees', evaluated: true,
    answer: '10', message: '', usualAnswer: '10' });
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
  assert.deepEqual(working.readAs, { text: '2.5*4', notes: [] });
  assert.deepEqual(calc.working(), working);
  calc.setSlot('X', 0);
});

test('the working says why the usual reading refuses, and shows a long text by its ends', () => {
  assert.equal(calc.ok('2*3#').evaluated, true);
  assert.deepEqual(calc.working().usual, { words: 'unexpected \'%1\'', subject: '#', position: 4 });
  assert.deepEqual(calc.ok('\u00e9+1').usualReading, { error: 'unexpected \'\u00e9\' at position 1' });
  assert.equal(calc.ok('x=2').evaluated, false);
  const refused = calc.working();
  assert.deepEqual(refused.stages, []);
  assert.deepEqual(refused.usual, { words: 'unexpected \'%1\'', subject: '=', position: 2 });
  // A long evaluation shows as much as the desktop's working window, and says how much more.
  calc.ok(`${'(1+'.repeat(100)}1${')'.repeat(100)}`);
  const long = calc.working();
  assert.equal(long.stages.length, 60);
  assert.equal(long.stages[0].terms.length, 60);
  assert.ok(long.stages[0].termCount > 60);
  assert.ok(long.passCount > 59);
  // 401 emoji: the two ends of 200 characters each, never half an emoji.
  calc.ok('\u{1F600}'.repeat(401));
  assert.equal(long.command.shownText.length, 200 + 3 + 200);
  assert.equal(calc.working().command.shownText, `${'\u{1F600}'.repeat(200)} \u2026 ${'\u{1F600}'.repeat(200)}`);
});

test('the variable slots take a value by the one rule', () => {
  assert.equal(calc.slotLetters, 'XYZT');
  assert.ok(calc.setSlotText('X', ' 2,5 ', ','));
  assert.ok(calc.setSlotText('t', '-1'));
  for (const bad of ['1e400', '0x10', 'inf', '', '1,5']) {
    assert.equal(calc.setSlotText('Y', bad), false, bad);
  }
  assert.equal(calc.setSlot('W', 1), false);
  assert.equal(calc.setSlot('Y', Infinity), false);
  assert.equal(calc.slot('x'), 2.5);
  assert.equal(calc.ok('x*2+t').answer, '2.5');  // x*(2+t): no precedence
  calc.setSlot('X', 0);
  calc.setSlot('T', 0);
});

test('an expression field takes 100,000 characters and no more', () => {
  assert.equal(calc.fieldLimit, 100000);
  assert.ok(calc.fieldTakes('1'.repeat(100000)));
  assert.ok(calc.fieldTakes('\u{1F600}'.repeat(100000)));
  assert.equal(calc.fieldTakes('1'.repeat(100001)), false);
  assert.match(calc.fieldRefusal, /%1/);
});

// The same to 14 significant digits, as the native table test compares.
function same14(a, b) {
  return a === b || Math.abs(a - b) <= 1e-14 * Math.max(Math.abs(a), Math.abs(b));
}

test('the usual reading gives the table\'s value or reason', () => {
  ['X', 'Y', 'Z', 'T'].forEach((l, i) => calc.setSlot(l, [2, 3, 5, 7][i]));
  for (const [name, text, unit, expected] of rows('usual.tsv')) {
    calc.setRadians(unit === 'rad');
    const usual = calc.ok(text).usualReading;
    const value = Number(expected);
    if (expected !== '' && !Number.isNaN(value)) {
      assert.ok(same14(usual.value, value), `${name}: ${usual.value} ${usual.error}`);
    } else {
      assert.equal(usual.error, expected, name);
    }
  }
  calc.setRadians(false);
  ['X', 'Y', 'Z', 'T'].forEach((l) => calc.setSlot(l, 0));
});

// A browser's storage: one text, a quota in characters, or refused altogether. Two calculators
// over one shelf are two tabs.
function shelf({ quota = Infinity, refused = false } = {}) {
  const s = { text: null };
  s.storage = {
    read() { if (refused) throw new Error('SecurityError'); return s.text; },
    write(t) {
      if (refused) throw new Error('SecurityError');
      if (t.length > quota) throw Object.assign(new Error('full'), { name: 'QuotaExceededError' });
      s.text = t;
    },
  };
  return s;
}

test('the history in storage: kept, shared by two tabs, recalled', async () => {
  const s = shelf();
  s.text = '1+1\n\u0001bad\nsin(30)\n';
  const a = await fresh();
  const b = await fresh();
  a.useHistory(s.storage);
  b.useHistory(s.storage);
  assert.deepEqual(a.history, ['1+1', 'sin(30)']);
  for (const t of ['sin(30)', '', 'x=2', '2*3']) a.ok(t);
  b.ok('3\u00d74');  // evaluated, with a message: kept, character for character
  assert.equal(s.text, '1+1\nsin(30)\n2*3\n3\u00d74\n');
  assert.equal(a.historySize, 3);
  assert.equal(a.recall(-1, 'draft'), '2*3');
  assert.equal(a.recall(-1, '2*3'), 'sin(30)');
  assert.equal(a.recall(+1, 'sin(30)'), '2*3');
  assert.equal(a.recall(+1, '2*3'), 'draft');
  assert.equal(a.recall(+1, 'draft'), null);
  assert.ok(a.clearHistory());
  assert.equal(s.text, '');
  for (let i = 0; i < 1005; ++i) a.ok(String(i));
  assert.equal(a.historySize, 1000);
  assert.ok(s.text.startsWith('5\n6\n'));
  assert.equal(a.takeHistoryNotice(), null);
});

test('storage full drops the oldest; refused or still full keeps the run in memory, said once', async () => {
  const full = shelf({ quota: 20 });
  const c = await fresh();
  c.useHistory(full.storage);
  for (const t of ['111+1', '222+2', '333+3', '444+4', '555+5']) c.ok(t);
  assert.equal(full.text, '333+3\n444+4\n555+5\n');
  assert.equal(c.historySize, 5);
  assert.equal(c.takeHistoryNotice(), null);
  c.ok('1'.repeat(30));
  assert.equal(c.takeHistoryNotice(), 'The history cannot be stored here; it is kept for this run only.');
  assert.equal(c.takeHistoryNotice(), null);

  const refused = shelf({ refused: true });
  const r = await fresh();
  assert.equal(r.useHistory(refused.storage), false);
  r.ok('1+1');
  r.ok('2+2');
  assert.equal(r.recall(-1, ''), '2+2');
  assert.equal(r.recall(-1, '2+2'), '1+1');
  assert.match(r.takeHistoryNotice(), /kept for this run only/);
  assert.equal(r.takeHistoryNotice(), null);
});

test('the faces\' table: the same answer and message as every other face, or the field\'s refusal', async () => {
  for (const [name, text, repeat, answer, message, field] of rows('faces.tsv')) {
    let typed;
    try {
      typed = decoder.decode(unescape(text)).repeat(Number(repeat));
    } catch {
      continue;
    }
    const c = await fresh();
    assert.equal(c.fieldTakes(typed), field === 'taken', name);
    const got = c.ok(typed);
    assert.deepEqual([got.answer, got.message], [answer, message], name);
    c.free();
  }
});

test('every answer comes with its reading, and the rules that changed the text', () => {
  const line = calc.ok('0*5/0+sin(sin(30))');
  assert.equal(line.readAs, '5/(0+sin(30))');
  assert.deepEqual(line.readAsNotes, ['functionLost', 'zeroFactor']);
  assert.equal(calc.readAs(), '5/(0+sin(30))');
  assert.deepEqual(calc.working().readAs.notes.map((n) => [n.code, n.places]),
    [['functionLost', 'sin'], ['zeroFactor', '0*']]);
  assert.equal(calc.working().readAs.notes[1].words, '%1 left out: a zero left factor is an empty slot');
  calc.ok('');
  assert.equal(calc.readAs(), '');
  assert.equal(calc.ok('').readAs, undefined);
  assert.equal(calc.working().readAs, undefined);
});

test('the readings\' table: the same reading and notes as the command line and the dialog', async () => {
  for (const [name, text, unit, reading, notes] of rows('reading.tsv')) {
    const c = await fresh();
    ['X', 'Y', 'Z', 'T'].forEach((letter, i) => c.setSlot(letter, [2, 3, 5, 7][i]));
    c.setRadians(unit === 'rad');
    const got = c.ok(text);
    assert.equal(got.readAs, reading, name);
    assert.equal(got.readAsNotes.join('|') || 'none', notes, name);
    c.free();
  }
});
