// Exact arithmetic on numbers written as decimal digits, at any length: the few
// operations that spelling needs (a whole number that stays in 64 bits while it fits,
// division by a rule's divisor, multiplication by a small factor) and the one rounding
// routine every part uses, with its modes. No value goes through a floating-point type.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <utility>

namespace zorv::spell {

// How a digit past the last one kept rounds: a half away from zero, or to an even last
// digit; anything past a half always rounds up, anything short of it down.
enum class Rounding { None, HalfUp, HalfEven };

// The digits without their leading zeros; "0" for none.
[[nodiscard]] std::string_view StripZeros(std::string_view digits);

// a < b, for digit strings without leading zeros.
[[nodiscard]] bool LessDigits(std::string_view a, std::string_view b);

// digits × factor, without leading zeros.
[[nodiscard]] std::string MultiplySmall(std::string_view digits, std::uint64_t factor);

// Adds one to a text of digits, which may gain a digit ("999" -> "1000").
void Increment(std::string& digits);

// `digit` followed by `zeros` zeros: "5000" for ('5', 3).
[[nodiscard]] std::string DigitThenZeros(char digit, std::size_t zeros);

// Cuts `fraction` to `places` digits by `rounding` (HalfUp or HalfEven), carrying into
// `whole` when the kept digits round up ("9.96" to one place: "10.0"). `whole` holds
// digits, at least one; both stay as they are when the fraction is no longer than that.
void RoundToPlaces(std::string& whole, std::string& fraction, std::size_t places, Rounding rounding);

// A whole number: in 64 bits while it fits, else its decimal digits. Cheap to copy:
// most numbers spelled never leave 64 bits.
struct WholeNumber {
    std::uint64_t small = 0;
    std::shared_ptr<const std::string> big;  // 20 digits or more, no leading zero; null while `small` holds it

    [[nodiscard]] bool IsBig() const { return big != nullptr; }
    [[nodiscard]] bool IsZero() const { return !IsBig() && small == 0; }
    [[nodiscard]] std::string Digits() const { return IsBig() ? *big : std::to_string(small); }
};

// The whole number that `digits` (leading zeros allowed) write.
[[nodiscard]] WholeNumber WholeOf(std::string_view digits);

// n / d and n % d, for d > 0.
[[nodiscard]] std::pair<WholeNumber, std::uint64_t> DivMod(const WholeNumber& n, std::uint64_t d);

// n + 1.
[[nodiscard]] WholeNumber Next(const WholeNumber& n);

// The fraction 0.`digits` times `factor`, rounded half up to a whole number: a
// fraction's numerator over a rule's base, as rule-based formats round it.
[[nodiscard]] WholeNumber ScaledFraction(std::string_view digits, std::uint64_t factor);

}  // namespace zorv::spell
