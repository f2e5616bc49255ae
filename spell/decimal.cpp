#include "decimal.h"

namespace zorv::spell {
namespace {

__extension__ typedef unsigned __int128 u128;

constexpr std::string_view kMost64 = "18446744073709551615";

}  // namespace

std::string_view StripZeros(std::string_view digits) {
    while (digits.size() > 1 && digits.front() == '0') digits.remove_prefix(1);
    return digits.empty() ? "0" : digits;
}

bool LessDigits(std::string_view a, std::string_view b) { return a.size() != b.size() ? a.size() < b.size() : a < b; }

std::string MultiplySmall(std::string_view digits, std::uint64_t factor) {
    std::string product(digits.size() + 20, '0');
    u128 carry = 0;
    std::size_t at = product.size();
    for (std::size_t i = digits.size(); i-- > 0;) {
        carry += static_cast<u128>(static_cast<unsigned>(digits[i] - '0')) * factor;
        product[--at] = static_cast<char>('0' + static_cast<unsigned>(carry % 10));
        carry /= 10;
    }
    while (carry != 0) {
        product[--at] = static_cast<char>('0' + static_cast<unsigned>(carry % 10));
        carry /= 10;
    }
    return std::string(StripZeros(product));
}

void Increment(std::string& digits) {
    auto at = digits.rbegin();
    for (; at != digits.rend() && *at == '9'; ++at) *at = '0';
    if (at == digits.rend()) {
        digits.insert(digits.begin(), '1');
    } else {
        ++*at;
    }
}

std::string DigitThenZeros(char digit, std::size_t zeros) {
    std::string text(zeros + 1, '0');
    text[0] = digit;
    return text;
}

void RoundToPlaces(std::string& whole, std::string& fraction, std::size_t places, Rounding rounding) {
    if (fraction.size() <= places) return;
    const std::string_view dropped = std::string_view(fraction).substr(places);
    const bool pastHalf = dropped[0] > '5' || (dropped[0] == '5' && dropped.find_first_not_of('0', 1) != std::string_view::npos);
    const bool half = dropped[0] == '5' && !pastHalf;
    const char lastKept = places == 0 ? whole.back() : fraction[places - 1];
    const bool up = pastHalf || (half && (rounding == Rounding::HalfUp || (lastKept - '0') % 2 == 1));
    fraction.resize(places);
    if (!up) return;
    std::string all = whole + fraction;
    Increment(all);
    whole = all.substr(0, all.size() - places);
    fraction = all.substr(all.size() - places);
}

WholeNumber WholeOf(std::string_view digits) {
    digits = StripZeros(digits);
    if (digits.size() < kMost64.size() || (digits.size() == kMost64.size() && digits <= kMost64)) {
        std::uint64_t value = 0;
        for (const char c : digits) value = value * 10 + static_cast<unsigned>(c - '0');
        return {value, {}};
    }
    return {0, std::make_shared<const std::string>(digits)};
}

std::pair<WholeNumber, std::uint64_t> DivMod(const WholeNumber& n, std::uint64_t d) {
    if (!n.IsBig()) return {WholeNumber{n.small / d, {}}, n.small % d};
    std::string quotient;
    u128 rest = 0;
    for (const char c : *n.big) {
        rest = rest * 10 + static_cast<unsigned>(c - '0');
        quotient.push_back(static_cast<char>('0' + static_cast<unsigned>(rest / d)));
        rest %= d;
    }
    return {WholeOf(quotient), static_cast<std::uint64_t>(rest)};
}

WholeNumber Next(const WholeNumber& n) {
    if (!n.IsBig() && n.small != UINT64_MAX) return {n.small + 1, {}};
    std::string digits = n.Digits();
    Increment(digits);
    return WholeOf(digits);
}

WholeNumber ScaledFraction(std::string_view digits, std::uint64_t factor) {
    if (digits.empty()) return WholeOf(MultiplySmall(digits, factor));
    const std::string product = MultiplySmall(digits, factor);
    const std::size_t scale = digits.size();
    std::string whole = product.size() > scale ? product.substr(0, product.size() - scale) : "0";
    std::string fraction = product.size() > scale ? product.substr(product.size() - scale)
                                                  : std::string(scale - product.size(), '0') + product;
    RoundToPlaces(whole, fraction, 0, Rounding::HalfUp);
    return WholeOf(whole);
}

}  // namespace zorv::spell
