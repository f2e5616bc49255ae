#include "reader_vocabulary.h"

#include <algorithm>
#include <map>
#include <stdexcept>

#include "wording.h"

namespace zorv::spell {
namespace {

using Kind = WordKind;

// The words learned so far and their meanings: the first meaning of each word wins.
using Meanings = std::map<std::string, NumberWord, std::less<>>;

void Learn(Meanings& words, const std::string& text, const NumberWord& word) {
    if (!text.empty()) words.try_emplace(text, word);
}

// The words of a text in lower case, split at everything that is not a letter.
std::vector<std::string> Split(std::string_view text) {
    std::vector<std::string> words;
    std::string word;
    for (const char c : text) {
        if (IsWordLetter(c)) {
            word.push_back(LowerLetter(c));
        } else if (!word.empty()) {
            words.push_back(std::move(word));
            word.clear();
        }
    }
    if (!word.empty()) words.push_back(std::move(word));
    return words;
}

// "1" and `zeros` zeros.
std::string PowerOfTen(std::size_t zeros) {
    std::string text(zeros + 1, '0');
    text[0] = '1';
    return text;
}

// The words the English styles write (rules/en.txt), learned by spelling the numbers
// they name, so that no word list is written twice.
void LearnStyleWords(Meanings& words) {
    const Style plain = ParseStyle("plain"), ordinal = ParseStyle("ordinal"), british = ParseStyle("british"),
                indian = ParseStyle("indian"), indianOrdinal = ParseStyle("ordinal,numbering=indian"),
                indianCheque = ParseStyle("cheque,currency=INR");
    const auto wordsOf = [](const Style& written, const std::string& number) { return Split(SpellInStyle(written, number)); };
    const auto last = [&](const Style& written, const std::string& number) { return wordsOf(written, number).back(); };

    for (unsigned n = 0; n < 20; ++n) {
        Learn(words, last(plain, std::to_string(n)), {Kind::Unit, n});
        Learn(words, last(ordinal, std::to_string(n)), {Kind::Unit, n, true});
    }
    for (unsigned n = 20; n < 100; n += 10) {
        Learn(words, last(plain, std::to_string(n)), {Kind::Ten, n});
        Learn(words, last(ordinal, std::to_string(n)), {Kind::Ten, n, true});
    }
    Learn(words, last(plain, "100"), {Kind::Hundred});
    Learn(words, last(ordinal, "100"), {Kind::Hundred, 0, true});
    for (unsigned zeros = 3; zeros < kMostDigits; zeros += 3) {
        Learn(words, last(plain, PowerOfTen(zeros)), {Kind::Scale, zeros});
        Learn(words, last(ordinal, PowerOfTen(zeros)), {Kind::Scale, zeros, true});
    }
    for (const unsigned zeros : {5u, 7u}) {
        Learn(words, last(indian, PowerOfTen(zeros)), {Kind::Scale, zeros});
        Learn(words, last(indianOrdinal, PowerOfTen(zeros)), {Kind::Scale, zeros, true});
    }
    Learn(words, wordsOf(plain, "0.5").at(1), {Kind::Point});
    Learn(words, wordsOf(plain, "-1").front(), {Kind::Minus});
    Learn(words, wordsOf(british, "101").at(2), {Kind::And});
    Learn(words, last(indianCheque, "1"), {Kind::Only});
}

// The classic answer's own spellings ("Fourty"), where they differ from the styles'.
void LearnClassicWords(Meanings& words, const ReaderVocabulary::ClassicWords& classic) {
    const auto last = [&](const std::string& number) { return Split(classic(number)).back(); };
    for (unsigned n = 1; n < 20; ++n) Learn(words, last(std::to_string(n)), {Kind::Unit, n});
    for (unsigned n = 20; n < 100; n += 10) Learn(words, last(std::to_string(n)), {Kind::Ten, n});
    Learn(words, last("100"), {Kind::Hundred});
    for (unsigned zeros = 3; zeros <= 12; zeros += 3) Learn(words, last(PowerOfTen(zeros)), {Kind::Scale, zeros});
}

// The names of `currency`, each word with every currency it names: a name that another
// currency has already taken adds this one to its set. The currency takes the next
// place in `currencies`, and its bit in the sets.
void LearnCurrency(Meanings& words, std::vector<NamedCurrency>& currencies, const Currency& currency) {
    if (currencies.size() == CurrencySet().size()) throw std::length_error("more currencies than the reader tells apart");
    CurrencySet bit;
    bit.set(currencies.size());
    currencies.push_back({std::string(currency.code), currency.digits});
    // A name of several words is known by its last.
    const auto learnName = [&](std::string_view name, Kind kind) {
        const auto parts = Split(name);
        if (parts.empty()) return;
        const auto [known, added] = words.try_emplace(parts.back(), NumberWord{kind, 0, false, bit});
        if (!added && known->second.kind == kind) known->second.currencies |= bit;
    };
    for (const std::string_view name : {currency.unit, currency.units}) learnName(name, Kind::Major);
    for (const std::string_view name : {currency.subunit, currency.subunits}) learnName(name, Kind::Minor);
}

}  // namespace

ReaderVocabulary::ReaderVocabulary(const Style& style, const ClassicWords& classic) {
    Meanings words;
    LearnStyleWords(words);
    if (classic) LearnClassicWords(words, classic);
    if (style.money) {
        LearnCurrency(words, currencies_, {style.currency, style.unit, style.units, style.subunit, style.subunits, style.digits});
    }
    for (const Currency& currency : Currencies()) LearnCurrency(words, currencies_, currency);

    trie_.emplace_back();
    for (const auto& [text, word] : words) AddToTrie(text, word);
}

void ReaderVocabulary::AddToTrie(std::string_view text, const NumberWord& word) {
    std::uint32_t node = 0;
    for (const char c : text) {
        const auto& next = trie_[node].next;
        const auto child = std::find_if(next.begin(), next.end(), [c](const auto& edge) { return edge.first == c; });
        if (child != next.end()) {
            node = child->second;
        } else {
            const auto added = static_cast<std::uint32_t>(trie_.size());
            trie_[node].next.emplace_back(c, added);
            trie_.emplace_back();
            node = added;
        }
    }
    trie_[node].word = word;
}

std::pair<std::size_t, const NumberWord*> ReaderVocabulary::LongestWord(std::string_view letters) const {
    std::pair<std::size_t, const NumberWord*> longest{0, nullptr};
    std::uint32_t node = 0;
    for (std::size_t i = 0; i < letters.size(); ++i) {
        const auto& next = trie_[node].next;
        const auto child = std::find_if(next.begin(), next.end(), [c = letters[i]](const auto& edge) { return edge.first == c; });
        if (child == next.end()) break;
        node = child->second;
        if (trie_[node].word) longest = {i + 1, &*trie_[node].word};
    }
    return longest;
}

}  // namespace zorv::spell
