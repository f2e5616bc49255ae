#include "report.h"

#include <algorithm>
#include <type_traits>

namespace zorv::cli {
namespace {

bool IsHighSurrogate(char16_t code) { return code >= 0xD800 && code <= 0xDBFF; }
bool IsLowSurrogate(char16_t code) { return code >= 0xDC00 && code <= 0xDFFF; }
bool IsC1Control(char16_t code) { return code >= 0x80 && code <= 0x9F; }
bool IsBidiControl(char16_t code) { return (code >= 0x202A && code <= 0x202E) || (code >= 0x2066 && code <= 0x2069); }

// Appends `\`, `letter` and `code` in `digits` lowercase hexadecimal digits.
void AppendEscape(std::u16string& text, char16_t letter, char16_t code, int digits) {
    constexpr char16_t kHexDigits[] = u"0123456789abcdef";
    text.push_back(u'\\');
    text.push_back(letter);
    for (int shift = 4 * (digits - 1); shift >= 0; shift -= 4) text.push_back(kHexDigits[(code >> shift) & 0xF]);
}

// Appends `text` as UTF-8, each character but a surrogate pair passed through
// `escape(code, escaped)`, which appends it or the escape that stands for it. A
// surrogate left without its pair reaches `escape` too; kept as it is, it becomes
// U+FFFD in the UTF-8.
template <typename Escape>
void AppendEscaped(std::u16string_view text, std::string& bytes, Escape escape) {
    std::u16string escaped;
    escaped.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (IsHighSurrogate(text[i]) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
            escaped.append(text.substr(i++, 2));
        } else {
            escape(text[i], escaped);
        }
    }
    AppendTextAsUtf8(escaped, bytes);
}

// Appends `text` (UTF-16 or UTF-8) if JSON writes every character of it as it is
// (ASCII without controls, quotes and backslashes), as it writes words and numbers,
// and says whether it did. Intended for speed: copying and checking in one pass
// without a branch, which the compiler vectorises, brings --json from 1.45 to 1.16
// times the instructions of plain output on 200,000 corpus lines (callgrind), 1.1 to
// 1.2 times its time (scripts/measure-words.sh); any other text is escaped over again.
template <typename Char>
bool AppendIfPlainAscii(std::basic_string_view<Char> text, std::string& bytes) {
    const std::size_t used = bytes.size();
    bytes.resize(used + text.size());
    char* const at = bytes.data() + used;
    unsigned escaped = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto code = static_cast<std::make_unsigned_t<Char>>(text[i]);
        escaped |= static_cast<unsigned>(code < 0x20) | static_cast<unsigned>(code >= 0x80) |
                   static_cast<unsigned>(code == '"') | static_cast<unsigned>(code == '\\');
        at[i] = static_cast<char>(code);
    }
    if (escaped != 0) bytes.resize(used);
    return escaped == 0;
}

// Whether every byte is printable ASCII, which a report writes as it is.
bool IsPrintableAscii(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return c >= 0x20 && c < 0x7F; });
}

// The words of an answer or message as the report writes them, as UTF-8.
void AppendText(std::u16string_view text, std::string& bytes) { AppendTextAsUtf8(text, bytes); }
void AppendText(std::string_view text, std::string& bytes) { bytes += text; }

}  // namespace

void AppendJsonString(std::string_view utf8, std::string& bytes) {
    if (AppendIfPlainAscii(utf8, bytes)) return;
    std::u16string text;
    AppendUtf8AsText(utf8, text);
    AppendJsonString(std::u16string_view(text), bytes);
}

void AppendShownText(std::string_view utf8, std::string& bytes) {
    if (IsPrintableAscii(utf8)) {
        bytes += utf8;
        return;
    }
    std::u16string text;
    AppendUtf8AsText(utf8, text);
    AppendShownText(std::u16string_view(text), bytes);
}

void AppendJsonString(std::u16string_view text, std::string& bytes) {
    if (AppendIfPlainAscii(text, bytes)) return;
    AppendEscaped(text, bytes, [](char16_t code, std::u16string& escaped) {
        switch (code) {
        case u'"': escaped += u"\\\""; return;
        case u'\\': escaped += u"\\\\"; return;
        case u'\b': escaped += u"\\b"; return;
        case u'\f': escaped += u"\\f"; return;
        case u'\n': escaped += u"\\n"; return;
        case u'\r': escaped += u"\\r"; return;
        case u'\t': escaped += u"\\t"; return;
        default: break;
        }
        if (code < 0x20 || IsC1Control(code) || IsBidiControl(code) || IsHighSurrogate(code) || IsLowSurrogate(code)) {
            AppendEscape(escaped, u'u', code, 4);
        } else {
            escaped.push_back(code);
        }
    });
}

void AppendShownText(std::u16string_view text, std::string& bytes) {
    AppendEscaped(text, bytes, [](char16_t code, std::u16string& escaped) {
        if (code < 0x20 || code == 0x7F || IsC1Control(code)) {
            AppendEscape(escaped, u'x', code, 2);
        } else if (IsBidiControl(code)) {
            AppendEscape(escaped, u'u', code, 4);
        } else {
            escaped.push_back(code);
        }
    });
}

void Reporter::Report(std::u16string_view input, const Outcome& outcome) { ReportAs(input, outcome.answered, outcome.text); }

void Reporter::Report(std::string_view input, const Utf8Outcome& outcome) { ReportAs(input, outcome.answered, outcome.text); }

template <typename Text>
void Reporter::ReportAs(Text input, bool answered, Text text) {
    if (json_) {
        answers_ += R"({"input":")";
        AppendJsonString(input, answers_);
        answers_ += answered ? R"(","words":")" : R"(","message":")";
        AppendJsonString(text, answers_);
        answers_ += "\"}\n";
    } else if (answered) {
        AppendText(text, answers_);
        answers_.push_back('\n');
    } else {
        messages_ += "zorv-words: ";
        AppendShownText(input, messages_);
        messages_ += ": ";
        AppendText(text, messages_);
        messages_.push_back('\n');
        if (interleave_) {
            WriteBlock(out_, answers_);
            if (std::fflush(out_) != 0) throw WriteError();
            WriteBlock(err_, messages_);
            return;
        }
        if (messages_.size() >= kOutputBlock) WriteBlock(err_, messages_);
    }
    if (answers_.size() >= kOutputBlock) WriteBlock(out_, answers_);
}

void Reporter::Flush() {
    WriteBlock(out_, answers_);
    if (std::fflush(out_) != 0) throw WriteError();
    WriteBlock(err_, messages_);
    if (std::fflush(err_) != 0) throw WriteError();
}

void WriteBlock(std::FILE* file, std::string& block) {
    const bool written = std::fwrite(block.data(), 1, block.size(), file) == block.size();
    block.clear();
    if (!written || std::ferror(file) != 0) throw WriteError();
}

}  // namespace zorv::cli
