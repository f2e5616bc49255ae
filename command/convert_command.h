// The Convert command: takes the typed text, checks it, cuts it at the decimal point,
// has the engine name both parts and writes the answer, or shows one message.
#pragma once

#include <string_view>

#include "conversions.h"
#include "converttoword.h"
#include "identity.h"

namespace zorv::command {

using runtime::Integer;
using runtime::Text;

// Title of every message box of the command: the product's name.
inline constexpr std::u16string_view kTitle = kProductName;
// Shown for an empty input.
inline constexpr std::u16string_view kEmptyInputMessage =
    u"Enter any number up to fifteen digits before decimal and fifteen digits after decimal point.";
// Shown for a value of 10^15 or more before or after the point.
inline constexpr std::u16string_view kLimitMessage =
    u"Please enter any number up to fifteen digits before decimal and fifteen digits after "
    u"decimal point.";

// What the command needs of its window: three operations, so that it runs as well
// behind the window, behind the command-line companion or behind a test recorder.
class ConvertView {
public:
    virtual ~ConvertView() = default;

    // The text of the input box. The view must stay valid until the next call of
    // any of the three operations.
    virtual std::u16string_view ReadInput() = 0;
    // Replaces the text of the output box.
    virtual void SetOutput(std::u16string_view words) = 0;
    // Shows a modal message with a single OK button and no icon, and returns when
    // it is closed.
    virtual void ShowMessage(std::u16string_view prompt, std::u16string_view title) = 0;
};

// One Convert command with its own engine, bound to its window. A run ends in
// exactly one way: the answer written to the output, a validation message, or the
// description of the RuntimeError that stopped it; the output keeps its text in the
// last two cases.
class ConvertCommand {
public:
    explicit ConvertCommand(ConvertView& view) : view_(view) {}

    // Runs the command once. Catches every RuntimeError raised by the conversion.
    void Convert();

    // The same, under the name the window's button and Enter key call it by.
    void cmdresult_Click() { Convert(); }

private:
    void Run();

    engine::converttoword module_;
    ConvertView& view_;

    // Working variables of the command; every run assigns each before reading it.
    // The input is the window's own text, read in place.
    runtime::TextView sInput;
    double dInput = 0, dWhole = 0, dFraction = 0;
    Integer iWholeLen = 0, iFracLen = 0, iDot = 0, iPos = 0;
    runtime::Pieces aParts;
    Text sZeros, sAnswer;
};

}  // namespace zorv::command
