// An amount of money in the words of a language other than English, by the language's
// row of the money table: the unit and minor unit in the plural form each number takes,
// the numbers in the gender of each noun, the language's order and connectors, "of"
// after a round large number ("un millón de euros"), and the minor part by places
// where the language writes it so (叁仟零陆元柒角).
#pragma once

#include <string>
#include <string_view>

#include "style.h"

namespace zorv::spell {

// The parts of an amount, rounded and checked by the caller.
struct AmountParts {
    std::string_view whole;  // digits, no leading zero ("0" for none)
    std::string_view minor;  // the minor digits, as many as the currency has; empty with no minor part
    bool negative = false;
};

// Appends the words of the amount in `style` (a money style with a moneyLanguage) to
// `out`. Throws SpellError when the rules cannot spell a number.
void LanguageMoneyInto(const Style& style, const AmountParts& amount, std::string& out);

}  // namespace zorv::spell
