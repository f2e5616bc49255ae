#include "converttoword.h"

#include <cassert>

namespace zorv::engine {
namespace {

using runtime::AddInteger;
using runtime::Divide;
using runtime::FloorToInteger;
using runtime::IntegerToText;
using runtime::LeftText;
using runtime::Long;
using runtime::ModLong;
using runtime::Multiply;
using runtime::NumberToText;
using runtime::RightText;
using runtime::TextLength;
using runtime::TextToInteger;
using runtime::TextToNumber;
using runtime::ToInteger;
using runtime::ToLong;

constexpr std::u16string_view kNoWords;

// out = parts..., keeping the storage of `out`; no part may be `out` itself.
template <typename... Parts>
void Assign(WordText& out, const Parts&... parts) {
    assert(((static_cast<const void*>(&parts) != &out) && ...));
    out.clear();
    out.append(parts...);
}

}  // namespace

// The words of a part from 20 to 99 with tens digit `tens` and units digit `units`.
void converttoword::AppendTwoDigitWords(WordText& out, Integer tens, Long units) {
    const Word tensWord = Tens(AddInteger(tens, -1));
    if (units == 0) {
        out.append(tensWord);
    } else {
        out.append(tensWord, Ones(units));
    }
}

std::u16string_view converttoword::Words(double value, Integer digits) {
    EmptyHandOffStrings();
    return ToWords(value, digits);
}

void converttoword::EmptyHandOffStrings() noexcept {
    sLeadHundreds.clear();
    sLeadTens.clear();
    sLeadGroup.clear();
    sLarge.clear();
    sUnder20.clear();
    sUnder100.clear();
}

std::u16string_view converttoword::ToWords(double& value, Integer& digits) {
    // Every call starts from empty scratch strings. The tables are constant, so
    // filling them anew on each call, as the routine always did, changes nothing.
    sResult.clear();
    sHead.clear();
    sPrefix.clear();
    sTensWords.clear();
    sPair.clear();
    sHigh.clear();
    sLow.clear();
    sLeadHundreds.clear();
    sLeadTens.clear();

    if (value < 20) return BelowTwenty(value);
    if (value < 100) return TwentyToNinetyNine(value);
    DivisorStep(digits);
    if (value >= 1'000'000) return LargePath(value, digits);
    return GroupLoop(value, digits);
}

std::u16string_view converttoword::BelowTwenty(double value) {
    // A negative value fails here: it is no index of Ones.
    Assign(sUnder20, Ones(ToLong(value)));
    return sUnder20;
}

std::u16string_view converttoword::TwentyToNinetyNine(double value) {
    const Long units = ModLong(value, 10);
    dRemainder = units;
    iQuotient = FloorToInteger(Divide(value, 10));
    // Appends to what sUnder100 holds; callers empty it before a conversion.
    AppendTwoDigitWords(sUnder100, iQuotient, units);
    return sUnder100;
}

void converttoword::DivisorStep(Integer digits) {
    dDivisor = 1;
    const Integer bound = AddInteger(digits, -1);
    for (iCounter = 1; iCounter <= bound; iCounter = AddInteger(iCounter, 1)) {
        dDivisor = Multiply(dDivisor, 10);
    }
    // Corrected to the place value of the lowest digit of the leading group when the
    // number is grouped in threes from the right.
    if (digits == 5 || digits == 8 || digits == 11) dDivisor = Divide(dDivisor, 10);
    if (digits == 6 || digits == 9 || digits == 12) dDivisor = Divide(dDivisor, 100);
}

std::u16string_view converttoword::GroupLoop(double& value, Integer& digits) {
    for (iCounter = digits; iCounter >= 1; iCounter = AddInteger(iCounter, -1)) {
        const Long rest = ModLong(value, dDivisor);
        const Integer group = FloorToInteger(Divide(value, dDivisor));
        dRemainder = rest;
        iQuotient = group;
        runtime::NumberBuffer buffer;
        sRemainder = NumberToText(rest, buffer);
        sQuotient = IntegerToText(group, buffer);
        value = rest;

        if (group >= 20) {
            // Only a first pass can find a group of two or three digits: later passes
            // work on a rest below the previous divisor.
            LeadingGroupStep(value, digits);
            RestStep(value);
            Assign(sResult, sPrefix, sHigh, u" ", sLow);
            return sResult;
        }

        sHead.append(Ones(group), Scales(digits));
        if (rest == 0) {
            Assign(sResult, sHead);
            return sResult;
        }
        if (TextLength(sRemainder) < 3) {
            TwoDigitStep(rest);
            Assign(sResult, sHead, sTensWords);
            return sResult;
        }
        // A rest of three or more digits: step down to the next group.
        digits = digits == 5 ? Integer{3} : AddInteger(digits, -1);
        dDivisor = Divide(dDivisor, 10);
    }
    return kNoWords;
}

void converttoword::TwoDigitStep(double rest) {
    if (rest < 20) {
        Assign(sTensWords, Ones(ToLong(rest)));
        return;
    }
    const Long units = ModLong(rest, 10);
    dRemainder = units;
    iQuotient = FloorToInteger(Divide(rest, 10));
    AppendTwoDigitWords(sTensWords, iQuotient, units);
}

void converttoword::LeadingGroupStep(double& value, Integer digits) {
    const Integer group = iQuotient;
    value = group;
    if (TextLength(sQuotient) < 3) {
        iLastTwo = ToInteger(ModLong(group, 10));
        iHundreds = FloorToInteger(Divide(group, 10));
        sPair.clear();
        AppendTwoDigitWords(sPair, iHundreds, iLastTwo);
        sPair.append(Scales(digits));
        Assign(sPrefix, sPair);
        return;
    }

    const Integer lastTwo = ToInteger(ModLong(group, 100));
    iLastTwo = lastTwo;
    iHundreds = FloorToInteger(Divide(group, 100));
    Assign(sHead, Ones(iHundreds), Scales(AddInteger(digits, -3)));
    if (lastTwo >= 20) {
        value = lastTwo;
        iLastTwo = ToInteger(ModLong(lastTwo, 10));
        iHundreds = FloorToInteger(Divide(lastTwo, 10));
        AppendTwoDigitWords(sTensWords, iHundreds, iLastTwo);
        Assign(sHigh, sHead, sTensWords, Scales(digits));
    } else if (lastTwo == 0) {
        Assign(sHigh, sHead, Scales(digits));
        Assign(sHead, sHigh);
    } else {
        Assign(sHigh, sHead, Ones(lastTwo), Scales(digits));
    }
}

void converttoword::RestStep(double& value) {
    const double rest = dRemainder;
    if (!(rest > 0)) return;  // sLow stays empty

    sHead.clear();
    sTensWords.clear();
    value = rest;
    const Integer lastTwo = ToInteger(ModLong(rest, 100));
    iLastTwo = lastTwo;
    iHundreds = FloorToInteger(Divide(rest, 100));
    if (iHundreds != 0) Assign(sHead, Ones(iHundreds), Scales(3));

    if (lastTwo >= 20) {
        value = lastTwo;
        iLastTwo = ToInteger(ModLong(lastTwo, 10));
        iHundreds = FloorToInteger(Divide(lastTwo, 10));
        AppendTwoDigitWords(sTensWords, iHundreds, iLastTwo);
        // The two-digit prefix of a five-digit value moves into sLow here, which is
        // why such a value's words begin with the joining step's space.
        Assign(sLow, sPrefix, sHead, sTensWords);
        sPrefix.clear();
        sTensWords.clear();
    } else if (lastTwo == 0) {
        Assign(sLow, sHead);
    } else {
        Assign(sLow, sHead, Ones(lastTwo));
    }
}

std::u16string_view converttoword::LargePath(double& value, Integer digits) {
    if (!(value > 999'999)) return kNoWords;

    // Take the leading group and the rest: by division for the millions, by slicing
    // the number's text for the billions and trillions. The rest's text keeps its
    // leading zeros ("000005000"); reading it as a number drops them.
    runtime::NumberBuffer buffer;
    const auto slice = [&](Long width) {
        sDigits = NumberToText(value, buffer);
        iQuotient = TextToInteger(LeftText(sDigits, width));
        dRemainder = TextToNumber(RightText(sDigits, AddInteger(digits, static_cast<Integer>(-width))));
    };
    switch (digits) {
    case 10:
    case 13:
        slice(1);
        break;
    case 11:
    case 14:
        slice(2);
        break;
    case 12:
    case 15:
        slice(3);
        break;
    case 16:
        // Only a count larger than the value's own digits gets here: the first digit
        // is worded as quadrillions and nothing is left.
        sDigits = NumberToText(value, buffer);
        iQuotient = TextToInteger(LeftText(sDigits, 1));
        dRemainder = 0;
        break;
    default:
        iQuotient = FloorToInteger(Divide(value, dDivisor));
        dRemainder = ModLong(value, dDivisor);
        break;
    }
    sRemainder = NumberToText(dRemainder, buffer);
    sQuotient = IntegerToText(iQuotient, buffer);

    WordLeadGroup(value, digits, iQuotient);

    const Integer restDigits = ToInteger(TextLength(sRemainder));
    if (restDigits >= 7) {
        // The rest has groups of its own: the inner call extends sLarge (or leaves
        // all groups in sLeadGroup when its own rest is zero), and this call wraps it.
        dRest = dRemainder;
        Integer innerDigits = restDigits;
        (void)ToWords(dRest, innerDigits);
        sLarge.append(u" ", sLeadHundreds, u" ", sLeadGroup, u" ", sResult);
        sLeadHundreds.clear();
        sLeadTens.clear();
        sLeadGroup.clear();
        sResult.clear();
        return sLarge;
    }
    if (!(TextToNumber(sRemainder) > 0)) return sLeadGroup;

    // A rest below a million: the inner call leaves its words in exactly one of
    // sResult, sUnder20 and sUnder100; its return value is not needed.
    dRest = dRemainder;
    Integer innerDigits = restDigits;
    (void)ToWords(dRest, innerDigits);
    Assign(sLarge, sLeadGroup, u" ", sResult, sUnder20, sUnder100);
    sLeadHundreds.clear();
    sLeadTens.clear();
    sLeadGroup.clear();
    sResult.clear();
    sUnder20.clear();
    sUnder100.clear();
    return sLarge;
}

void converttoword::WordLeadGroup(double& value, Integer digits, Integer group) {
    if (group < 20) {
        Assign(sLeadHundreds, Ones(group), Scales(digits));
        if (sLeadGroup.empty()) {
            Assign(sLeadGroup, sLeadHundreds);
        } else {
            // A group below a higher one is set off by a space like every other
            // group, so that each group appears once and in order.
            sLeadGroup.append(u" ", sLeadHundreds);
            sLeadHundreds.clear();
        }
        return;
    }

    value = group;
    if (TextLength(sQuotient) < 3) {
        iLastTwo = ToInteger(ModLong(group, 10));
        iHundreds = FloorToInteger(Divide(group, 10));
        sLeadTens.clear();
        AppendTwoDigitWords(sLeadTens, iHundreds, iLastTwo);
        sLeadTens.append(Scales(digits));
        sLeadGroup.append(u" ", sLeadTens);
        return;
    }

    const Integer lastTwo = ToInteger(ModLong(group, 100));
    iLastTwo = lastTwo;
    iHundreds = FloorToInteger(Divide(group, 100));
    Assign(sLeadHundreds, Ones(iHundreds), Scales(3));
    if (lastTwo >= 20) {
        value = lastTwo;
        iLastTwo = ToInteger(ModLong(lastTwo, 10));
        iHundreds = FloorToInteger(Divide(lastTwo, 10));
        sLeadTens.clear();
        AppendTwoDigitWords(sLeadTens, iHundreds, iLastTwo);
        sLeadGroup.append(u" ", sLeadHundreds, sLeadTens, Scales(digits));
    } else if (lastTwo == 0) {
        sLeadGroup.append(u" ", sLeadHundreds, Scales(digits));
    } else {
        sLeadGroup.append(u" ", sLeadHundreds, Ones(lastTwo), Scales(digits));
    }
    sLeadHundreds.clear();
}

}  // namespace zorv::engine
