// A style description: how a number is worded, as a comma-separated list of a preset
// and options, "cheque,currency=INR,case=upper,width=60,fill=*". The presets and the
// options, with their values and meanings, are one table (StylePresets, StyleOptions),
// which the parser reads and help texts print. The classic preset is the window's
// answer, which this module leaves to its caller; an English locale= keeps the document
// rules unless rules= names one of the locale's own public rule sets.
#pragma once

#include <cstddef>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>

#include "currencies.h"
#include "decimal.h"
#include "layout.h"
#include "money_table.h"
#include "rule_book.h"
#include "spell_error.h"
#include "written_number.h"

namespace zorv::spell {

// Thrown for a description that names an unknown preset, option, value, locale, rule
// set or currency; the message names it.
class StyleError : public std::invalid_argument {
public:
    using std::invalid_argument::invalid_argument;
};

enum class MinorForm { Words, Digits, None };

struct Style {
    bool classic = false;  // the window's answer: the caller's Convert command, not these rules
    const Locale* locale = nullptr;
    const RuleSet* rules = nullptr;  // the words of a number (of the major unit, for money)
    bool english = true;             // the document rules: case and hyphens apply
    bool ordinal = false;            // whole numbers only, and not negative

    bool money = false;  // an amount of a currency
    bool cheque = false;  // a cheque: no negative amount
    std::string currency;  // the ISO 4217 code, or the plural of the caller's own unit=
    std::string unit, units, subunit, subunits;
    unsigned digits = 2;
    MinorForm minor = MinorForm::Words;
    bool currencyFirst = false;
    bool only = false;
    Rounding rounding = Rounding::None;
    std::string minusWords;  // the words the rules put before a negative amount
    // Money in a language other than English (money and cheque with locale=): its
    // words, those of the currency, and the rule set of the minor part's numbers (the
    // unit's are `rules`), each in its noun's gender.
    const MoneyLanguage* moneyLanguage = nullptr;
    const MoneyCurrencyWords* currencyWords = nullptr;
    const RuleSet* minorRules = nullptr;

    LetterCase letterCase = LetterCase::Lower;
    bool hyphens = true;
    std::size_t width = 0;  // 0: one line
    std::string fill;       // one character, or none
};

// The presets and the options a description may name, each with the values it takes
// and what it does: what ParseStyle accepts, names in its messages, and what help
// texts show.
struct StyleOption {
    std::string_view name, values, meaning;
};
[[nodiscard]] std::span<const std::string_view> StylePresets();
[[nodiscard]] std::span<const StyleOption> StyleOptions();

// The style a description gives. Throws StyleError.
[[nodiscard]] Style ParseStyle(std::string_view description);

}  // namespace zorv::spell
