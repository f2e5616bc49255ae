#include "conversions.h"

#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

namespace zorv::runtime {
namespace {

[[noreturn]] void Raise(ErrorNumber number) { throw RuntimeError(number); }

// Nearest whole number, a tie going to the even neighbour. Independent of the
// floating-point rounding mode; NaN stays NaN and fails the callers' range checks.
double RoundHalfEven(double x) {
    const double below = std::floor(x);
    const double fraction = x - below;  // exact for every finite double
    if (fraction > 0.5) return below + 1;
    if (fraction < 0.5) return below;
    return std::fmod(below, 2.0) == 0 ? below : below + 1;
}

template <typename Int>
Int CheckedNarrow(double whole) {
    // Written as a negated "inside" test so that NaN is out of range too.
    if (!(whole >= static_cast<double>(std::numeric_limits<Int>::min()) &&
          whole <= static_cast<double>(std::numeric_limits<Int>::max()))) {
        Raise(ErrorNumber::Overflow);
    }
    return static_cast<Int>(whole);
}

void AssignAscii(Text& out, const char* first, const char* last) {
    out.assign(first, last);  // widens each ASCII byte to one 16-bit character
}

bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

// Parses the accepted number syntax; the digits (without leading zeros) are
// copied into a narrow buffer for std::from_chars, which rounds correctly.
double ParseNumber(TextView text) {
    std::size_t i = 0;
    const std::size_t n = text.size();
    while (i < n && text[i] == u' ') ++i;
    bool negative = false;
    if (i < n && (text[i] == u'+' || text[i] == u'-')) {
        negative = text[i] == u'-';
        ++i;
    }
    const std::size_t digitsBegin = i;
    while (i < n && IsDigit(text[i])) ++i;
    const std::size_t digitsEnd = i;
    while (i < n && text[i] == u' ') ++i;
    if (digitsBegin == digitsEnd || i != n) Raise(ErrorNumber::TypeMismatch);

    std::size_t first = digitsBegin;
    while (first < digitsEnd && text[first] == u'0') ++first;
    const std::size_t count = digitsEnd - first;
    if (count == 0) return negative ? -0.0 : 0.0;

    std::array<char, 64> small{};
    std::string large;
    char* buffer = small.data();
    if (count > small.size()) {
        large.resize(count);
        buffer = large.data();
    }
    for (std::size_t k = 0; k < count; ++k) buffer[k] = static_cast<char>(text[first + k]);

    double value = 0;
    const auto [end, ec] = std::from_chars(buffer, buffer + count, value, std::chars_format::fixed);
    if (ec == std::errc::result_out_of_range) {
        value = std::numeric_limits<double>::infinity();
    } else if (ec != std::errc{} || end != buffer + count) {
        Raise(ErrorNumber::TypeMismatch);  // unreachable for a run of digits
    }
    return negative ? -value : value;
}

}  // namespace

Long ToLong(double value) { return CheckedNarrow<Long>(RoundHalfEven(value)); }

Long ModLong(double a, double b) {
    const Long divisor = ToLong(b);
    const Long dividend = ToLong(a);
    if (divisor == 0) Raise(ErrorNumber::DivisionByZero);
    // Widened so that the one quotient that does not fit (-2^31 / -1) is harmless.
    return static_cast<Long>(static_cast<std::int64_t>(dividend) % divisor);
}

Integer FloorToInteger(double value) { return CheckedNarrow<Integer>(std::floor(value)); }

Integer ToInteger(Long value) { return CheckedNarrow<Integer>(static_cast<double>(value)); }

Integer AddInteger(Integer a, Integer b) {
    return CheckedNarrow<Integer>(static_cast<double>(static_cast<int>(a) + static_cast<int>(b)));
}

double Divide(double a, double b) {
    if (b == 0) Raise(a == 0 || std::isnan(a) ? ErrorNumber::Overflow : ErrorNumber::DivisionByZero);
    const double quotient = a / b;
    if (!std::isfinite(quotient)) Raise(ErrorNumber::Overflow);
    return quotient;
}

double Multiply(double a, double b) {
    const double product = a * b;
    if (!std::isfinite(product)) Raise(ErrorNumber::Overflow);
    return product;
}

void NumberToText(double value, Text& out) {
    std::array<char, 32> buffer{};
    std::to_chars_result written{};
    if (std::isfinite(value) && value == std::trunc(value) && std::fabs(value) < 1e18) {
        const auto whole = static_cast<std::int64_t>(value);
        written = std::to_chars(buffer.data(), buffer.data() + buffer.size(), whole);
    } else {
        written = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    }
    AssignAscii(out, buffer.data(), written.ptr);
}

Text NumberToText(double value) {
    Text out;
    NumberToText(value, out);
    return out;
}

void IntegerToText(Integer value, Text& out) {
    std::array<char, 8> buffer{};
    const auto written = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    AssignAscii(out, buffer.data(), written.ptr);
}

Text IntegerToText(Integer value) {
    Text out;
    IntegerToText(value, out);
    return out;
}

double TextToNumber(TextView text) { return ParseNumber(text); }

Integer TextToInteger(TextView text) {
    return CheckedNarrow<Integer>(RoundHalfEven(TextToNumber(text)));
}

bool IsNumericallyZero(TextView text) { return TextToNumber(text) == 0; }

Long TextLength(TextView text) {
    if (text.size() > static_cast<std::size_t>(std::numeric_limits<Long>::max())) {
        Raise(ErrorNumber::Overflow);
    }
    return static_cast<Long>(text.size());
}

bool TextEquals(TextView a, TextView b) noexcept { return a == b; }

Text Join(TextView a, TextView b) {
    Text joined;
    joined.reserve(a.size() + b.size());
    joined.append(a).append(b);
    return joined;
}

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
    if (index < 0 || index >= Count()) Raise(ErrorNumber::SubscriptOutOfRange);
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
