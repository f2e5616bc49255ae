// The batch side of zorv-words: one Convert command run per input, and the
// formatting of each outcome as a plain line or as a JSON object.
#pragma once

#include <QStringDecoder>
#include <QStringEncoder>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "convert_command.h"
#include "converttoword.h"

namespace zorv::cli {

// What one run of the Convert command ended in: the words, or the text of the one
// message it showed (a validation message or an error's description).
struct Outcome {
    bool answered = false;
    std::u16string_view text;  // valid until the next conversion
};

// Runs the Convert command on texts instead of a window, on one engine object.
class BatchConverter final : private command::ConvertView {
public:
    BatchConverter() : command_(module_, *this) {}
    BatchConverter(const BatchConverter&) = delete;
    BatchConverter& operator=(const BatchConverter&) = delete;

    Outcome Convert(std::u16string_view input);

private:
    std::u16string_view ReadInput() override { return input_; }
    void SetOutput(std::u16string_view words) override;
    void ShowMessage(std::u16string_view prompt, std::u16string_view title) override;

    engine::converttoword module_;
    command::ConvertCommand command_;
    std::u16string_view input_;
    std::u16string words_, message_;
    bool answered_ = false;
};

// Decodes one line of bytes as UTF-8; every byte sequence that is not valid UTF-8
// becomes U+FFFD. Lines are decoded independently of each other.
class LineDecoder {
public:
    std::u16string_view Decode(std::string_view bytes);

private:
    QStringDecoder decoder_{QStringDecoder::Utf8,
                            QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom};
    std::u16string text_;
};

// Writes outcomes: answers to `out` (the words exactly, one line each) and messages
// to `err` as "zorv-words: <input>: <message>"; or, in JSON mode, one object per
// input to `out`: {"input": ..., "words": ...} or {"input": ..., "message": ...}.
class Reporter {
public:
    Reporter(std::FILE* out, std::FILE* err, bool json) : out_(out), err_(err), json_(json) {}

    void Report(std::u16string_view input, const Outcome& outcome);

private:
    void AppendUtf8(std::u16string_view text);
    void Emit(std::FILE* stream);

    std::FILE* out_;
    std::FILE* err_;
    bool json_;
    QStringEncoder encoder_{QStringEncoder::Utf8, QStringEncoder::Flag::Stateless};
    std::string line_;
};

// The UTF-8 encoding signature some editors put at the start of a file.
inline constexpr std::string_view kUtf8Signature = "\xEF\xBB\xBF";

// Reads lines of any length from `in` and hands each to `onLine`: "\n" ends a line,
// a "\r" before it is dropped, and the last line may lack its "\n". A UTF-8
// signature at the very start of the stream is not part of the first line. Memory
// stays that of the longest line. Returns false on a read error.
template <typename OnLine>
bool ForEachLine(std::FILE* in, OnLine&& onLine) {
    char* buffer = nullptr;
    std::size_t capacity = 0;
    ssize_t length = 0;
    bool first = true;
    while ((length = getline(&buffer, &capacity, in)) >= 0) {
        std::string_view line(buffer, static_cast<std::size_t>(length));
        if (first && line.starts_with(kUtf8Signature)) line.remove_prefix(kUtf8Signature.size());
        first = false;
        if (!line.empty() && line.back() == '\n') line.remove_suffix(1);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        onLine(line);
    }
    std::free(buffer);
    return std::ferror(in) == 0;
}

}  // namespace zorv::cli
