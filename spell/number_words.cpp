#include "number_words.h"

#include <algorithm>

#include "interpreter.h"

namespace zorv::spell {

void NumberWordsInto(const Style& style, bool negative, std::string_view whole, std::string_view fraction, std::string& out) {
    const std::size_t start = out.size();
    SpellDigitsInto(*style.locale, *style.rules, negative, whole, fraction, out);
    if (!style.hyphens) std::replace(out.begin() + static_cast<std::ptrdiff_t>(start), out.end(), '-', ' ');
}

std::string MinusWords(const Style& style) {
    std::string minusOne, one;
    NumberWordsInto(style, true, "1", {}, minusOne);
    NumberWordsInto(style, false, "1", {}, one);
    return minusOne.substr(0, minusOne.size() - one.size());
}

}  // namespace zorv::spell
