// Check(): stops a fuzz target with the line of the expectation that failed; and
// IsUtf8(), for the texts the library hands out.
#pragma once

#include <zorv/words.hpp>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace zorv::fuzz {

inline void Check(bool condition, int line = __builtin_LINE()) {
    if (!condition) {
        std::fprintf(stderr, "expectation at line %d failed\n", line);
        std::abort();
    }
}

// Whether `text` is valid UTF-8: it reads back to the same bytes.
inline bool IsUtf8(std::string_view text) {
    std::u16string decoded;
    AppendUtf8AsText(text, decoded);
    std::string again;
    AppendTextAsUtf8(decoded, again);
    return again == text;
}

}  // namespace zorv::fuzz
