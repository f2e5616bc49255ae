#include "currencies.h"

#include <algorithm>

namespace zorv::spell {
namespace {

constexpr Currency kCurrencies[] = {
#include "currencies.inc"
};

}  // namespace

std::span<const Currency> Currencies() { return kCurrencies; }

const Currency* FindCurrency(std::string_view code) {
    const auto found = std::find_if(std::begin(kCurrencies), std::end(kCurrencies), [&](const Currency& c) { return c.code == code; });
    return found == std::end(kCurrencies) ? nullptr : found;
}

}  // namespace zorv::spell
