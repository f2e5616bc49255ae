// The currencies a money style may name: each ISO 4217 code with the English names of
// its unit and minor unit, singular and plural, and its number of minor digits (CLDR's),
// generated into currencies.inc by scripts/make-currencies.py.
#pragma once

#include <span>
#include <string_view>

namespace zorv::spell {

struct Currency {
    std::string_view code, unit, units, subunit, subunits;
    unsigned digits;  // minor digits: 0, 2 or 3
};

// Every currency of the table, in its order.
[[nodiscard]] std::span<const Currency> Currencies();

// The currency of an ISO 4217 code; null for a code not in the table.
[[nodiscard]] const Currency* FindCurrency(std::string_view code);

}  // namespace zorv::spell
