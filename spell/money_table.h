// The money words of every language that has them: the names a document writes for a
// currency's unit and minor unit in each plural form, their gender, and how the
// language puts an amount together. Compiled at build time from spell/rules/money/*.tsv
// (scripts/make-money-words.py); the format is described in that folder's README.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "rule_data.h"

namespace zorv::spell {

// A noun of money: its gender ("masculine", "feminine", "neuter" or "-") and its form
// for each plural category (empty where the language has no such category).
struct MoneyNoun {
    std::string_view gender;
    std::array<std::string_view, 6> forms;
    // The phrases that stand for exactly one and exactly two, number and noun together,
    // where the language puts the number after the noun or leaves it out ("ريال واحد",
    // "ريالان"); empty where the number and the form above do.
    std::array<std::string_view, 2> exactly;

    // The form for `category`, or the form for "other" where there is none of its own.
    [[nodiscard]] std::string_view FormFor(PluralCategory category) const;
};

struct MoneyCurrencyWords {
    std::string_view code;
    MoneyNoun unit, minor;
    std::string_view name;    // put before the amount with first=on; may be empty
    std::string_view suffix;  // written after the minor digits ("M.N."); may be empty
};

// A language's money words, its rows merged with those of its parents.
struct MoneyLanguage {
    std::string locale;  // the most specific locale ID with rows ("es_MX", "ru")
    std::vector<std::string_view> currencies;  // the language's own first
    std::string_view words = "{major} {unit} {minor} {subunit}";
    std::string_view digits = "{major} {unit} {minor}/{base}{suffix}";
    std::string_view whole = "{major} {unit}";
    std::string_view of, ofElided, rules, zero, complete;
    std::vector<std::string_view> ofAfter, places;
    // What the language's documents write for the rules' words: from, to ("^from": at
    // the start only), for every number, and for the numbers of nouns of each gender.
    using Replacements = std::vector<std::pair<std::string_view, std::string_view>>;
    Replacements replacements, masculine, feminine, neuter;

    // The replacements for the numbers of a noun of `gender`.
    [[nodiscard]] const Replacements* ReplacementsOf(std::string_view gender) const;
    std::vector<MoneyCurrencyWords> currencyWords;

    // The words of a currency; null when the language has none for it.
    [[nodiscard]] const MoneyCurrencyWords* Find(std::string_view code) const;
};

// The money words for a locale ID ("es_MX", "sr_Latn"), found through its parents by
// truncation; null when no language of the chain has any.
[[nodiscard]] const MoneyLanguage* FindMoneyLanguage(std::string_view localeId);

}  // namespace zorv::spell
