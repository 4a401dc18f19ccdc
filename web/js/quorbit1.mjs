// The calculator in JavaScript: a thin wrapper over the C interface that the WebAssembly module
// exports (<quorbit1/quorbit1.h>), the same for the page, its tests and other programs. Texts go
// in as UTF-8 with their length, so any character, NUL among them, reaches the calculator; what
// comes back is decoded as it is. No rule of the calculator is written here.

const encoder = new TextEncoder();
const decoder = new TextDecoder();

// The browser's storage under one key, as the calculator's history wants it.
export function browserStorage(key = 'quorbit1.history') {
  return {
    read: () => globalThis.localStorage.getItem(key),
    write: (text) => globalThis.localStorage.setItem(key, text),
  };
}

class Calculator {
  #m;
  #handle;

  constructor(module) {
    this.#m = module;
    this.#handle = module._quorbit1_create();
    if (!this.#handle) throw new Error('quorbit1: out of memory');
  }

  // Calls f with a UTF-8 copy of text in the module's memory: f(pointer, length).
  #withText(text, f) {
    const m = this.#m;
    const bytes = encoder.encode(text);
    const at = m._malloc(bytes.length + 1);
    m.HEAPU8.set(bytes, at);
    m.HEAPU8[at + bytes.length] = 0;
    try {
      return f(at, bytes.length);
    } finally {
      m._free(at);
    }
  }

  #string(at, length) {
    if (!at) return null;
    if (length === undefined) return this.#m.UTF8ToString(at);
    return decoder.decode(this.#m.HEAPU8.subarray(at, at + length));
  }

  // The OK command: the command line's JSON object for it (answer, message, value, flags,
  // evaluated, usualReading, ...), with where in text the character the message is about
  // stands, as string indices (mark: [start, end]) when there is one.
  ok(text) {
    const result = JSON.parse(this.okLine(text));
    const m = this.#m;
    const h = this.#handle;
    const byte = m._quorbit1_mark_position(h);
    if (byte >= 0) {
      const start = decoder.decode(encoder.encode(text).subarray(0, byte)).length;
      const ch = text.codePointAt(start);
      result.mark = [start, start + (ch > 0xffff ? 2 : 1)];
    }
    return result;
  }

  // The OK command, and the command line's JSON line for it as it is, newline included.
  okLine(text) {
    const m = this.#m;
    const h = this.#handle;
    const status = this.#withText(text, (at, length) => m._quorbit1_ok(h, at, length));
    if (status < 0) throw new Error('quorbit1: ' + (status === -2 ? 'out of memory' : 'bad argument'));
    return this.#string(m._quorbit1_json(h), m._quorbit1_json_length(h));
  }

  get radians() { return this.#m._quorbit1_radians(this.#handle) === 1; }
  setRadians(on) { this.#m._quorbit1_set_radians(this.#handle, on ? 1 : 0); }

  get slotLetters() { return this.#string(this.#m._quorbit1_slot_letters()); }
  slot(letter) { return this.#m._quorbit1_slot(this.#handle, letter.charCodeAt(0)); }
  // A finite number; false when the letter is not a slot's or the value not finite.
  setSlot(letter, value) {
    return this.#m._quorbit1_set_slot(this.#handle, letter.charCodeAt(0), value) === 0;
  }
  // A value as a person typed it, in the C form or with decimalSeparator: false, and nothing
  // changed, when it is not a number.
  setSlotText(letter, text, decimalSeparator = '.') {
    const m = this.#m;
    return this.#withText(decimalSeparator, (sep) => this.#withText(text, (at, length) =>
      m._quorbit1_set_slot_text(this.#handle, letter.charCodeAt(0), at, length, sep))) === 0;
  }

  // What an expression field takes, and what it says of a longer text ("%1" for the limit).
  fieldTakes(text) {
    return this.#withText(text, (at, length) => this.#m._quorbit1_field_takes(at, length)) === 1;
  }
  get fieldLimit() { return this.#m._quorbit1_field_limit(); }
  get fieldRefusal() { return this.#string(this.#m._quorbit1_field_refusal()); }

  // The last command's reading: what the calculator computed, bracketed for school precedence
  // ('2*3+4' reads '2*(3+4)'); '' when it was not evaluated. ok() has it as readAs, with the
  // keys of the rules that changed the text in readAsNotes.
  readAs() { return this.#string(this.#m._quorbit1_read_as(this.#handle)); }

  // The last command's working: the reading with its notes' templates, stages with their
  // title templates, terms, and the usual reading's refusal.
  working() { return JSON.parse(this.#string(this.#m._quorbit1_working(this.#handle))); }

  // The history: in storage ({read, write}, as browserStorage gives), else in memory.
  useHistory(storage) {
    const m = this.#m;
    if (!storage) return m._quorbit1_use_history(this.#handle) === 0;
    m.quorbit1Storage = storage;
    return m._quorbit1_use_browser_history(this.#handle) === 0;
  }
  get history() {
    const m = this.#m;
    const size = m._quorbit1_history_size(this.#handle);
    const entries = [];
    for (let i = 0; i < size; i++) entries.push(this.#string(m._quorbit1_history_entry(this.#handle, i)));
    return entries;
  }
  get historySize() { return this.#m._quorbit1_history_size(this.#handle); }
  clearHistory() { return this.#m._quorbit1_history_clear(this.#handle) === 0; }
  // Once, after the history became kept for this run only: what to tell the user, in English
  // (the translations' key); else null.
  takeHistoryNotice() { return this.#string(this.#m._quorbit1_history_notice(this.#handle)); }
  // Up (step -1) and Down (+1) from a field holding current: the text to show, or null.
  recall(step, current) {
    return this.#withText(current, (at, length) =>
      this.#string(this.#m._quorbit1_recall(this.#handle, step, at, length)));
  }

  get version() { return this.#string(this.#m._quorbit1_version()); }

  free() {
    this.#m._quorbit1_free(this.#handle);
    this.#handle = 0;
  }
}

// A new calculator over the module that factory makes: the default export of
// quorbit1-module.mjs, which the npm package's createCalculator passes itself.
export async function createCalculator({ factory } = {}) {
  if (typeof factory !== 'function') throw new TypeError('quorbit1: createCalculator needs the module\'s factory');
  return new Calculator(await factory());
}
