// Character codes of key events, as a keyboard produces them: the codes the
// keystroke handlers of the two text boxes decide on.
#pragma once

#include <QChar>

#include <cstdint>
#include <optional>

class QKeyEvent;

namespace zorv::ui {

// The code of a typed character in the 8-bit character set: its Latin-1 value, or
// 63 ("?") for a character outside it.
[[nodiscard]] std::int16_t CharacterCode(QChar character);

// The code of the one character a key event types: Return and keypad Enter 13,
// Backspace 8, Escape 27, Ctrl with a letter its place in the alphabet (Ctrl+V 22),
// a printable character its CharacterCode. Empty for keys that type no character
// (Delete, arrows, Home, End, function keys, Tab) and for events typing several.
// Mapped from the key and its modifiers, since platforms differ in the text they
// attach to control keys.
[[nodiscard]] std::optional<std::int16_t> KeyCode(const QKeyEvent& event);

}  // namespace zorv::ui
