// Reading English number words back into the number: the words of every English style
// written here (the classic answer with its spacing and "Fourty", plain, british,
// ordinal, indian, money and cheque forms, any letter case, hyphens or spaces, fill
// characters and line breaks), exactly, at any length written.
#pragma once

#include <bitset>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "style.h"

namespace zorv::spell {

struct Reading {
    bool read = false;
    std::string text;  // the number ("-1234.05", no grouping, no leading zero) or why there is none
};

class WordReader {
public:
    // The classic answer's words for a number typed as text ("40" -> "Fourty "), from
    // which the reader learns the classic engine's own spellings.
    using ClassicWords = std::function<std::string(std::string_view)>;

    // Reads words of `style`'s kind. Words that name a currency are an amount of it:
    // its minor digits count, and with a money style it must be the style's currency.
    // A style without a currency reads money in any currency of the table. Words
    // longer than kLongestText bytes are refused; reading is linear in their length.
    WordReader(const Style& style, const ClassicWords& classic);

    [[nodiscard]] Reading Read(std::string_view words) const;

    // Whether `words` name exactly the number `figures` (as the style reads numbers):
    // read true when they do; else the text says what the words say instead, or why
    // the words or the figures are no number.
    [[nodiscard]] Reading Verify(std::string_view figures, std::string_view words) const;

    enum class Kind { Unit, Ten, Hundred, Scale, Point, Minus, And, Only, Major, Minor };
    // The currencies a name may stand for ("dollar": USD, AUD, CAD, ...), by their
    // place in currencies_.
    using CurrencySet = std::bitset<256>;
    struct Word {
        Kind kind;
        unsigned value = 0;       // Unit: 0 to 19; Ten: 20 to 90; Scale: the power of ten
        bool ordinal = false;     // "first", "twentieth", "hundredth", "millionth"
        CurrencySet currencies{};  // Major, Minor: whose unit or minor unit it names
    };
    struct NamedCurrency {
        std::string code;  // as messages name it: "USD"
        unsigned digits;   // its minor digits
    };

private:
    const Style& style_;
    // The style's own currency first (for a money style), then the table's.
    std::vector<NamedCurrency> currencies_;
    // The longest word that `letters` (lower case) begin with: its length and meaning,
    // or 0 and null. Linear in the word's length, whatever the number of words.
    [[nodiscard]] std::pair<std::size_t, const Word*> LongestWord(std::string_view letters) const;

    // Every word, letter by letter: each node's edges by letter, and the word that
    // ends there.
    struct TrieNode {
        std::vector<std::pair<char, std::uint32_t>> next;
        std::optional<Word> word;
    };
    std::vector<TrieNode> trie_;
};

}  // namespace zorv::spell
