// The batch side of zorv-words: one Convert command run per input, and the
// formatting of each outcome as a plain line or as a JSON object.
#pragma once

#include <QStringDecoder>
#include <QStringEncoder>

#include <cstdio>
#include <cstdlib>
#include <cstring>
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
    std::u16string_view words_;  // the command's own text, kept until its next run
    std::u16string message_;
    bool answered_ = false;
};

// Decodes one line of bytes as UTF-8; every byte sequence that is not valid UTF-8
// becomes U+FFFD. Lines are decoded independently of each other. A line of ASCII,
// as lines of numbers are, is widened directly.
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
// Lines for `out` are handed to it in chunks, or one by one when `lineByLine`;
// messages for `err` at once.
class Reporter {
public:
    Reporter(std::FILE* out, std::FILE* err, bool json, bool lineByLine = false)
        : out_(out), err_(err), json_(json), lineByLine_(lineByLine) {}
    Reporter(const Reporter&) = delete;
    Reporter& operator=(const Reporter&) = delete;
    ~Reporter() { Flush(); }

    void Report(std::u16string_view input, const Outcome& outcome);

    // Hands every pending line to `out` and flushes it.
    void Flush();

private:
    static constexpr std::size_t kChunk = std::size_t{1} << 16;

    void AppendUtf8(std::string& to, std::u16string_view text);
    // Hands every pending line to `out`, which may keep them in its buffer.
    void Hand();

    std::FILE* out_;
    std::FILE* err_;
    bool json_;
    bool lineByLine_;
    QStringEncoder encoder_{QStringEncoder::Utf8, QStringEncoder::Flag::Stateless};
    std::string pending_;    // lines for out_
    std::string errorLine_;  // the line for err_
};

// Converts one input and reports its outcome; tells whether the input got an answer.
bool ConvertAndReport(BatchConverter& converter, Reporter& reporter, std::u16string_view input);

// The UTF-8 encoding signature some editors put at the start of a file.
inline constexpr std::string_view kUtf8Signature = "\xEF\xBB\xBF";

// Reads lines of any length and hands each to `onLine`: "\n" ends a line, a "\r"
// before it is dropped, and the last line may lack its "\n". A UTF-8 signature at
// the very start of the stream is not part of the first line. `read(buffer, size)`
// supplies the bytes as read(2) does: a count, 0 at the end, -1 on an error.
// Lines are cut from large blocks; memory stays that of the longest line.
// Returns false on a read error.
template <typename Read, typename OnLine>
bool ForEachLine(Read&& read, OnLine&& onLine) {
    std::string buffer(std::size_t{1} << 16, '\0');
    std::size_t begin = 0;    // first byte not yet handed out
    std::size_t scanned = 0;  // bytes from begin known to hold no "\n"
    std::size_t end = 0;      // end of the bytes read
    bool first = true;
    const auto hand = [&](std::string_view line) {
        if (first && line.starts_with(kUtf8Signature)) line.remove_prefix(kUtf8Signature.size());
        first = false;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        onLine(line);
    };
    for (;;) {
        const char* const data = buffer.data();
        while (const void* newline = std::memchr(data + begin + scanned, '\n', end - begin - scanned)) {
            const auto at = static_cast<std::size_t>(static_cast<const char*>(newline) - data);
            hand(std::string_view(data + begin, at - begin));
            begin = at + 1;
            scanned = 0;
        }
        scanned = end - begin;
        // Keep the unfinished line at the front, with room to read more after it.
        if (begin > 0) {
            std::memmove(buffer.data(), data + begin, end - begin);
            end -= begin;
            begin = 0;
        }
        if (end == buffer.size()) buffer.resize(2 * buffer.size());
        const auto count = read(buffer.data() + end, buffer.size() - end);
        if (count < 0) return false;
        if (count == 0) break;
        end += static_cast<std::size_t>(count);
    }
    if (end > begin) hand(std::string_view(buffer.data() + begin, end - begin));
    return true;
}

}  // namespace zorv::cli
