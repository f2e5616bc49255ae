// A number in the words of a style (style.h): the number read once, worded as a plain
// number, an ordinal or an amount of money, then put in the style's letter case and
// lines.
#pragma once

#include <string>
#include <string_view>

#include "style.h"

namespace zorv::spell {

// The words of `number` in that style (not classic), appended to `out`: an optional
// sign, digits grouped by commas in threes or in the Indian way, or not at all, an
// optional point and digits, spaces around it ignored; a zero written with a sign is
// zero. Throws SpellError naming what is wrong with the number; `out` may then hold
// part of the words.
void SpellInStyleInto(const Style& style, std::string_view number, std::string& out);

[[nodiscard]] std::string SpellInStyle(const Style& style, std::string_view number);

}  // namespace zorv::spell
