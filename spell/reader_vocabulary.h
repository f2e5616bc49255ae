// The words the reader of number words knows and what each means: learned by spelling
// numbers in the English styles and the classic answer, and from the currency table;
// kept in a trie, so that the longest word a run of letters begins with is found in
// time linear in the word's length, whatever the number of words.
#pragma once

#include <bitset>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "style.h"

namespace zorv::spell {

enum class WordKind { Unit, Ten, Hundred, Scale, Point, Minus, And, Only, Major, Minor };

// The currencies a name may stand for ("dollar": USD, AUD, CAD, ...), by their place in
// ReaderVocabulary::KnownCurrencies().
using CurrencySet = std::bitset<256>;

// What a word means to the reader.
struct NumberWord {
    WordKind kind;
    unsigned value = 0;        // Unit: 0 to 19; Ten: 20 to 90; Scale: the power of ten
    bool ordinal = false;      // "first", "twentieth", "hundredth", "millionth"
    CurrencySet currencies{};  // Major, Minor: whose unit or minor unit it names
};

struct NamedCurrency {
    std::string code;  // as messages name it: "USD"
    unsigned digits;   // its minor digits
};

// Words are made of ASCII letters, and are known in lower case: the words learned and
// the text read are cut into words by the same letters.
inline bool IsWordLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
inline char LowerLetter(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

class ReaderVocabulary {
public:
    // The classic answer's words for a number typed as text ("40" -> "Fourty "), from
    // which the vocabulary learns the classic engine's own spellings.
    using ClassicWords = std::function<std::string(std::string_view)>;

    // Learns the words of every English style, the classic answer's (when `classic` is
    // set) and the names of every currency: `style`'s own first when it is a money
    // style. Where two meanings share a word, the first learned wins. Throws
    // std::length_error for more currencies than a CurrencySet tells apart.
    ReaderVocabulary(const Style& style, const ClassicWords& classic);

    // The longest word that `letters` (lower case) begin with: its length and meaning,
    // or 0 and null. Linear in the word's length, whatever the number of words.
    [[nodiscard]] std::pair<std::size_t, const NumberWord*> LongestWord(std::string_view letters) const;

    // The currencies the words may name, in the order of CurrencySet's bits: a money
    // style's own first, then the table's.
    [[nodiscard]] const std::vector<NamedCurrency>& KnownCurrencies() const { return currencies_; }

private:
    // Stores `word` as the meaning of `text` in the trie, in place of any before it.
    void AddToTrie(std::string_view text, const NumberWord& word);

    // Every word, letter by letter: each node's edges by letter, and the word that ends
    // there.
    struct TrieNode {
        std::vector<std::pair<char, std::uint32_t>> next;
        std::optional<NumberWord> word;
    };
    std::vector<TrieNode> trie_;
    std::vector<NamedCurrency> currencies_;
};

}  // namespace zorv::spell
