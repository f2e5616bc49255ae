// Fuzzes the style descriptions and the document styles through the C interface: the
// bytes before the first newline are the description, the rest the number. Every run
// must end in exactly one outcome: a refused description with a message, or words or
// a message for the number, in valid UTF-8, the same twice over, and nothing left
// allocated once released.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include <zorv/words.h>
#include <zorv/words.hpp>

#include "check.h"

namespace {

using zorv::fuzz::Check;
using zorv::fuzz::IsUtf8;

std::pair<int, std::string> Spell(const zorv_style* style, std::string_view number) {
    return zorv::fuzz::Answer([&](char** out, std::size_t* length) {
        return zorv_style_spell(style, number.data(), number.size(), out, length);
    });
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const auto newline = input.find('\n');
    // The description is a C string: it ends at its first NUL.
    const std::string description(input.substr(0, newline).substr(0, input.substr(0, newline).find('\0')));
    const std::string_view number = newline == std::string_view::npos ? std::string_view() : input.substr(newline + 1);

    char* error = nullptr;
    std::size_t errorLength = 0;
    zorv_style* style = zorv_style_new(description.c_str(), &error, &errorLength);
    if (style == nullptr) {
        Check(error != nullptr && errorLength > 0 && IsUtf8(std::string_view(error, errorLength)));
        zorv_string_free(error);
        return 0;
    }
    Check(error == nullptr);
    const auto [status, answer] = Spell(style, number);
    Check(status == ZORV_WORDS || status == ZORV_MESSAGE);
    Check(!answer.empty());
    Check(IsUtf8(answer));
    Check(Spell(style, number) == std::make_pair(status, answer));
    zorv_style_free(style);
    return 0;
}
