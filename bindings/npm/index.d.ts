/** A number as text ("1,234.05", "-0.5"), a number (its shortest round-trip text) or a bigint. */
export type NumberInput = string | number | bigint;

/** A number the style cannot write, or words that name no number: the library's message. */
export class NumberRefused extends Error {}

/** A style description the library refuses; the message names what it gets wrong. */
export class StyleError extends Error {}

/** Whether words name exactly the figures' number. */
export interface Verdict {
  agrees: boolean;
  /** The number the words name, as decimal text; null when they name none. */
  number: string | null;
  /** Why they disagree; null when they agree. */
  message: string | null;
}

export interface Converter {
  /** The number in words in a style ("plain", "cheque,currency=INR", "plain,locale=de", ...). */
  spell(number: NumberInput, style?: string): string;
  /** The classic answer, spaces and all. Throws NumberRefused with the window's message. */
  classic(text: string): string;
  /** The number that the words name, as decimal text ("1234.05"). */
  read(words: string, style?: string): string;
  /** Whether the words name exactly the figures' number. */
  verify(figures: NumberInput, words: string, style?: string): Verdict;
  /** Every locale with spelling rules, with its public rule sets. */
  locales(): Record<string, string[]>;
}

/** Starts the converter's WebAssembly module; each call starts one of its own. */
export function load(): Promise<Converter>;
