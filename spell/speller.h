// Spelling a number by the rules of a locale: the interpreter of compiled rule sets.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

#include "rule_book.h"

namespace zorv::spell {

class SpellError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The longest whole part, and the longest fraction, that Spell takes, in digits.
inline constexpr std::size_t kMostDigits = 1000;

// Spells `number`, an optional "-", digits and optionally "." and more digits, by the
// rule set `set` of `locale`, in UTF-8. Exact at any length: no value goes through a
// floating-point type, and the digits after the point are the digits written, so
// "4561.10" names both "1" and "0" where the rules spell a fraction digit by digit.
// Throws SpellError for text that is no such number, or longer than kMostDigits on
// either side, and for rules that cannot spell it.
[[nodiscard]] std::string Spell(const Locale& locale, const RuleSet& set, std::string_view number);

// The same, appended to `out`, so that a caller spelling many numbers can keep one
// buffer (on SpellError, `out` may hold part of the words).
void SpellInto(const Locale& locale, const RuleSet& set, std::string_view number, std::string& out);

// Spells the values below kSmallValues with every rule set of a locale just read and
// keeps their words in the rule sets, where Spell finds them. Intended for speed: the
// groups of two and three digits that make up larger numbers are then copied, not
// spelled again, which makes spelling the mixed benchmark corpus 1.4 (Hindi) to 2.3
// (German) times as fast (bench/spell_bench.cpp, en, de, ru and hi).
void SpellSmallValues(Locale& locale);

}  // namespace zorv::spell
