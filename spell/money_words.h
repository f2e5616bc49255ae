// An amount of money in words: the major unit and the minor one named, in words or as
// "05/100", with the currency first or last, "only" at the end, the fraction rounded
// to the currency's digits or refused, and no negative amount on a cheque.
#pragma once

#include <string>

#include "style.h"
#include "written_number.h"

namespace zorv::spell {

// Appends the words of `amount` in the money style `style` to `out`, lower case on one
// line. Throws SpellError for an amount the style does not write (a negative cheque,
// more digits than the currency's without round=, a minor part under minor=none).
void MoneyWordsInto(const Style& style, WrittenNumber amount, std::string& out);

}  // namespace zorv::spell
