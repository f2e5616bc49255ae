// converttoword: the module that names a whole number of up to fifteen digits in
// English words. Its word tables, working strings and numbers live in one object.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "conversions.h"
#include "word_text.h"

namespace zorv::engine {

using runtime::Integer;
using runtime::Text;

// A table of words with fixed bounds, indexed from 0. Looking up an index outside
// the bounds, a negative one included, throws SubscriptOutOfRange.
template <std::size_t N>
class WordTable {
public:
    constexpr explicit WordTable(std::array<std::u16string_view, N> words) : words_(words) {}

    [[nodiscard]] Word operator()(std::int64_t index) const {
        if (index < 0 || index >= static_cast<std::int64_t>(N)) {
            throw runtime::RuntimeError(runtime::ErrorNumber::SubscriptOutOfRange);
        }
        return words_[static_cast<std::size_t>(index)];
    }

    [[nodiscard]] static constexpr std::size_t Size() { return N; }

private:
    WordBlocks<N> words_;
};

// The module: its three word tables and its working state, and the one routine
// ToWords. The words carry their own trailing spaces and are joined exactly as the
// module always has, so some answers begin with a space, hold two spaces in a row
// or end in several; callers and users rely on that text as it stands.
//
// Not safe for concurrent use: one object serves one conversion at a time.
class converttoword {
public:
    // The words for `value`, a whole number (non-negative and below 10^15 as a rule),
    // whose digit count is `digits`; the count selects the path and the scale words.
    // The view is valid until the next call on this object. No answer depends on the
    // calls before it.
    // Throws RuntimeError: SubscriptOutOfRange (a negative value, a count below the
    // value's digits), Overflow (a count of 13 or more for a value below a million,
    // a count of 17 or more), as the conversions it rests on decide.
    std::u16string_view Words(double value, Integer digits);

private:
    // Words for 0 to 19; only "Zero" has no trailing space.
    static constexpr WordTable<20> Ones{{
        u"Zero", u"One ", u"Two ", u"Three ", u"Four ", u"Five ", u"Six ", u"Seven ",
        u"Eight ", u"Nine ", u"Ten ", u"Eleven ", u"Twelve ", u"Thirteen ", u"Fourteen ",
        u"Fifteen ", u"Sixteen ", u"Seventeen ", u"Eighteen ", u"Nineteen ",
    }};
    // Index k is the word for (k + 1) * 10; ten itself comes from Ones.
    static constexpr WordTable<9> Tens{{
        u"", u"Twenty ", u"Thirty ", u"Fourty ", u"Fifty ", u"Sixty ", u"Seventy ",
        u"Eighty ", u"Ninety ",
    }};
    // Indexed by a digit count: the scale word that follows the leading digits of a
    // number of that many digits.
    static constexpr WordTable<17> Scales{{
        u"", u"", u"", u"Hundred ", u"Thousand ", u"Thousand ", u"Thousand", u"Million",
        u"Million", u"Million", u"Billion", u"Billion", u"Billion", u"Trillion",
        u"Trillion", u"Trillion", u"Quadrillion",
    }};

    // The routine. Both arguments are its working variables and may be overwritten;
    // it returns the module string that holds the words. A recursive call hands its
    // words back through the module strings, not its return value: a rest below 20
    // in sUnder20, one from 20 to 99 in sUnder100, one below a million in sResult,
    // and the groups of a larger rest in sLeadGroup and sLarge. Words empties those
    // hand-off strings before each conversion; ToWords empties its scratch strings.
    std::u16string_view ToWords(double& value, Integer& digits);

    // Empties the six strings through which calls hand words to each other:
    // sLeadHundreds, sLeadTens, sLeadGroup, sLarge, sUnder20 and sUnder100.
    void EmptyHandOffStrings() noexcept;

    std::u16string_view BelowTwenty(double value);
    std::u16string_view TwentyToNinetyNine(double value);
    void DivisorStep(Integer digits);
    std::u16string_view GroupLoop(double& value, Integer& digits);
    void TwoDigitStep(double rest);
    void LeadingGroupStep(double& value, Integer digits);
    void RestStep(double& value);
    std::u16string_view LargePath(double& value, Integer digits);
    void WordLeadGroup(double& value, Integer digits, Integer group);
    static void AppendTwoDigitWords(WordText& out, Integer tens, runtime::Long units);

    WordText sUnder20, sUnder100, sResult;
    WordText sHead, sPrefix, sTensWords, sPair, sHigh, sLow;
    WordText sLeadHundreds, sLeadTens, sLeadGroup, sLarge;
    WordText sDigits, sRemainder, sQuotient;
    double dRemainder = 0, dDivisor = 0, dRest = 0;
    Integer iQuotient = 0, iCounter = 0, iLastTwo = 0, iHundreds = 0;
};

}  // namespace zorv::engine
