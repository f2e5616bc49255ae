// Reading the digits after the point one at a time: how many of them are leading zeros.
#pragma once

namespace zorv::command {

// Tracks whether ever longer prefixes of a text, read as numbers, equal zero: the
// same answers as TextToNumber(LeftText(text, n)) == 0 for n = 1, 2, ..., in
// constant time per character instead of re-reading the prefix.
class ZeroPrefix {
public:
    // Adds the next character; returns whether the prefix so far is numerically zero.
    // Throws TypeMismatch when the prefix is not a number at all.
    bool Extend(char16_t next);

private:
    enum class State { Start, Sign, Digits, TrailingSpaces, NotANumber };
    State state_ = State::Start;
    bool nonZeroDigit_ = false;
};

}  // namespace zorv::command
