// The numeric and text conversions every computation of the converter rests on.
// All are stateless, independent of the locale, and fail only by throwing RuntimeError.
#pragma once

#include <array>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

#include "runtime_error.h"

namespace zorv::runtime {

using Integer = std::int16_t;  // signed 16-bit
using Long = std::int32_t;     // signed 32-bit
using Text = std::u16string;   // 16-bit characters; lengths and positions count them
using TextView = std::u16string_view;

// --- Numbers -------------------------------------------------------------

// Nearest Long, a tie going to the even neighbour (2.5 -> 2, 3.5 -> 4).
// Throws Overflow when the rounded value lies outside the Long range.
[[nodiscard]] Long ToLong(double value);

// ToLong of both operands (the divisor first), then the remainder of the
// truncating division, with the sign of `a`.
// Throws Overflow from ToLong, DivisionByZero when ToLong(b) is 0.
[[nodiscard]] Long ModLong(double a, double b);

// The largest Integer not greater than `value` (2.9 -> 2, -0.5 -> -1).
// Throws Overflow outside the Integer range.
[[nodiscard]] Integer FloorToInteger(double value);

// `value` unchanged; throws Overflow outside the Integer range.
[[nodiscard]] Integer ToInteger(Long value);

// a + b (pass a negative b to subtract); throws Overflow when the exact result
// lies outside the Integer range.
[[nodiscard]] Integer AddInteger(Integer a, Integer b);

// IEEE quotient. Throws DivisionByZero for a non-zero number divided by zero,
// Overflow for zero divided by zero or an infinite result.
[[nodiscard]] double Divide(double a, double b);

// IEEE product; throws Overflow for an infinite result.
[[nodiscard]] double Multiply(double a, double b);

// --- Text and numbers ----------------------------------------------------

// Room for the text of any number NumberToText and IntegerToText produce.
using NumberBuffer = std::array<char16_t, 32>;

// The plain decimal digits of a whole number (no sign for 0 to 999,999,999,999,999,
// no separators, no exponent; "0" for zero), so the text's length is the number of
// digits. Other values get the shortest "%g" form that reads back as the value
// ("0.5", "1e+20", "inf"). Never throws.
// Written into `buffer`; the view refers to it.
[[nodiscard]] TextView NumberToText(double value, NumberBuffer& buffer);

// Decimal digits, with a leading "-" for a negative value, written into `buffer`.
[[nodiscard]] TextView IntegerToText(Integer value, NumberBuffer& buffer);

// Accepts optional spaces, at most one leading "+" or "-", one or more ASCII
// digits and optional spaces; gives the nearest double (exact below 2^53, +/-infinity
// when the digits exceed the double range). Throws TypeMismatch for anything else,
// the empty text and a text of spaces included.
[[nodiscard]] double TextToNumber(TextView text);

// TextToNumber, then the nearest Integer with ties to even.
// Throws TypeMismatch as TextToNumber, Overflow outside the Integer range.
[[nodiscard]] Integer TextToInteger(TextView text);

// --- Texts ---------------------------------------------------------------

// Number of 16-bit characters; throws Overflow beyond the Long range.
[[nodiscard]] Long TextLength(TextView text);

// Same characters, compared by code.
[[nodiscard]] bool TextEquals(TextView a, TextView b) noexcept;

// The first `count` characters, or the whole text when it is shorter.
// The view refers to the storage of `text`.
[[nodiscard]] TextView LeftText(TextView text, Long count);

// The last `count` characters, or the whole text when it is shorter; empty for 0.
[[nodiscard]] TextView RightText(TextView text, Long count);

// 1-based position of the first `sought` in `text` at or after `start`, compared
// by character code; 0 when there is none.
[[nodiscard]] Long FindText(Long start, TextView text, TextView sought);

// The pieces of a text between its points, indexed from 0. Each piece is a view
// into the text that was split, valid as long as that text is.
class Pieces {
public:
    // The piece at `index`; throws SubscriptOutOfRange when there is none.
    [[nodiscard]] TextView operator()(Long index) const;
    [[nodiscard]] Long Count() const noexcept { return static_cast<Long>(pieces_.size()); }

private:
    friend void SplitAtPoint(TextView text, Pieces& into);
    std::vector<TextView> pieces_;
};

// Cuts `text` at every "." into `into` (n points give n + 1 pieces; an empty piece
// stands wherever two points meet or a point begins or ends the text). The storage
// of `into` is reused.
void SplitAtPoint(TextView text, Pieces& into);

// --- Inline definitions ----------------------------------------------------
// The numeric operations run on every step of a conversion; defined here so that
// calls with constant operands (ModLong(v, 10)) compile to cheap arithmetic.

namespace detail {

[[noreturn]] void RaiseError(ErrorNumber number);

inline constexpr double kTwoToThe52 = 4503599627370496.0;  // from here up every double is whole

// Nearest whole number, a tie going to the even neighbour. Independent of the
// floating-point rounding mode; NaN stays NaN and fails the callers' range checks.
inline double RoundHalfEven(double x) {
    if (!(std::fabs(x) < kTwoToThe52)) return x;
    const auto whole = static_cast<std::int64_t>(x);           // toward zero
    const double fraction = x - static_cast<double>(whole);  // exact, within (-1, 1)
    std::int64_t rounded = whole;
    const bool odd = (whole & 1) != 0;
    if (fraction > 0.5 || (fraction == 0.5 && odd)) ++rounded;
    if (fraction < -0.5 || (fraction == -0.5 && odd)) --rounded;
    return static_cast<double>(rounded);
}

// The largest whole number not greater than x.
inline double Floor(double x) {
    if (!(std::fabs(x) < kTwoToThe52)) return x;
    auto whole = static_cast<std::int64_t>(x);
    if (static_cast<double>(whole) > x) --whole;
    return static_cast<double>(whole);
}

template <typename Int>
Int CheckedNarrow(double whole) {
    // Written as a negated "inside" test so that NaN is out of range too.
    if (!(whole >= static_cast<double>(std::numeric_limits<Int>::min()) &&
          whole <= static_cast<double>(std::numeric_limits<Int>::max()))) [[unlikely]] {
        RaiseError(ErrorNumber::Overflow);
    }
    return static_cast<Int>(whole);
}

}  // namespace detail

inline Long ToLong(double value) {
    // Whole numbers within the range, which are nearly all the engine sees, need no
    // rounding: one conversion and one comparison settle them.
    if (std::fabs(value) <= 2147483647.0) {
        const auto whole = static_cast<Long>(value);
        if (static_cast<double>(whole) == value) [[likely]] return whole;
    }
    return detail::CheckedNarrow<Long>(detail::RoundHalfEven(value));
}

inline Long ModLong(double a, double b) {
    const Long divisor = ToLong(b);
    const Long dividend = ToLong(a);
    if (divisor == 0) [[unlikely]] detail::RaiseError(ErrorNumber::DivisionByZero);
    // The one quotient that does not fit in 32 bits (-2^31 / -1) is left to no machine
    // division; its remainder is 0 like that of every division by -1.
    if (divisor == -1) return 0;
    return dividend % divisor;
}

inline Integer FloorToInteger(double value) {
    // Inside the range the truncated value is exact, and one step down makes it the floor.
    if (value > -32769.0 && value < 32768.0) {
        auto whole = static_cast<Long>(value);
        if (static_cast<double>(whole) > value) --whole;
        if (whole < std::numeric_limits<Integer>::min()) [[unlikely]] detail::RaiseError(ErrorNumber::Overflow);
        return static_cast<Integer>(whole);
    }
    return detail::CheckedNarrow<Integer>(detail::Floor(value));
}

inline Integer ToInteger(Long value) {
    if (value < std::numeric_limits<Integer>::min() || value > std::numeric_limits<Integer>::max()) [[unlikely]] {
        detail::RaiseError(ErrorNumber::Overflow);
    }
    return static_cast<Integer>(value);
}

inline Integer AddInteger(Integer a, Integer b) { return ToInteger(static_cast<Long>(a) + b); }

inline double Divide(double a, double b) {
    if (b == 0) [[unlikely]] {
        detail::RaiseError(a == 0 || std::isnan(a) ? ErrorNumber::Overflow : ErrorNumber::DivisionByZero);
    }
    const double quotient = a / b;
    if (!std::isfinite(quotient)) [[unlikely]] detail::RaiseError(ErrorNumber::Overflow);
    return quotient;
}

inline double Multiply(double a, double b) {
    const double product = a * b;
    if (!std::isfinite(product)) [[unlikely]] detail::RaiseError(ErrorNumber::Overflow);
    return product;
}

}  // namespace zorv::runtime
