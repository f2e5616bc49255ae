// A number as people write it, read once into its parts: an optional sign, digits
// grouped by commas in threes or in the Indian way (or not at all), an optional point
// and the digits after it. Every way of spelling a number starts here and hands the
// parts on; nothing reads the text again.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "spell_error.h"

namespace zorv::spell {

// The most bytes of one text a style reads: a number, or words to read back. A longer
// text is refused whole with kTooLong, never cut and answered by its beginning.
inline constexpr std::size_t kLongestText = std::size_t{1} << 20;
inline constexpr std::string_view kTooLong = "longer than 1 MiB (1,048,576 bytes), the most one text may be";

// The longest whole part, and the longest fraction, a number may have, in digits.
inline constexpr std::size_t kMostDigits = 1000;

struct WrittenNumber {
    bool negative = false;  // never for a zero: "-0" and "-0.00" are zero
    bool point = false;     // written with a point, even with no digits after it
    std::string whole = "0";  // the digits, without grouping or leading zeros
    std::string fraction;     // the digits written after the point, as written

    // The number written plainly: "-1234.50" for "-1,234.50", "0" for "-0".
    [[nodiscard]] std::string Plain() const;
};

// Reads `text`: spaces and tabs around it are ignored, and so is the sign of a zero.
// Throws SpellError for text that is no such number, a text longer than kLongestText,
// commas that do not group the digits, or more than kMostDigits on either side.
[[nodiscard]] WrittenNumber ReadWrittenNumber(std::string_view text);

// ReadWrittenNumber(number).Plain(): "+1,234.50" -> "1234.50". Throws SpellError.
[[nodiscard]] std::string PlainNumber(std::string_view number);

}  // namespace zorv::spell
