// Reporting for zorv-words: the outcome of each input's conversion written as a plain
// line or as a JSON object, and the run stopped as soon as a write fails.
#pragma once

#include <zorv/words.hpp>

#include <cstdio>
#include <stdexcept>
#include <string>
#include <string_view>

namespace zorv::cli {

// Thrown when answers or messages cannot be written (a full disk, a closed pipe):
// nothing more can reach the reader, so the run stops.
class WriteError : public std::runtime_error {
public:
    WriteError() : std::runtime_error("write error") {}
};

// An outcome in UTF-8: whether the text answered, and the words or the message.
struct Utf8Outcome {
    bool answered = false;
    std::string_view text;
};

// Writes `block` to `file` and empties it; throws WriteError when the write fails.
void WriteBlock(std::FILE* file, std::string& block);

// Appends `text` to `bytes` as the contents of a JSON string (no quotes): `"`, `\`
// and the control characters escaped, the C1 and bidirectional controls too (as
// \u0085, \u202e: raw, they would act on a terminal that shows the JSON), the rest
// as UTF-8, byte for byte as Qt's JSON writer writes it.
void AppendJsonString(std::u16string_view text, std::string& bytes);
// The same for UTF-8 text (a byte that is not UTF-8 becomes U+FFFD).
void AppendJsonString(std::string_view utf8, std::string& bytes);

// Appends `text` to `bytes` as UTF-8 that cannot act on a terminal: each control
// character as \xHH and each bidirectional control (U+202A to U+202E, U+2066 to
// U+2069) as \uHHHH, so that a report stays one line and shows what was typed.
void AppendShownText(std::u16string_view text, std::string& bytes);
void AppendShownText(std::string_view utf8, std::string& bytes);

// Writes outcomes: answers to `out` (the words exactly, one line each) and messages
// to `err` as "zorv-words: <input>: <message>"; or, in JSON mode, one object per
// input to `out`: {"input": ..., "words": ...} or {"input": ..., "message": ...}.
// Lines are collected and handed over in blocks of kOutputBlock bytes: through a pipe,
// zorv-words took two thirds of the time it took handing stdio one line at a time
// (scripts/measure-words.sh, bench/README.md). With `interleave`, for streams that
// a person reads in order (a terminal, or both streams into one file), a message is
// written at once, after the answers before it; otherwise messages are collected
// in blocks of their own too, and each stream keeps the order of its inputs.
// Every write is checked: one that fails throws WriteError.
// Lines are collected and handed to stdio in blocks of this many bytes.
inline constexpr std::size_t kOutputBlock = std::size_t{1} << 16;

class Reporter {
public:
    Reporter(std::FILE* out, std::FILE* err, bool json, bool interleave)
        : out_(out), err_(err), json_(json), interleave_(interleave) {}
    Reporter(const Reporter&) = delete;
    Reporter& operator=(const Reporter&) = delete;

    void Report(std::u16string_view input, const Outcome& outcome);
    void Report(std::string_view input, const Utf8Outcome& outcome);

    // Writes out every line collected so far and flushes both streams.
    void Flush();

private:
    template <typename Text>
    void ReportAs(Text input, bool answered, Text text);

    std::FILE* out_;
    std::FILE* err_;
    bool json_;
    bool interleave_;
    std::string answers_;   // lines for out_
    std::string messages_;  // lines for err_
};

}  // namespace zorv::cli
