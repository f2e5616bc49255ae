// A compiled rule set as text, one rule a line, as the loader reads it: what the
// compiler made of the rule text, for tests to compare with what it should be and for
// a person to read.
#pragma once

#include <string>

#include "rule_book.h"

namespace zorv::spell {

// The rule set `set` of `locale`:
//   %name or %%name (private) [fraction]
//   kind or base (radix, exponent where not 10 and the expected one): its pieces
// where a text is quoted, a substitution is <<, >>, ==, >>> (with the index of its
// rule), or numerator (with its zeros), followed by the rule set or the decimal pattern
// it formats with when not its own, and a plural is $(type,category{text}...)$.
[[nodiscard]] std::string DumpRuleSet(const Locale& locale, const RuleSet& set);

}  // namespace zorv::spell
