// Spelling a number by the rules of a locale: the interpreter of compiled rule sets
// (rule_book.h), exact at any length. It keeps, with each locale, the words of the
// numbers below 1,000 in every rule set, made on the locale's first use.
#pragma once

#include <string>
#include <string_view>

#include "rule_book.h"
#include "spell_error.h"

namespace zorv::spell {

// Spells the number of `negative`, `whole` (digits) and `fraction` (the digits written
// after the point, none for a whole number) by the rule set `set` of `locale`, in
// UTF-8, appended to `out`. The digits after the point are the digits written, so
// "4561.10" names both "1" and "0" where the rules spell a fraction digit by digit.
// Throws SpellError for rules that cannot spell it; `out` may then hold part of the words.
void SpellDigitsInto(const Locale& locale, const RuleSet& set, bool negative, std::string_view whole,
                     std::string_view fraction, std::string& out);

// The same for a number written as text, read as ReadWrittenNumber reads it. Throws
// SpellError for text that is no number, as well.
void SpellInto(const Locale& locale, const RuleSet& set, std::string_view number, std::string& out);
[[nodiscard]] std::string Spell(const Locale& locale, const RuleSet& set, std::string_view number);

}  // namespace zorv::spell
