// How the reader turns number words into the number: the text cut into the words of
// its vocabulary (and fractions written in figures, "05/100"), and the words parsed as
// a whole number with its scale words, a number with a point, or an amount of money in
// its major and minor units, exactly at any length written.
#pragma once

#include <string>
#include <string_view>

#include "reader_vocabulary.h"

namespace zorv::spell {

// The number that `text` names in the words of `vocabulary`: "-1234.05", no grouping,
// no leading zero; an amount's minor units, when its words name them, as all the
// digits its currency has after the point. `styleCurrency`: the words must name the
// first of the vocabulary's currencies, if any. Throws SpellError saying why the text
// is no number, quoting the part at fault.
[[nodiscard]] std::string ReadNumberWords(std::string_view text, const ReaderVocabulary& vocabulary, bool styleCurrency);

}  // namespace zorv::spell
