#include "conversions.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cmath>
#include <limits>
#include <optional>

namespace zorv::runtime {
namespace {

// The decimal digits of `value`, with a "-" for a negative one, written to the end
// of `buffer`, two digits per division.
TextView WriteDigits(NumberBuffer& buffer, std::int64_t value) {
    static constexpr char16_t kPairs[] =
        u"00010203040506070809101112131415161718192021222324252627282930313233343536373839"
        u"40414243444546474849505152535455565758596061626364656667686970717273747576777879"
        u"8081828384858687888990919293949596979899";
    char16_t* const last = buffer.data() + buffer.size();
    char16_t* first = last;
    std::uint64_t rest = value < 0 ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
    while (rest >= 100) {
        first -= 2;
        std::memcpy(first, &kPairs[2 * (rest % 100)], 2 * sizeof(char16_t));
        rest /= 100;
    }
    if (rest >= 10) {
        first -= 2;
        std::memcpy(first, &kPairs[2 * rest], 2 * sizeof(char16_t));
    } else {
        *--first = static_cast<char16_t>(u'0' + rest);
    }
    if (value < 0) *--first = u'-';
    return {first, static_cast<std::size_t>(last - first)};
}

bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

// The value of the four characters at `p` when all are ASCII digits, read as one
// 64-bit word (little-endian: the first character in the lowest lane).
std::optional<std::uint32_t> FourDigits(const char16_t* p) {
    std::uint64_t lanes = 0;
    std::memcpy(&lanes, p, sizeof lanes);
    const std::uint64_t d = lanes - 0x0030'0030'0030'0030;
    // A lane below '0' wraps to a high value; one above '9' reaches 0x8000 once 0x7FF6
    // is added. Either sets the lane's top bit.
    if (((d | (d + 0x7FF6'7FF6'7FF6'7FF6)) & 0x8000'8000'8000'8000) != 0) return std::nullopt;
    // Pairs first (d0 * 10 + d1 in lane 0, d2 * 10 + d3 in lane 2), then the pairs.
    const std::uint64_t pairs = (d * 10 + (d >> 16)) & 0x0000'00FF'0000'00FF;
    return static_cast<std::uint32_t>((pairs * 100 + (pairs >> 32)) & 0xFFFF);
}

// Parses the accepted number syntax in one pass. Up to 19 significant digits are
// accumulated exactly in 64 bits, whose one conversion to double rounds correctly;
// longer runs of digits go to the C library's strtod, which rounds correctly at any
// length in every build (glibc, and musl in the browser's), and reads plain digits
// alike under every locale.
double ParseNumber(TextView text) {
    const char16_t* p = text.data();
    const char16_t* const end = p + text.size();
    while (p != end && *p == u' ') ++p;
    bool negative = false;
    if (p != end && (*p == u'+' || *p == u'-')) negative = *p++ == u'-';
    const char16_t* const digitsBegin = p;
    while (p != end && *p == u'0') ++p;
    const char16_t* const significant = p;
    std::uint64_t whole = 0;
    if constexpr (std::endian::native == std::endian::little) {
        while (end - p >= 4) {
            const auto four = FourDigits(p);
            if (!four) break;
            whole = whole * 10'000 + *four;  // wraps harmlessly past 19 digits
            p += 4;
        }
    }
    while (p != end && IsDigit(*p)) {
        whole = whole * 10 + static_cast<unsigned>(*p - u'0');  // wraps harmlessly past 19 digits
        ++p;
    }
    const char16_t* const digitsEnd = p;
    while (p != end && *p == u' ') ++p;
    if (digitsBegin == digitsEnd || p != end) detail::RaiseError(ErrorNumber::TypeMismatch);

    const auto count = static_cast<std::size_t>(digitsEnd - significant);
    double value = 0;
    if (count <= 19) {
        value = static_cast<double>(whole);
    } else {
        const std::string digits(significant, digitsEnd);  // narrowed: every character is an ASCII digit
        value = std::strtod(digits.c_str(), nullptr);     // HUGE_VAL, infinity, beyond the double range
    }
    return negative ? -value : value;
}

}  // namespace

namespace detail {

void RaiseError(ErrorNumber number) { throw RuntimeError(number); }

}  // namespace detail

TextView NumberToText(double value, NumberBuffer& buffer) {
    if (std::fabs(value) < 1e18 && static_cast<double>(static_cast<std::int64_t>(value)) == value) {
        return WriteDigits(buffer, static_cast<std::int64_t>(value));
    }
    // Any other value: the shortest "%g" text that reads back as the value, from the C
    // library, so that every build writes the same text (NaN takes all 17 digits).
    std::array<char, 32> ascii{};
    int length = 0;
    for (int precision = 1; precision <= 17; ++precision) {
        length = std::snprintf(ascii.data(), ascii.size(), "%.*g", precision, value);
        if (std::strtod(ascii.data(), nullptr) == value) break;
    }
    std::copy_n(ascii.data(), length, buffer.data());  // widens each ASCII byte
    return {buffer.data(), static_cast<std::size_t>(length)};
}

TextView IntegerToText(Integer value, NumberBuffer& buffer) { return WriteDigits(buffer, value); }

double TextToNumber(TextView text) { return ParseNumber(text); }

Integer TextToInteger(TextView text) {
    return detail::CheckedNarrow<Integer>(detail::RoundHalfEven(TextToNumber(text)));
}

Long TextLength(TextView text) {
    if (text.size() > static_cast<std::size_t>(std::numeric_limits<Long>::max())) {
        detail::RaiseError(ErrorNumber::Overflow);
    }
    return static_cast<Long>(text.size());
}

bool TextEquals(TextView a, TextView b) noexcept { return a == b; }

TextView LeftText(TextView text, Long count) {
    return text.substr(0, static_cast<std::size_t>(count < 0 ? 0 : count));
}

TextView RightText(TextView text, Long count) {
    const auto n = static_cast<std::size_t>(count < 0 ? 0 : count);
    return n >= text.size() ? text : text.substr(text.size() - n);
}

Long FindText(Long start, TextView text, TextView sought) {
    if (start < 1) start = 1;
    const auto from = static_cast<std::size_t>(start - 1);
    if (from > text.size()) return 0;
    const auto at = text.find(sought, from);
    return at == TextView::npos ? 0 : static_cast<Long>(at + 1);
}

TextView Pieces::operator()(Long index) const {
    if (index < 0 || index >= Count()) detail::RaiseError(ErrorNumber::SubscriptOutOfRange);
    return pieces_[static_cast<std::size_t>(index)];
}

void SplitAtPoint(TextView text, Pieces& into) {
    into.pieces_.clear();
    std::size_t begin = 0;
    for (;;) {
        const auto point = text.find(u'.', begin);
        if (point == TextView::npos) break;
        into.pieces_.push_back(text.substr(begin, point - begin));
        begin = point + 1;
    }
    into.pieces_.push_back(text.substr(begin));
}

}  // namespace zorv::runtime
