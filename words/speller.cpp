// Numbers in words in a style, for the C++ and C ways in: the style description read
// once, then the document rules, a locale's rules, or the classic Convert command.
#include <new>
#include <stdexcept>

#include "speller.h"
#include "style.h"
#include "zorv/words.hpp"

namespace zorv {

struct Speller::State {
    spell::Style style;
};

Speller::Speller(std::string_view style) {
    try {
        state_ = std::make_shared<const State>(State{spell::ParseStyle(style)});
    } catch (const spell::StyleError& error) {
        throw std::invalid_argument(error.what());
    }
}

Speller::Result Speller::Spell(std::string_view number) const {
    if (state_->style.classic) {
        // The window's answer: the text read as zorv-words reads its input.
        std::u16string text, words;
        AppendUtf8AsText(number, text);
        Converter converter;
        const Outcome outcome = converter.Convert(text);
        std::string answer;
        AppendTextAsUtf8(outcome.text, answer);
        return {outcome.answered, std::move(answer)};
    }
    try {
        return {true, spell::SpellInStyle(state_->style, number)};
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
