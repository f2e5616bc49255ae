// Numbers in words in a style, for the C++ and C ways in: the style description read
// once, then the document rules, a locale's rules, or the classic Convert command.
#include <algorithm>
#include <memory>
#include <mutex>
#include <new>
#include <stdexcept>

#include "reader.h"
#include "interpreter.h"
#include "style.h"
#include "wording.h"
#include "zorv/words.hpp"

namespace zorv {
namespace {

// The classic answer for a number typed as UTF-8 text, as UTF-8.
std::pair<bool, std::string> ClassicAnswer(std::string_view number) {
    std::u16string text;
    AppendUtf8AsText(number, text);
    Converter converter;
    const Outcome outcome = converter.Convert(text);
    std::string answer;
    AppendTextAsUtf8(outcome.text, answer);
    return {outcome.answered, std::move(answer)};
}

}  // namespace

struct Speller::State {
    spell::Style style;
    // Made on first use: it learns its words by spelling a few hundred numbers.
    mutable std::once_flag readerMade;
    mutable std::unique_ptr<spell::WordReader> reader;

    const spell::WordReader& Reader() const {
        std::call_once(readerMade, [this] {
            reader = std::make_unique<spell::WordReader>(style, [](std::string_view number) { return ClassicAnswer(number).second; });
        });
        return *reader;
    }
};

Speller::Speller(std::string_view style) {
    try {
        auto state = std::make_shared<State>();
        state->style = spell::ParseStyle(style);
        state_ = std::move(state);
    } catch (const spell::StyleError& error) {
        throw std::invalid_argument(error.what());
    }
}

bool Speller::Classic() const noexcept { return state_->style.classic; }

Speller::Result Speller::Spell(std::string_view number) const {
    if (state_->style.classic) {
        auto [answered, words] = ClassicAnswer(number);
        return {answered, std::move(words)};
    }
    try {
        return {true, spell::SpellInStyle(state_->style, number)};
    } catch (const spell::SpellError& error) {
        return {false, error.what()};
    }
}

Speller::Result Speller::Read(std::string_view words) const {
    auto reading = state_->Reader().Read(words);
    return {reading.read, std::move(reading.text)};
}

Speller::Result Speller::Verify(std::string_view figures, std::string_view words) const {
    auto reading = state_->Reader().Verify(figures, words);
    return {reading.read, std::move(reading.text)};
}

static_assert(Speller::kLongestText == spell::kLongestText);

Speller::Result Speller::TooLong() { return {false, std::string(spell::kTooLong)}; }

std::vector<std::string> Speller::Presets() {
    const auto presets = spell::StylePresets();
    return {presets.begin(), presets.end()};
}

std::vector<Speller::Option> Speller::Options() {
    std::vector<Option> options;
    for (const spell::StyleOption& option : spell::StyleOptions()) {
        options.push_back({std::string(option.name), std::string(option.values), std::string(option.meaning)});
    }
    return options;
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
        if (const spell::MoneyLanguage* money = spell::FindMoneyLanguage(name)) {
            list += " (money:";
            // The language's own currencies in its order, then any other it has words for.
            std::vector<std::string_view> codes = money->currencies;
            for (const spell::MoneyCurrencyWords& currency : money->currencyWords) {
                if (std::find(codes.begin(), codes.end(), currency.code) == codes.end()) codes.push_back(currency.code);
            }
            for (const std::string_view code : codes) {
                if (money->Find(code) == nullptr) continue;
                list += ' ';
                list += code;
            }
            list += ')';
        }
        list += '\n';
    }
    return list;
}

}  // namespace zorv
