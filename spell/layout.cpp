#include "layout.h"

#include <algorithm>
#include <iterator>
#include <utility>

namespace zorv::spell {
namespace {

#include "letter_case_data.inc"

// The code point that starts at `at` in UTF-8 text and the number of its bytes; a byte
// that starts none is itself, one byte long.
std::pair<char32_t, std::size_t> Decode(std::string_view text, std::size_t at) {
    const auto lead = static_cast<unsigned char>(text[at]);
    const std::size_t length = lead < 0xC0 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    if (length == 1 || at + length > text.size()) return {lead, 1};
    char32_t code = lead & (0x3F >> (length - 1));
    for (std::size_t i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(text[at + i]);
        if ((next & 0xC0) != 0x80) return {lead, 1};
        code = code << 6 | (next & 0x3F);
    }
    return {code, length};
}

void Encode(char32_t code, std::string& out) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | code >> 6);
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | code >> 12);
        out += static_cast<char>(0x80 | (code >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | code >> 18);
        out += static_cast<char>(0x80 | (code >> 12 & 0x3F));
        out += static_cast<char>(0x80 | (code >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

// The upper case of a letter, by Unicode's simple mapping; any other code point as it is.
char32_t Upper(char32_t code) {
    const auto found = std::lower_bound(std::begin(kUpperCase), std::end(kUpperCase), code,
                                        [](const std::pair<char32_t, char32_t>& entry, char32_t c) { return entry.first < c; });
    return found != std::end(kUpperCase) && found->first == code ? found->second : code;
}

// Whether a code point is a letter that has a case, lower or upper.
bool IsCased(char32_t code) {
    return Upper(code) != code || std::binary_search(std::begin(kCapitals), std::end(kCapitals), code);
}

// The number of code points in UTF-8 text.
std::size_t CodePoints(std::string_view text) {
    return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

}  // namespace

void ApplyCase(LetterCase letterCase, std::string& text, bool dottedI) {
    const auto upper = [dottedI](char32_t code) { return dottedI && code == U'i' ? U'\u0130' : Upper(code); };
    if (letterCase == LetterCase::Lower) return;
    std::string cased;
    cased.reserve(text.size());
    bool wordStart = true, done = false;
    for (std::size_t at = 0; at < text.size();) {
        auto [code, length] = Decode(text, at);
        if (length == 1 && code >= 0x80) {  // a byte that starts no code point stays as it is
            cased += text[at++];
            continue;
        }
        if (!done && letterCase == LetterCase::Upper) {
            code = upper(code);
        } else if (!done && letterCase == LetterCase::Title) {
            // Every word but "and", which stays lower case as in a title.
            if (wordStart && !std::string_view(text).substr(at).starts_with("and ")) code = upper(code);
            wordStart = code == ' ' || code == '-' || code == '\n';
        } else if (!done && letterCase == LetterCase::Sentence && IsCased(code)) {
            code = upper(code);
            done = true;
        }
        Encode(code, cased);
        at += length;
    }
    text = std::move(cased);
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
