// Helpers shared by the library tests: readable 16-bit texts in failure messages,
// and a check of both the kind and the description of a RuntimeError.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "runtime_error.h"

namespace zorv::testing {

// The text with every character above 0x7e written as \uXXXX, for messages.
inline std::string Printable(std::u16string_view text) {
    std::string out;
    for (const char16_t c : text) {
        if (c >= 0x20 && c < 0x7f) {
            out.push_back(static_cast<char>(c));
        } else {
            constexpr char kHex[] = "0123456789abcdef";
            out += "\\u";
            for (int shift = 12; shift >= 0; shift -= 4) out.push_back(kHex[(c >> shift) & 0xf]);
        }
    }
    return out;
}

inline std::u16string Widen(std::string_view ascii) { return {ascii.begin(), ascii.end()}; }

// Runs `call` and expects it to throw RuntimeError with `number`; returns the
// failure message otherwise, so that callers can say which row failed.
template <typename Call>
::testing::AssertionResult Raises(runtime::ErrorNumber number, Call&& call) {
    try {
        call();
    } catch (const runtime::RuntimeError& error) {
        if (error.Number() == number && error.Description() == runtime::DescriptionOf(number)) {
            return ::testing::AssertionSuccess();
        }
        return ::testing::AssertionFailure() << "raised \"" << Printable(error.Description())
                                             << "\" instead of \""
                                             << Printable(runtime::DescriptionOf(number)) << "\"";
    }
    return ::testing::AssertionFailure() << "raised nothing, expected \""
                                         << Printable(runtime::DescriptionOf(number)) << "\"";
}

}  // namespace zorv::testing
