#include "batch.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QString>
#include <QStringView>

#include <type_traits>

namespace zorv::cli {

Outcome BatchConverter::Convert(std::u16string_view input) {
    input_ = input;
    answered_ = false;
    command_.cmdresult_Click();
    return answered_ ? Outcome{true, words_} : Outcome{false, message_};
}

void BatchConverter::SetOutput(std::u16string_view words) {
    words_ = words;
    answered_ = true;
}

void BatchConverter::ShowMessage(std::u16string_view prompt, std::u16string_view /*title*/) {
    message_.assign(prompt);
}

namespace {

// Copies n characters between 16-bit text and bytes (each cut to its low byte, or
// widened), and tells whether all were ASCII, for which either way is a correct
// conversion. One pass with no early exit, which the compiler vectorises.
template <typename From, typename To>
bool CopyAscii(const From* __restrict from, std::size_t n, To* __restrict to) {
    using Code = std::make_unsigned_t<From>;
    Code seen = 0;
    for (std::size_t i = 0; i < n; ++i) {
        const auto code = static_cast<Code>(from[i]);
        seen |= code;
        to[i] = static_cast<To>(code);
    }
    return seen < 0x80;
}

}  // namespace

std::u16string_view LineDecoder::Decode(std::string_view bytes) {
    // ASCII is its own UTF-16; anything else is decoded over again.
    text_.resize(bytes.size());
    if (CopyAscii(bytes.data(), bytes.size(), text_.data())) return text_;
    text_.resize(static_cast<std::size_t>(decoder_.requiredSpace(static_cast<qsizetype>(bytes.size()))));
    auto* begin = reinterpret_cast<QChar*>(text_.data());
    const QChar* end = decoder_.appendToBuffer(begin, QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
    text_.resize(static_cast<std::size_t>(end - begin));
    return text_;
}

void Reporter::AppendUtf8(std::string& to, std::u16string_view text) {
    const auto used = to.size();
    // Words and messages are ASCII: narrowed in one pass that also notes any other
    // character, after which the encoder writes the text over again.
    to.resize(used + text.size());
    if (CopyAscii(text.data(), text.size(), to.data() + used)) return;
    to.resize(used + static_cast<std::size_t>(encoder_.requiredSpace(static_cast<qsizetype>(text.size()))));
    char* begin = to.data() + used;
    const char* end = encoder_.appendToBuffer(
        begin, QStringView(text.data(), static_cast<qsizetype>(text.size())));
    to.resize(used + static_cast<std::size_t>(end - begin));
}

void Reporter::Hand() {
    // One thread writes; the stream's lock is not needed.
    fwrite_unlocked(pending_.data(), 1, pending_.size(), out_);
    pending_.clear();
}

void Reporter::Flush() {
    Hand();
    fflush_unlocked(out_);
}

bool ConvertAndReport(BatchConverter& converter, Reporter& reporter, std::u16string_view input) {
    const auto outcome = converter.Convert(input);
    reporter.Report(input, outcome);
    return outcome.answered;
}

void Reporter::Report(std::u16string_view input, const Outcome& outcome) {
    if (json_) {
        const QJsonObject object{
            {QStringLiteral("input"), QStringView(input).toString()},
            {outcome.answered ? QStringLiteral("words") : QStringLiteral("message"), QStringView(outcome.text).toString()},
        };
        pending_ += QJsonDocument(object).toJson(QJsonDocument::Compact).toStdString();
        pending_.push_back('\n');
    } else if (outcome.answered) {
        AppendUtf8(pending_, outcome.text);
        pending_.push_back('\n');
    } else {
        errorLine_ = "zorv-words: ";
        AppendUtf8(errorLine_, input);
        errorLine_ += ": ";
        AppendUtf8(errorLine_, outcome.text);
        errorLine_.push_back('\n');
        fwrite_unlocked(errorLine_.data(), 1, errorLine_.size(), err_);
        return;
    }
    if (lineByLine_ || pending_.size() >= kChunk) Hand();
}

}  // namespace zorv::cli
