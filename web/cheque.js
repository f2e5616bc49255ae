// The cheque writer: the words of the amount in the chosen style, as each key is
// typed, through the spelling module's C interface (zorv-spell.js); copying them;
// printing them on ruled lines; and checking figures against words from a document.
"use strict";

ZorvSpellModule().then((module) => {
  const { ZORV_WORDS } = module.constants;
  const $ = (id) => document.getElementById(id);
  const encoder = new TextEncoder(), decoder = new TextDecoder();
  const out = module._malloc(8);

  // Calls `call(pointers...)` with each text as a NUL-terminated UTF-8 copy in the
  // module's memory, then frees them.
  const withTexts = (texts, call) => {
    const pointers = texts.map((text) => {
      const bytes = encoder.encode(text + "\0");
      const at = module._malloc(bytes.length);
      module.HEAPU8.set(bytes, at);
      return at;
    });
    try {
      return call(...pointers, ...texts.map((text) => encoder.encode(text).length));
    } finally {
      pointers.forEach((at) => module._free(at));
    }
  };
  // The text the last call handed out, released.
  const taken = () => {
    const [at, length] = [module.HEAPU32[out >> 2], module.HEAPU32[(out + 4) >> 2]];
    const text = decoder.decode(module.HEAPU8.subarray(at, at + length));
    module._zorv_string_free(at);
    return text;
  };

  // Style objects by description, made once each (a few dozen at most are kept):
  // {style} or, for a description the library refuses, {error} with its message.
  const styles = new Map();
  const styleOf = (description) => {
    if (!styles.has(description)) {
      if (styles.size > 32) {
        styles.forEach(({ style }) => style && module._zorv_style_free(style));
        styles.clear();
      }
      const style = withTexts([description], (at) => module._zorv_style_new(at, out, out + 4));
      styles.set(description, style ? { style } : { error: module.HEAPU32[out >> 2] ? taken() : "no memory" });
    }
    return styles.get(description);
  };
  // [ok, text] of a call that writes its answer to `out`.
  const answer = (status) => [status === ZORV_WORDS, taken()];

  // The ordinal rule set of each language that has one: its own "spellout-ordinal",
  // else its masculine one, else the first it lists ("spellout-ordinal-common").
  const ordinalRules = new Map([["en", "spellout-ordinal"]]);
  // The currencies of each language that words money, its own first. English words
  // every currency of the page's list, the one the HTML selects first.
  const englishCurrencies = [...$("currency").options].map((option) => option.value);
  const moneyCurrencies = new Map([["en", englishCurrencies]]);
  let englishCurrency = $("currency").value;

  const isMoney = (style) => style === "money" || style === "cheque";
  // Whether the library words `style` in `locale`: plain in every language, ordinals
  // where the language has ordinal rules, money where it has money words, and the
  // British and Indian forms of the English document rules in English only.
  const offered = (style, locale) => {
    if (style === "plain") return true;
    if (style === "ordinal") return ordinalRules.has(locale);
    if (isMoney(style)) return moneyCurrencies.has(locale);
    return locale === "en";
  };
  // English ("en", "en_IN"): the document rules, which take case=.
  const isEnglish = (locale) => /^en($|_)/.test(locale);
  // The rules of another language, which take no case=; its money does.
  const byLocale = () => !isEnglish($("locale").value) && !isMoney($("style").value);

  // The style description the controls make: only what applies to the style. The
  // width goes as typed, so that the library's message says what is wrong with it.
  const description = (forPrint) => {
    const style = $("style").value, locale = $("locale").value;
    const parts = [style];
    if (locale !== "en") parts.push("locale=" + locale);
    if (isMoney(style)) parts.push("currency=" + $("currency").value);
    if (locale !== "en" && style === "ordinal" && ordinalRules.get(locale) !== "spellout-ordinal") {
      parts.push("rules=" + ordinalRules.get(locale));
    }
    if ($("case").value && !byLocale()) parts.push("case=" + $("case").value);
    const width = $("width").value.trim(), fill = $("fill").value;
    if (forPrint && width) {
      parts.push("width=" + width);
      if (fill) parts.push("fill=" + fill);
    }
    return parts.join(",");
  };

  // The fill box takes what a description can carry: one printable ASCII character
  // other than the comma, which separates the options.
  const keepFill = () => {
    const fill = $("fill").value.replace(/[^!-+\--~]/g, "").slice(0, 1);
    if (fill !== $("fill").value) $("fill").value = fill;
  };

  // Each style only where the chosen language has its words, and each language only
  // where it has the chosen style's.
  const offerStyles = () => {
    const style = $("style").value, locale = $("locale").value;
    for (const option of $("style").options) option.disabled = !offered(option.value, locale);
    for (const option of $("locale").options) option.disabled = !offered(style, option.value);
  };

  // The currency list: the chosen language's currencies, its own selected when the
  // language changes; back in English, the English choice made before.
  let currenciesOf = "en";
  const offerCurrencies = () => {
    const locale = moneyCurrencies.has($("locale").value) ? $("locale").value : "en";
    if (locale === currenciesOf) return;
    if (currenciesOf === "en") englishCurrency = $("currency").value;
    currenciesOf = locale;
    $("currency").replaceChildren(...moneyCurrencies.get(locale).map((code) => new Option(code, code)));
    $("currency").value = locale === "en" ? englishCurrency : moneyCurrencies.get(locale)[0];
  };

  const show = () => {
    $("currency").disabled = !isMoney($("style").value);
    $("case").disabled = byLocale();
    keepFill();
    offerStyles();
    offerCurrencies();
    $("words").lang = languageTag($("locale").value);
    const amount = $("amount").value;
    const { style, error } = styleOf(description(true));
    let [ok, text] = [false, error || ""];
    if (amount.trim() && style) {
      [ok, text] = withTexts([amount], (at, length) => answer(module._zorv_style_spell(style, at, length, out, out + 4)));
    }
    $("words").value = ok ? text : "";
    $("message").textContent = ok || (!amount.trim() && !error) ? "" : text;
  };

  // The words of a text, compared as the library reads them: a run of letters, soft
  // hyphens within it ("ein\u00ADund\u00ADzwanzig") left out and case ignored, each Han
  // character a word of its own, as Chinese writes no spaces; or a fraction, "05/100".
  const wordPattern = /\p{Script=Han}|(?:(?!\p{Script=Han})[\p{L}\p{M}\u00AD])+|\d+\/\d+/gu;
  const comparable = (word, tag) => word.replace(/\u00AD/g, "").toLocaleLowerCase(tag);

  // The pasted words, in their language, with the first word that differs from the
  // words of the figures marked, or none when the figures have no words.
  const marked = (words, figures) => {
    const { style } = styleOf(description(false));
    const [ok, expected] = withTexts([figures], (at, length) => answer(module._zorv_style_spell(style, at, length, out, out + 4)));
    const tag = languageTag($("locale").value), paragraph = document.createElement("span");
    paragraph.lang = tag;
    const found = [...words.matchAll(wordPattern)];
    const wanted = ok ? (expected.match(wordPattern) || []).map((word) => comparable(word, tag)) : [];
    const first = found.findIndex((match, i) => comparable(match[0], tag) !== wanted[i]);
    if (!ok || first < 0) {
      paragraph.append(words);
      return paragraph;
    }
    const at = found[first].index, end = at + found[first][0].length;
    const mark = document.createElement("mark");
    mark.textContent = words.slice(at, end);
    paragraph.append(words.slice(0, at), mark, words.slice(end));
    return paragraph;
  };

  const check = () => {
    const figures = $("check-figures").value, words = $("check-words").value;
    const { style, error } = styleOf(description(false));
    const result = $("check-result");
    if (!style) {
      result.replaceChildren("The style cannot be used: " + error + ".");
      return;
    }
    const [agrees, text] = withTexts([figures, words], (f, w, fLength, wLength) =>
      answer(module._zorv_style_verify(style, f, fLength, w, wLength, out, out + 4)));
    result.replaceChildren(agrees ? "The words agree with the figures: " + text + "." : "They disagree: " + text + ". ");
    if (!agrees) result.append(marked(words, figures));
  };

  // A locale ID as a BCP 47 tag: "sr_Latn" is "sr-Latn".
  const languageTag = (name) => name.replace(/_/g, "-");
  // A language's option: its name in that language, as the browser knows it, else
  // (the browser has no names in that language) its locale ID.
  const languageOption = (option) => {
    const tag = languageTag(option.value);
    let own = "";
    try {
      if (Intl.DisplayNames.supportedLocalesOf([tag]).length) {
        own = new Intl.DisplayNames([tag], { type: "language", fallback: "none" }).of(tag) || "";
      }
    } catch {
      own = "";
    }
    option.text = own || option.value;
    if (own) option.lang = tag;
    return option;
  };

  // The language list: every locale with rules, and the currencies of those with
  // money words: "ru: spellout-numbering ... (money: RUB USD EUR GBP)".
  withTexts([], () => {
    if (module._zorv_list_locales(out, out + 4) !== ZORV_WORDS) return;
    for (const line of taken().split("\n")) {
      const [, name, sets, money] = line.match(/^([^:]*):([^(]*)(?:\(money:([A-Z ]*)\))?/) || [];
      if (!name) continue;
      const ordinals = sets.trim().split(" ").filter((set) => set.startsWith("spellout-ordinal"));
      const preferred = ["spellout-ordinal", "spellout-ordinal-masculine"].find((set) => ordinals.includes(set));
      if (ordinals.length) ordinalRules.set(name, preferred || ordinals[0]);
      if (money && name !== "en") moneyCurrencies.set(name, money.trim().split(" "));
      if (name !== "en") $("locale").append(new Option(name, name));
    }
  });
  for (const option of $("locale").options) languageOption(option);

  for (const id of ["amount", "width", "fill"]) $(id).addEventListener("input", show);
  for (const id of ["style", "currency", "case", "locale"]) $(id).addEventListener("change", show);
  $("options").addEventListener("submit", (event) => event.preventDefault());
  $("copy").addEventListener("click", () => navigator.clipboard.writeText($("words").value));
  $("print").addEventListener("click", () => window.print());
  $("check").addEventListener("click", check);
  window.chequeWriter = { module, description };
  show();
  document.documentElement.dataset.ready = "true";
});
