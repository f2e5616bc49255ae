// The layout of words on the page: their letter case, and lines of at most a width,
// broken at spaces and filled to the width, as a cheque's lines are.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace zorv::spell {

enum class LetterCase { Lower, Upper, Title, Sentence };

// Puts lower-case words in `letterCase`: Upper every letter, Title the first letter of
// each word but "and" (a word begins after a space, hyphen or line break), Sentence the
// first letter of the text. ASCII letters only; other bytes stay as they are.
// With `dottedI` (Turkish and Azerbaijani), i is upper-cased to İ and ı to I.
void ApplyCase(LetterCase letterCase, std::string& text, bool dottedI = false);

// The words broken into lines of at most `width` code points at spaces (a longer word
// stands alone on its line), each line then filled to the width with `fill` (one
// character, or none for no filling).
[[nodiscard]] std::string Wrap(std::string_view words, std::size_t width, std::string_view fill);

}  // namespace zorv::spell
