#include "report.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QString>
#include <QStringView>

#include "lines.h"

namespace zorv::cli {

Outcome Converter::Convert(std::u16string_view input) {
    input_ = input;
    answered_ = false;
    command_.cmdresult_Click();
    return answered_ ? Outcome{true, words_} : Outcome{false, message_};
}

void Converter::SetOutput(std::u16string_view words) {
    words_ = words;
    answered_ = true;
}

void Converter::ShowMessage(std::u16string_view prompt, std::u16string_view /*title*/) {
    message_.assign(prompt);
}

void Reporter::AppendUtf8(std::string& to, std::u16string_view text) {
    const auto used = to.size();
    // Words and messages are ASCII: narrowed in one pass that also notes any other
    // character, after which the encoder writes the text over again.
    to.resize(used + text.size());
    if (CopyAscii(text.data(), text.size(), to.data() + used)) return;
    to.resize(used + static_cast<std::size_t>(encoder_.requiredSpace(static_cast<qsizetype>(text.size()))));
    char* begin = to.data() + used;
    const char* end = encoder_.appendToBuffer(begin, QStringView(text.data(), static_cast<qsizetype>(text.size())));
    to.resize(used + static_cast<std::size_t>(end - begin));
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
        Flush();
        message_ = "zorv-words: ";
        AppendUtf8(message_, input);
        message_ += ": ";
        AppendUtf8(message_, outcome.text);
        message_.push_back('\n');
        std::fwrite(message_.data(), 1, message_.size(), err_);
        return;
    }
    if (pending_.size() >= kBlock) {
        std::fwrite(pending_.data(), 1, pending_.size(), out_);
        pending_.clear();
    }
}

void Reporter::Flush() {
    std::fwrite(pending_.data(), 1, pending_.size(), out_);
    pending_.clear();
    std::fflush(out_);
}

}  // namespace zorv::cli
