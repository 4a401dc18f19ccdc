// Types of the quorbit1 package, written by hand: the emscripten that builds the module does
// not write them.

/** Where a history is kept between runs: read gives the stored text (or null), write keeps it. */
export interface HistoryStorage {
  read(): string | null;
  write(text: string): void;
}

/** The browser's localStorage under one key. */
export function browserStorage(key?: string): HistoryStorage;

/** The keys of the evaluator's flags, in the order the calculator checks them. */
export type Flag =
  | 'unbalancedParentheses' | 'invalidTrigOrExponent' | 'spacesInSequence'
  | 'sequentialOperators' | 'log10Negative' | 'lnNegative' | 'mathDomain'
  | 'numberTooLong' | 'invalidCharacter';

/** The rules a reading names when they dropped or changed part of the text. */
export type ReadingNote =
  | 'zeroFactor' | 'divisorNearZero' | 'dividendNearZero' | 'minusMoved'
  | 'functionLost' | 'numberRead' | 'logRefused' | 'zeroTerm';

/** One OK command's result: the command line's JSON object (quorbit1-cli --json). */
export interface OkResult {
  expression: string;
  angleUnit: 'degrees' | 'radians';
  /** The answer field: 15 significant digits, or nan, inf, -inf. */
  answer: string;
  /** The answer as a number; null for NaN and the infinities. */
  value: number | null;
  /** The answer to 17 significant digits. */
  valueExact: string;
  /** The one message the calculator shows, in English; '' when none. */
  message: string;
  /** false when the text was refused before evaluation (empty, or with '='). */
  evaluated: boolean;
  flags: Flag[];
  usualReading: { value: number | null; answer: string } | { error: string };
  /** For an evaluated text: what the calculator computed, bracketed for school precedence. */
  readAs?: string;
  readAsNotes?: ReadingNote[];
  /** Where in the text (UTF-16 offsets, end excluded) the character the message is about. */
  mark?: [number, number];
}

export interface Calculator {
  /** The OK command: evaluates text in the current unit with the current slots. */
  ok(text: string): OkResult;
  /** The OK command, and its JSON line as quorbit1-cli --json writes it, newline included. */
  okLine(text: string): string;
  readonly radians: boolean;
  setRadians(radians: boolean): void;
  /** "XYZT" */
  readonly slotLetters: string;
  slot(letter: string): number;
  /** A finite value for slot X, Y, Z or T; false when the letter or the value is not one. */
  setSlot(letter: string, value: number): boolean;
  /** A value as a person typed it; false, and nothing changed, when it is not a number. */
  setSlotText(letter: string, text: string, decimalSeparator?: string): boolean;
  /** Whether an expression field takes text (at most fieldLimit characters). */
  fieldTakes(text: string): boolean;
  readonly fieldLimit: number;
  /** What a field says of a longer text, with %1 for the limit. */
  readonly fieldRefusal: string;
  /** The last command's reading; '' when it was not evaluated. */
  readAs(): string;
  /** The last command's working: the reading, the stages of the evaluation, the usual reading. */
  working(): unknown;
  /** Keeps a history, in storage or else in memory for this calculator's life. */
  useHistory(storage?: HistoryStorage): boolean;
  readonly history: string[];
  readonly historySize: number;
  clearHistory(): boolean;
  takeHistoryNotice(): string | null;
  /** Up (-1) and Down (+1) through the history from a field holding current. */
  recall(step: -1 | 1, current: string): string | null;
  readonly version: string;
  /** Gives back the calculator's memory; it is not to be used after. */
  free(): void;
}

/** A new calculator: degrees, the slots at 0, no history unless asked for. */
export function createCalculator(): Promise<Calculator>;
