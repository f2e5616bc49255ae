#include "report.h"

#include <cstdint>

namespace zorv::cli {
namespace {

constexpr char kHexDigits[] = "0123456789abcdef";

char* PutHex(char* at, std::uint32_t code, int digits) {
    for (int shift = 4 * (digits - 1); shift >= 0; shift -= 4) *at++ = kHexDigits[(code >> shift) & 0xF];
    return at;
}

bool IsHighSurrogate(char32_t code) { return code >= 0xD800 && code <= 0xDBFF; }
bool IsLowSurrogate(char32_t code) { return code >= 0xDC00 && code <= 0xDFFF; }

// Writes the UTF-8 of `code`, not a surrogate, at `at`.
char* PutUtf8(char* at, char32_t code) {
    if (code < 0x80) {
        *at++ = static_cast<char>(code);
    } else if (code < 0x800) {
        *at++ = static_cast<char>(0xC0 | (code >> 6));
        *at++ = static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        *at++ = static_cast<char>(0xE0 | (code >> 12));
        *at++ = static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        *at++ = static_cast<char>(0x80 | (code & 0x3F));
    } else {
        *at++ = static_cast<char>(0xF0 | (code >> 18));
        *at++ = static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        *at++ = static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        *at++ = static_cast<char>(0x80 | (code & 0x3F));
    }
    return at;
}

// Runs `put(at, code, paired)` for each character of `text` into room made for six
// bytes per 16-bit unit, the most any escape below takes, and trims what is unused.
// `paired` is false for a surrogate without its pair, passed as it stands.
template <typename Put>
void AppendEach(std::u16string_view text, std::string& bytes, Put put) {
    const std::size_t used = bytes.size();
    bytes.resize(used + 6 * text.size());
    char* at = bytes.data() + used;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t code = text[i];
        bool paired = true;
        if (IsHighSurrogate(code) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
            code = 0x10000 + ((code - 0xD800) << 10) + (text[++i] - 0xDC00);
        } else if (IsHighSurrogate(code) || IsLowSurrogate(code)) {
            paired = false;
        }
        at = put(at, code, paired);
    }
    bytes.resize(static_cast<std::size_t>(at - bytes.data()));
}

// Appends the leading characters of `text` that JSON writes as they are, ASCII
// without quotes and backslashes, as words and numbers are; returns how many.
// Copying these in one pass and escaping only the rest is what brings --json to
// about 1.3 times the time of plain output (scripts/measure-words.sh).
std::size_t AppendPlainAscii(std::u16string_view text, std::string& bytes) {
    const std::size_t used = bytes.size();
    bytes.resize(used + text.size());
    char* const at = bytes.data() + used;
    std::size_t i = 0;
    for (; i < text.size(); ++i) {
        const char16_t code = text[i];
        if (code < 0x20 || code >= 0x80 || code == u'"' || code == u'\\') break;
        at[i] = static_cast<char>(code);
    }
    bytes.resize(used + i);
    return i;
}

}  // namespace

void AppendJsonString(std::u16string_view text, std::string& bytes) {
    text.remove_prefix(AppendPlainAscii(text, bytes));
    if (text.empty()) return;
    AppendEach(text, bytes, [](char* at, char32_t code, bool paired) {
        if (code >= 0x20 && code != u'"' && code != u'\\' && paired) {
            if (code < 0x80) {
                *at = static_cast<char>(code);
                return at + 1;
            }
            return PutUtf8(at, code);
        }
        *at++ = '\\';
        switch (code) {
        case u'"': *at++ = '"'; break;
        case u'\\': *at++ = '\\'; break;
        case u'\b': *at++ = 'b'; break;
        case u'\f': *at++ = 'f'; break;
        case u'\n': *at++ = 'n'; break;
        case u'\r': *at++ = 'r'; break;
        case u'\t': *at++ = 't'; break;
        default:
            *at++ = 'u';
            at = PutHex(at, code, 4);
        }
        return at;
    });
}

void AppendShownText(std::u16string_view text, std::string& bytes) {
    AppendEach(text, bytes, [](char* at, char32_t code, bool paired) {
        if (code < 0x20 || (code >= 0x7F && code <= 0x9F)) {
            *at++ = '\\';
            *at++ = 'x';
            return PutHex(at, code, 2);
        }
        if ((code >= 0x202A && code <= 0x202E) || (code >= 0x2066 && code <= 0x2069)) {
            *at++ = '\\';
            *at++ = 'u';
            return PutHex(at, code, 4);
        }
        return PutUtf8(at, paired ? code : U'\uFFFD');
    });
}

void Reporter::Report(std::u16string_view input, const Outcome& outcome) {
    if (json_) {
        answers_ += R"({"input":")";
        AppendJsonString(input, answers_);
        answers_ += outcome.answered ? R"(","words":")" : R"(","message":")";
        AppendJsonString(outcome.text, answers_);
        answers_ += "\"}\n";
    } else if (outcome.answered) {
        AppendTextAsUtf8(outcome.text, answers_);
        answers_.push_back('\n');
    } else {
        messages_ += "zorv-words: ";
        AppendShownText(input, messages_);
        messages_ += ": ";
        AppendTextAsUtf8(outcome.text, messages_);
        messages_.push_back('\n');
        if (interleave_) {
            Write(out_, answers_);
            if (std::fflush(out_) != 0) throw WriteError();
            Write(err_, messages_);
            return;
        }
        if (messages_.size() >= kBlock) Write(err_, messages_);
    }
    if (answers_.size() >= kBlock) Write(out_, answers_);
}

void Reporter::Flush() {
    Write(out_, answers_);
    if (std::fflush(out_) != 0) throw WriteError();
    Write(err_, messages_);
    if (std::fflush(err_) != 0) throw WriteError();
}

void Reporter::Write(std::FILE* file, std::string& block) {
    const bool written = std::fwrite(block.data(), 1, block.size(), file) == block.size();
    block.clear();
    if (!written || std::ferror(file) != 0) throw WriteError();
}

}  // namespace zorv::cli
