// The UTF-8 reading and writing that every way in shares: bytes to the 16-bit text
// the command reads, and its answers back to bytes.
#include <type_traits>

#include "zorv/words.hpp"

namespace zorv {

namespace {

// Copies n code units between UTF-8 and UTF-16 as if all were ASCII (each widened,
// or cut to its low byte), and tells whether they were, in which case the copy is
// the conversion. Numbers and words are ASCII: this one pass, which the compiler
// vectorises, is intended for speed; any other text is converted over again. With
// it zorv-words did 3.77 against 2.44 million lines/s through pipes
// (scripts/measure-words.sh, bench/README.md).
template <typename From, typename To>
bool CopyIfAscii(const From* __restrict from, std::size_t n, To* __restrict to) {
    using Code = std::make_unsigned_t<From>;
    Code seen = 0;
    for (std::size_t i = 0; i < n; ++i) {
        const auto code = static_cast<Code>(from[i]);
        seen |= code;
        to[i] = static_cast<To>(code);
    }
    return seen < 0x80;
}

void AppendCodePoint(char32_t code, std::u16string& text) {
    if (code < 0x10000) {
        text.push_back(static_cast<char16_t>(code));
    } else {
        code -= 0x10000;
        text.push_back(static_cast<char16_t>(0xD800 + (code >> 10)));
        text.push_back(static_cast<char16_t>(0xDC00 + (code & 0x3FF)));
    }
}

}  // namespace

void AppendUtf8AsText(std::string_view bytes, std::u16string& text) {
    const std::size_t used = text.size();
    text.resize(used + bytes.size());
    if (CopyIfAscii(bytes.data(), bytes.size(), text.data() + used)) return;
    text.resize(used);

    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const auto* const end = p + bytes.size();
    while (p != end) {
        const unsigned lead = *p;
        if (lead < 0x80) {
            text.push_back(static_cast<char16_t>(lead));
            ++p;
            continue;
        }
        // The length of the sequence that `lead` begins, and the range of its second
        // byte, which keeps out overlong forms, surrogates and values past U+10FFFF.
        std::ptrdiff_t length = 0;
        unsigned low = 0x80, high = 0xBF;
        if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            if (lead == 0xE0) low = 0xA0;
            if (lead == 0xED) high = 0x9F;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            if (lead == 0xF0) low = 0x90;
            if (lead == 0xF4) high = 0x8F;
        }
        bool valid = length != 0 && end - p >= length;
        char32_t code = lead & (0x7Fu >> length);
        for (std::ptrdiff_t i = 1; valid && i < length; ++i) {
            valid = p[i] >= low && p[i] <= high;
            low = 0x80;
            high = 0xBF;
            code = (code << 6) | (p[i] & 0x3Fu);
        }
        if (!valid) {
            // One U+FFFD for this byte; reading goes on at the next.
            text.push_back(u'\uFFFD');
            ++p;
            continue;
        }
        AppendCodePoint(code, text);
        p += length;
    }
}

void AppendTextAsUtf8(std::u16string_view text, std::string& bytes) {
    const std::size_t used = bytes.size();
    bytes.resize(used + text.size());
    if (CopyIfAscii(text.data(), text.size(), bytes.data() + used)) return;
    bytes.resize(used);

    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t code = text[i];
        if (code >= 0xD800 && code <= 0xDFFF) {
            const bool paired = code <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF;
            code = paired ? 0x10000 + ((code - 0xD800) << 10) + (text[++i] - 0xDC00) : 0xFFFD;
        }
        if (code < 0x80) {
            bytes.push_back(static_cast<char>(code));
        } else if (code < 0x800) {
            bytes.push_back(static_cast<char>(0xC0 | (code >> 6)));
            bytes.push_back(static_cast<char>(0x80 | (code & 0x3F)));
        } else if (code < 0x10000) {
            bytes.push_back(static_cast<char>(0xE0 | (code >> 12)));
            bytes.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
            bytes.push_back(static_cast<char>(0x80 | (code & 0x3F)));
        } else {
            bytes.push_back(static_cast<char>(0xF0 | (code >> 18)));
            bytes.push_back(static_cast<char>(0x80 | ((code >> 12) & 0x3F)));
            bytes.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
            bytes.push_back(static_cast<char>(0x80 | (code & 0x3F)));
        }
    }
}

}  // namespace zorv
