// Numbers in words in a style, for the C++ and C ways in: the style description read
// once, then the rule interpreter.
#include <new>
#include <stdexcept>

#include "speller.h"
#include "style.h"
#include "zorv/words.hpp"

namespace zorv {

Speller::Speller(std::string_view style) {
    try {
        const spell::Style parsed = spell::ParseStyle(style);
        locale_ = parsed.locale;
        rules_ = parsed.rules;
    } catch (const spell::StyleError& error) {
        throw std::invalid_argument(error.what());
    }
}

Speller::Result Speller::Spell(std::string_view number) const {
    const spell::Style style{static_cast<const spell::Locale*>(locale_), static_cast<const spell::RuleSet*>(rules_)};
    try {
        return {true, spell::SpellInStyle(style, number)};
    } catch (const spell::SpellError& error) {
        return {false, error.what()};
    }
}

std::string Speller::ListLocales() {
    const spell::RuleBook& book = spell::RuleBook::Builtin();
    std::string list;
    for (const std::string_view name : book.Names()) {
        list += name;
        list += ':';
        for (const spell::RuleSet& set : book.Find(name)->sets) {
            if (!set.isPublic) continue;
            list += ' ';
            list += set.name;
        }
        list += '\n';
    }
    return list;
}

}  // namespace zorv
