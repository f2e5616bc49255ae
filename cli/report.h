// Converting and reporting for zorv-words: one run of the Convert command per input,
// and its outcome written as a plain line or as a JSON object.
#pragma once

#include <QStringEncoder>

#include <cstdio>
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
class Converter final : private command::ConvertView {
public:
    Converter() : command_(module_, *this) {}
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

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

// Writes outcomes: answers to `out` (the words exactly, one line each) and messages
// to `err` as "zorv-words: <input>: <message>"; or, in JSON mode, one object per
// input to `out`: {"input": ..., "words": ...} or {"input": ..., "message": ...}.
// Lines for `out` are collected and handed over in blocks of kBlock bytes: through a
// pipe, zorv-words took two thirds of the time it took handing stdio one line at a
// time (scripts/measure-words.sh, bench/README.md). A message is written at once,
// after the answers before it, so that both streams keep the order of the inputs.
class Reporter {
public:
    Reporter(std::FILE* out, std::FILE* err, bool json) : out_(out), err_(err), json_(json) {}
    Reporter(const Reporter&) = delete;
    Reporter& operator=(const Reporter&) = delete;
    ~Reporter() { Flush(); }

    void Report(std::u16string_view input, const Outcome& outcome);

    // Writes out every line collected so far and flushes `out`.
    void Flush();

private:
    static constexpr std::size_t kBlock = std::size_t{1} << 16;

    void AppendUtf8(std::string& to, std::u16string_view text);

    std::FILE* out_;
    std::FILE* err_;
    bool json_;
    QStringEncoder encoder_{QStringEncoder::Utf8, QStringEncoder::Flag::Stateless};
    std::string pending_;  // lines for out_
    std::string message_;  // the line for err_
};

}  // namespace zorv::cli
