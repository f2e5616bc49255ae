// Check(): stops a fuzz target with the line of the expectation that failed; Answer()
// and IsUtf8(), for the texts the library hands out.
#pragma once

#include <zorv/words.hpp>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <utility>

namespace zorv::fuzz {

inline void Check(bool condition, int line = __builtin_LINE()) {
    if (!condition) {
        std::fprintf(stderr, "expectation at line %d failed\n", line);
        std::abort();
    }
}

// The status and text of a call of the C interface that hands out a text: `call` is
// given the places for the text and its length. There must be a text, and it is freed.
template <typename Call>
std::pair<int, std::string> Answer(Call&& call) {
    char* out = nullptr;
    std::size_t length = 0;
    const int status = call(&out, &length);
    Check(out != nullptr);
    std::string text(out, length);
    zorv_string_free(out);
    return {status, text};
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
