// The npm package as installed from its tarball into an empty npm project: every row of
// the shared tables, exact numbers of every type, and its errors. ZORV_TESTS_DATA names
// the folder of the shared tables.
import assert from "node:assert/strict";
import { readFileSync } from "node:fs";
import { join } from "node:path";
import { test } from "node:test";

import { load, NumberRefused, StyleError } from "zorv-words";

const table = (name) => JSON.parse(readFileSync(join(process.env.ZORV_TESTS_DATA, `${name}.json`), "utf8"));
const outcomes = table("outcomes"), styles = table("styles");
const z = await load();

// The message of what `call` throws, checking that it is a `type`.
const refusal = (call, type) => {
  try {
    call();
  } catch (error) {
    assert.ok(error instanceof type && error instanceof Error, `${error} is no ${type.name}`);
    return error.message;
  }
  assert.fail("nothing was thrown");
};

test("classic answers every typed text", () => {
  for (const row of outcomes.outcomes) {
    if ("words" in row) assert.equal(z.classic(row.input), row.words, row.input);
    else assert.equal(refusal(() => z.classic(row.input), NumberRefused), outcomes.messages[row.message], row.input);
  }
});

test("spell answers every row of the styles table", () => {
  for (const [style, number, outcome] of styles.styles) {
    if ("words" in outcome) assert.equal(z.spell(number, style), outcome.words, `${style} ${number}`);
    else assert.equal(refusal(() => z.spell(number, style), NumberRefused), outcome.message, `${style} ${number}`);
  }
});

test("read gives every reading as decimal text", () => {
  for (const [style, words, outcome] of styles.readings) {
    if ("number" in outcome) assert.equal(z.read(words, style), outcome.number, words);
    else assert.equal(refusal(() => z.read(words, style), NumberRefused), outcome.message, words);
  }
});

test("verify gives every verdict", () => {
  for (const [style, figures, words, outcome] of styles.verifications) {
    const verdict = z.verify(figures, words, style);
    assert.equal(verdict.agrees, "number" in outcome, words);
    if (verdict.agrees) assert.deepEqual(verdict, { agrees: true, number: outcome.number, message: null });
    else assert.equal(verdict.message, outcome.message);
  }
  assert.deepEqual(z.verify(5, "six"), { agrees: false, number: "6", message: "the words say 6, the figures 5" });
});

test("a refused description throws StyleError", () => {
  for (const [description, message] of styles["refused styles"]) {
    assert.equal(refusal(() => z.spell("5", description), StyleError), message, description);
  }
});

test("numbers of every type are exact", () => {
  const cases = [
    [1234.05, "cheque", "One Thousand Two Hundred Thirty-Four and 05/100 Dollars"],
    [0.1 + 0.2, "plain", "zero point three zero zero zero zero zero zero zero zero zero zero zero zero zero zero zero four"],
    [1e21, "plain", "one sextillion"],
    [2.5e-7, "plain", "zero point zero zero zero zero zero zero two five"],
    [-0, "plain", "zero"],
    [9007199254740993n, "plain", "nine quadrillion seven trillion one hundred ninety-nine billion two hundred fifty-four " +
      "million seven hundred forty thousand nine hundred ninety-three"],
    [-7, "money", "minus seven dollars"],
    ["12,34,567", "indian", "twelve lakh thirty-four thousand five hundred sixty-seven"],
  ];
  for (const [number, style, words] of cases) assert.equal(z.spell(number, style), words, String(number));
  for (const number of [NaN, Infinity, "1.2.3"]) assert.equal(refusal(() => z.spell(number), NumberRefused), "not a number");
  assert.throws(() => z.spell({}), TypeError);
});

test("locales lists every locale with its rule sets", () => {
  const locales = z.locales();
  assert.equal(Object.keys(locales).length, 100);
  assert.ok(locales.de.includes("spellout-numbering"));
  assert.equal(z.spell("21", "plain,locale=de"), "ein\u00adund\u00adzwanzig");
});
