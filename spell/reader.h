// Reading English number words back into the number: the words of every English style
// written here (the classic answer with its spacing and "Fourty", plain, british,
// ordinal, indian, money and cheque forms, any letter case, hyphens or spaces, fill
// characters and line breaks), exactly, at any length written.
#pragma once

#include <functional>
#include <map>
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

    // Reads words of `style`'s kind (its currency's names and minor digits; a style
    // without a currency still reads money in any currency of the table).
    WordReader(const Style& style, const ClassicWords& classic);

    [[nodiscard]] Reading Read(std::string_view words) const;

    // Whether `words` name exactly the number `figures` (as the style reads numbers):
    // read true when they do; else the text says what the words say instead, or why
    // the words or the figures are no number.
    [[nodiscard]] Reading Verify(std::string_view figures, std::string_view words) const;

    enum class Kind { Unit, Ten, Hundred, Scale, Point, Minus, And, Only, Major, Minor };
    struct Word {
        Kind kind;
        unsigned value = 0;     // Unit: 0 to 19; Ten: 20 to 90; Scale: the power of ten
        bool ordinal = false;   // "first", "twentieth", "hundredth", "millionth"
        unsigned digits = 0;    // Major, Minor: the currency's minor digits
    };

private:
    const Style& style_;
    std::map<std::string, Word, std::less<>> words_;
    std::size_t longest_ = 0;
};

}  // namespace zorv::spell
