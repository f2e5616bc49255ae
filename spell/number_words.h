// The words of a number by a style's rules: the interpreter with the style's locale and
// rule set, hyphens kept or made spaces as the style says.
#pragma once

#include <string>
#include <string_view>

#include "style.h"

namespace zorv::spell {

// Appends the words of the number of `negative`, `whole` (digits) and `fraction` (the
// digits after the point, none for a whole number) to `out`. Throws SpellError.
void NumberWordsInto(const Style& style, bool negative, std::string_view whole, std::string_view fraction, std::string& out);

// The words the style's rules put before a negative number: the difference between
// their words of -1 and of 1 ("minus ").
[[nodiscard]] std::string MinusWords(const Style& style);

}  // namespace zorv::spell
