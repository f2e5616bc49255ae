// A style description: how a number is worded, as a comma-separated list of a preset
// and options, "cheque,currency=INR,case=upper,width=60,fill=*".
//
// Presets: classic (the window's answer, which this module leaves to its caller),
// plain, british, ordinal, indian, money and cheque. Options, each on top of a preset:
//   locale=TAG rules=NAME        plain and ordinal: words by the rules of a locale; an
//                                English locale keeps the document rules unless rules=
//                                names one of the locale's own public rule sets
//   numbering=short|indian  and=on|off  hyphens=on|off  case=lower|upper|title|sentence
//   currency=CODE  unit=NAME/NAMES  subunit=NAME/NAMES  digits=0|2|3
//   minor=words|digits|none  only=on|off  first=on|off  round=none|half-up|half-even
//   width=N  fill=C
#pragma once

#include <cstddef>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>

#include "rule_book.h"

namespace zorv::spell {

// Thrown for a description that names an unknown preset, option, value, locale, rule
// set or currency; the message names it.
class StyleError : public std::invalid_argument {
public:
    using std::invalid_argument::invalid_argument;
};

// The most bytes of one text a style reads: a number, or words to read back. A longer
// text is refused whole with kTooLong, never cut and answered by its beginning.
inline constexpr std::size_t kLongestText = std::size_t{1} << 20;
inline constexpr std::string_view kTooLong = "longer than 1 MiB (1,048,576 bytes), the most one text may be";

struct Currency {
    std::string_view code, unit, units, subunit, subunits;
    unsigned digits;  // minor digits: 0, 2 or 3
};

// The currencies a description may name, with their English names.
[[nodiscard]] std::span<const Currency> Currencies();

enum class LetterCase { Lower, Upper, Title, Sentence };
enum class MinorForm { Words, Digits, None };
enum class Rounding { None, HalfUp, HalfEven };

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

// The words of `number` in that style (not classic), appended to `out`: an optional
// sign, digits grouped by commas in threes or in the Indian way, or not at all, an
// optional point and digits, spaces around it ignored; a zero written with a sign is
// zero. Throws SpellError naming what is wrong with the number; `out` may then hold part of the words.
void SpellInStyleInto(const Style& style, std::string_view number, std::string& out);

[[nodiscard]] std::string SpellInStyle(const Style& style, std::string_view number);

// A part of a text as a message shows it: printable ASCII as it is, any other byte as
// \xHH, so that no byte of it acts on a terminal and the message stays UTF-8.
[[nodiscard]] std::string Shown(std::string_view part);

// `number`, read as SpellInStyleInto reads it, written plainly: a "-" for a negative
// number (none for zero: "-0" and "-0.00" are zero), the digits without grouping or leading zeros ("0" for none), and the point
// and the digits after it as written ("+1,234.50" -> "1234.50"). Throws SpellError.
[[nodiscard]] std::string PlainNumber(std::string_view number);

}  // namespace zorv::spell
