// zorv-words: numbers in words, and words read back to numbers, through the converter's C
// interface compiled to WebAssembly (zorv-words-module.js, the library itself):
//
//   import { load } from "zorv-words";
//   const z = await load();
//   z.spell("1234.05", "cheque");  // "One Thousand Two Hundred Thirty-Four and 05/100 Dollars"
//
// Every rule is the library's; this file only moves texts in and out of its memory.
import createModule from "./zorv-words-module.js";

export class NumberRefused extends Error {
  constructor(message) {
    super(message);
    this.name = "NumberRefused";
  }
}

export class StyleError extends Error {
  constructor(message) {
    super(message);
    this.name = "StyleError";
  }
}

// The decimal text of a JavaScript number: its shortest round-trip digits, written out
// without an exponent ("1e+21" is "1000000000000000000000"). Infinity and NaN are left
// as they are, for the library to refuse.
function plainDecimal(number) {
  const text = String(number);
  const match = /^(-?)(\d+)(?:\.(\d+))?e([+-]\d+)$/.exec(text);
  if (!match) return text;
  const [, sign, whole, fraction = "", exponent] = match;
  const digits = whole + fraction;
  const point = whole.length + Number(exponent);
  if (point <= 0) return `${sign}0.${"0".repeat(-point)}${digits}`;
  if (point >= digits.length) return sign + digits + "0".repeat(point - digits.length);
  return `${sign}${digits.slice(0, point)}.${digits.slice(point)}`;
}

function numberText(number) {
  if (typeof number === "string") return number;
  if (typeof number === "bigint") return number.toString();
  if (typeof number === "number") return plainDecimal(number);
  throw new TypeError(`a number is a string, a number or a bigint, not ${typeof number}`);
}

export async function load() {
  const module = await createModule();
  const { ZORV_WORDS, ZORV_FAILURE } = module.constants;
  const encoder = new TextEncoder();
  const decoder = new TextDecoder();
  const out = module._malloc(8); // the text a call hands out, and its length

  // Calls `call(pointers..., lengths...)` with each text as a NUL-terminated UTF-8 copy
  // in the module's memory, then frees the copies.
  const withTexts = (texts, call) => {
    const encoded = texts.map((text) => encoder.encode(text));
    const pointers = encoded.map((bytes) => {
      const at = module._malloc(bytes.length + 1);
      module.HEAPU8.set(bytes, at);
      module.HEAPU8[at + bytes.length] = 0;
      return at;
    });
    try {
      return call(...pointers, ...encoded.map((bytes) => bytes.length));
    } finally {
      pointers.forEach((at) => module._free(at));
    }
  };
  // The text the last call handed out, released.
  const taken = () => {
    const at = module.HEAPU32[out >> 2], length = module.HEAPU32[(out + 4) >> 2];
    const text = decoder.decode(module.HEAPU8.subarray(at, at + length));
    module._zorv_string_free(at);
    return text;
  };
  // A call's status and text; throws for want of memory.
  const answer = (status) => {
    if (status === ZORV_FAILURE) throw new RangeError("the converter's module ran out of memory");
    return [status === ZORV_WORDS, taken()];
  };

  // Styles by description, made once each; a few dozen are kept, then all are freed.
  const styles = new Map();
  const styleOf = (description) => {
    if (typeof description !== "string") throw new TypeError("a style is a description, such as \"cheque,currency=EUR\"");
    let style = styles.get(description);
    if (style) return style;
    if (styles.size >= 64) {
      styles.forEach((kept) => module._zorv_style_free(kept));
      styles.clear();
    }
    style = withTexts([description], (at) => module._zorv_style_new(at, out, out + 4));
    if (!style) {
      if (!module.HEAPU32[out >> 2]) throw new RangeError("the converter's module ran out of memory");
      throw new StyleError(taken());
    }
    styles.set(description, style);
    return style;
  };

  const spell = (number, style = "plain") => {
    const handle = styleOf(style);
    const [ok, text] = withTexts([numberText(number)], (at, length) => answer(module._zorv_style_spell(handle, at, length, out, out + 4)));
    if (!ok) throw new NumberRefused(text);
    return text;
  };

  const read = (words, style = "plain") => {
    const handle = styleOf(style);
    const [ok, text] = withTexts([String(words)], (at, length) => answer(module._zorv_style_read(handle, at, length, out, out + 4)));
    if (!ok) throw new NumberRefused(text);
    return text;
  };

  const verify = (figures, words, style = "plain") => {
    const handle = styleOf(style);
    const [agrees, text] = withTexts([numberText(figures), String(words)], (f, w, fLength, wLength) =>
      answer(module._zorv_style_verify(handle, f, fLength, w, wLength, out, out + 4)));
    if (agrees) return { agrees, number: text, message: null };
    let number = null;
    try {
      number = read(words, style);
    } catch (error) {
      if (!(error instanceof NumberRefused)) throw error;
    }
    return { agrees, number, message: text };
  };

  let converter = 0;
  const classic = (text) => {
    if (!converter) converter = module._zorv_converter_new();
    if (!converter) throw new RangeError("the converter's module ran out of memory");
    const [ok, words] = withTexts([String(text)], (at, length) => answer(module._zorv_convert(converter, at, length, out, out + 4)));
    if (!ok) throw new NumberRefused(words);
    return words;
  };

  const locales = () => {
    const [, listing] = answer(module._zorv_list_locales(out, out + 4));
    const all = {};
    for (const line of listing.split("\n")) {
      const [name, sets = ""] = line.split(":");
      if (name) all[name] = sets.split("(")[0].trim().split(" ").filter(Boolean);
    }
    return all;
  };

  return { spell, classic, read, verify, locales };
}
