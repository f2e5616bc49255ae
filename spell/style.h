// A style description: how a number is worded, as a comma-separated list beginning
// with a preset, "plain,locale=de,rules=spellout-ordinal". The preset "plain" spells
// with the rules of a locale (English unless locale= names another) and the rule set
// spellout-numbering unless rules= names another public rule set of that locale.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

#include "rule_book.h"

namespace zorv::spell {

// Thrown for a description that names an unknown preset, option, locale or rule set;
// the message names it.
class StyleError : public std::invalid_argument {
public:
    using std::invalid_argument::invalid_argument;
};

struct Style {
    const Locale* locale = nullptr;
    const RuleSet* rules = nullptr;
};

// The style a description gives, with the rules of `book`. Throws StyleError.
[[nodiscard]] Style ParseStyle(std::string_view description, const RuleBook& book = RuleBook::Builtin());

// The words of `number` (as Spell reads it) in that style. Throws SpellError.
[[nodiscard]] std::string SpellInStyle(const Style& style, std::string_view number);

}  // namespace zorv::spell
