#include "key_codes.h"

#include <QKeyEvent>

namespace zorv::ui {

std::int16_t CharacterCode(QChar character) {
    const char16_t unit = character.unicode();
    return unit <= 0xff ? static_cast<std::int16_t>(unit) : std::int16_t{'?'};
}

std::optional<std::int16_t> KeyCode(const QKeyEvent& event) {
    const int key = event.key();
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return 13;
    case Qt::Key_Backspace:
        return 8;
    case Qt::Key_Escape:
        return 27;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Delete:
        return std::nullopt;
    default:
        break;
    }

    const auto modifiers = event.modifiers();
    if (modifiers.testFlag(Qt::ControlModifier) && !modifiers.testFlag(Qt::AltModifier)) {
        if (key >= Qt::Key_A && key <= Qt::Key_Z) return static_cast<std::int16_t>(key - Qt::Key_A + 1);
        if (key == Qt::Key_BracketLeft) return 27;
        if (key == Qt::Key_Backslash) return 28;
        if (key == Qt::Key_BracketRight) return 29;
        return std::nullopt;  // no other Ctrl combination types a character
    }

    const QString text = event.text();
    if (text.size() != 1) return std::nullopt;
    const QChar character = text.front();
    if (character.unicode() < 0x20 || character.unicode() == 0x7f) return std::nullopt;
    return CharacterCode(character);
}

}  // namespace zorv::ui
