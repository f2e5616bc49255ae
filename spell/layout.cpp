#include "layout.h"

#include <algorithm>

namespace zorv::spell {
namespace {

bool IsLower(char c) { return c >= 'a' && c <= 'z'; }
char Upper(char c) { return IsLower(c) ? static_cast<char>(c - 'a' + 'A') : c; }

// The number of code points in UTF-8 text.
std::size_t CodePoints(std::string_view text) {
    return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

}  // namespace

void ApplyCase(LetterCase letterCase, std::string& text) {
    bool wordStart = true;
    for (char& c : text) {
        switch (letterCase) {
        case LetterCase::Lower: return;
        case LetterCase::Upper: c = Upper(c); break;
        case LetterCase::Title:
            // Every word but "and", which stays lower case as in a title.
            if (wordStart && !std::string_view(&c, static_cast<std::size_t>(text.data() + text.size() - &c)).starts_with("and ")) {
                c = Upper(c);
            }
            wordStart = c == ' ' || c == '-' || c == '\n';
            break;
        case LetterCase::Sentence:
            if (IsLower(c) || (c >= 'A' && c <= 'Z')) {
                c = Upper(c);
                return;
            }
            break;
        }
    }
}

std::string Wrap(std::string_view words, std::size_t width, std::string_view fill) {
    std::string out, line;
    std::size_t lineWidth = 0;
    const auto finish = [&] {
        out += line;
        if (!fill.empty()) {
            for (std::size_t n = lineWidth; n < width; ++n) out += fill;
        }
        line.clear();
        lineWidth = 0;
    };
    while (!words.empty()) {
        const auto space = words.find(' ');
        const std::string_view word = words.substr(0, space);
        words.remove_prefix(space == std::string_view::npos ? words.size() : space + 1);
        const std::size_t wordWidth = CodePoints(word);
        if (lineWidth > 0 && lineWidth + 1 + wordWidth > width) {
            finish();
            out += '\n';
        }
        if (lineWidth > 0) {
            line += ' ';
            ++lineWidth;
        }
        line += word;
        lineWidth += wordWidth;
    }
    finish();
    return out;
}

}  // namespace zorv::spell
