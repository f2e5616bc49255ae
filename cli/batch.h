// The batch side of zorv-words: one Convert command run per input, and the
// formatting of each outcome as a plain line or as a JSON object.
#pragma once

#include <QStringDecoder>
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

}  // namespace zorv::cli
