// The rule of the input box for a typed character, shared by every window of the
// converter: the desktop's, and the web page's through the C interface.
#pragma once

#include <cstdint>

namespace zorv::command {

// What the input box does with a character typed into it, given the character's code:
// Enter (13) runs the Convert command; Backspace (8), ".", "/" and the digits (46 to
// 57) are typed; every other code is discarded. All but Enter empty the output box.
// Every window of the converter, the desktop's and the web page's, asks this.
enum class TypedKey { Convert = 0, Keep = 1, Discard = 2 };
[[nodiscard]] constexpr TypedKey InputKeyAction(std::int16_t code) {
    if (code == 13) return TypedKey::Convert;
    return code == 8 || (code >= 46 && code <= 57) ? TypedKey::Keep : TypedKey::Discard;
}

}  // namespace zorv::command
