#include "convert_command.h"

#include <cmath>

#include "zero_prefix.h"

namespace zorv::command {
namespace {

using namespace zorv::runtime;

// Values from here up are refused with the limit message.
constexpr double kLimit = 1e15;

// The number of decimal digits of a value's magnitude, 1 for zero. The engine picks
// its divisors and scale words by this count, so it must describe the value itself,
// not the text the value was typed as ("0150" is a three-digit number).
Integer DigitCount(double value) {
    const double magnitude = std::fabs(value);
    Integer digits = 1;
    for (double power = 10; magnitude >= power && digits < 16; power *= 10) ++digits;
    return digits;
}

// Lengths and positions in the typed text are Integers: a point beyond position
// 32,767, or more than 32,767 characters before or after it, overflows. So no text
// of 65,535 characters or more can get words, and such a text overflows at once,
// whatever it holds: every way in answers it alike without reading all of it.
constexpr std::size_t kShortestWordlessText = 65535;

void CheckTextLength(TextView text) {
    if (text.size() >= kShortestWordlessText) throw RuntimeError(ErrorNumber::Overflow);
}

// Character counts are Integers: a number of more than 32,767 characters overflows,
// though its value may be small ("5" and 40,000 spaces).
void CheckCountable(TextView text) { (void)ToInteger(TextLength(text)); }

}  // namespace

void ConvertCommand::Convert() {
    try {
        Run();
    } catch (const RuntimeError& error) {
        // The run stops where the error was raised; the output keeps its text.
        view_.ShowMessage(error.Description(), kTitle);
    }
}

void ConvertCommand::Run() {
    sZeros.clear();
    Integer iZeroCount = 0;

    sInput = view_.ReadInput();
    if (TextEquals(sInput, u"")) {
        view_.ShowMessage(kEmptyInputMessage, kTitle);
        return;
    }
    CheckTextLength(sInput);

    iDot = ToInteger(FindText(1, sInput, u"."));
    if (iDot == 0) {
        dInput = TextToNumber(sInput);
        if (!(dInput < kLimit)) {
            view_.ShowMessage(kLimitMessage, kTitle);
            return;
        }
        dWhole = dInput;
        CheckCountable(sInput);
        Integer digits = DigitCount(dWhole);
        view_.SetOutput(module_.Words(dWhole, digits));
        return;
    }

    SplitAtPoint(sInput, aParts);
    dWhole = TextToNumber(aParts(0));
    dFraction = TextToNumber(aParts(1));
    // A second point makes the text no number at all ("1.2.3").
    if (aParts.Count() > 2) throw RuntimeError(ErrorNumber::TypeMismatch);
    if (!(dWhole < kLimit) || !(dFraction < kLimit)) {
        view_.ShowMessage(kLimitMessage, kTitle);
        return;
    }
    iWholeLen = ToInteger(TextLength(aParts(0)));
    iFracLen = ToInteger(TextLength(aParts(1)));

    // Each leading zero after the point is spoken as " zero"; the digits after them
    // are named as a whole number of their own.
    const TextView fraction = aParts(1);
    const Integer bound = iFracLen;
    ZeroPrefix prefix;
    for (iPos = 1; iPos <= bound;) {
        if (!prefix.Extend(fraction[static_cast<std::size_t>(iPos - 1)])) break;
        sZeros.append(u" ").append(u"zero");
        iZeroCount = AddInteger(iZeroCount, 1);
        iPos = AddInteger(iPos, 1);
    }
    const Integer remaining = AddInteger(iFracLen, static_cast<Integer>(-iZeroCount));
    dFraction = TextToNumber(RightText(fraction, remaining));  // all zeros: no digits left
    iFracLen = remaining;

    // The answer is put together in place: the whole part's words, then the rest.
    iWholeLen = DigitCount(dWhole);
    sAnswer.assign(module_.Words(dWhole, iWholeLen));
    iFracLen = DigitCount(dFraction);
    const std::u16string_view sFracWords = module_.Words(dFraction, iFracLen);
    sAnswer.append(u"point").append(sZeros).append(u" ").append(sFracWords);
    view_.SetOutput(sAnswer);
}

}  // namespace zorv::command
