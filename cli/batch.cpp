#include "batch.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QString>
#include <QStringView>

namespace zorv::cli {

Outcome BatchConverter::Convert(std::u16string_view input) {
    input_ = input;
    answered_ = false;
    command_.cmdresult_Click();
    return answered_ ? Outcome{true, words_} : Outcome{false, message_};
}

void BatchConverter::SetOutput(std::u16string_view words) {
    words_.clear();
    words_.append(words);
    answered_ = true;
}

void BatchConverter::ShowMessage(std::u16string_view prompt, std::u16string_view /*title*/) {
    message_.assign(prompt);
}

std::u16string_view LineDecoder::Decode(std::string_view bytes) {
    text_.resize(static_cast<std::size_t>(decoder_.requiredSpace(static_cast<qsizetype>(bytes.size()))));
    auto* begin = reinterpret_cast<QChar*>(text_.data());
    const QChar* end = decoder_.appendToBuffer(begin, QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
    text_.resize(static_cast<std::size_t>(end - begin));
    return text_;
}

void Reporter::AppendUtf8(std::u16string_view text) {
    const auto used = line_.size();
    line_.resize(used + static_cast<std::size_t>(encoder_.requiredSpace(static_cast<qsizetype>(text.size()))));
    char* begin = line_.data() + used;
    const char* end = encoder_.appendToBuffer(
        begin, QStringView(text.data(), static_cast<qsizetype>(text.size())));
    line_.resize(used + static_cast<std::size_t>(end - begin));
}

void Reporter::Emit(std::FILE* stream) {
    std::fwrite(line_.data(), 1, line_.size(), stream);
}

void Reporter::Report(std::u16string_view input, const Outcome& outcome) {
    line_.clear();
    if (json_) {
        const QJsonObject object{
            {QStringLiteral("input"), QStringView(input).toString()},
            {outcome.answered ? QStringLiteral("words") : QStringLiteral("message"), QStringView(outcome.text).toString()},
        };
        line_ = QJsonDocument(object).toJson(QJsonDocument::Compact).toStdString();
        line_.push_back('\n');
        Emit(out_);
        return;
    }
    if (outcome.answered) {
        AppendUtf8(outcome.text);
        line_.push_back('\n');
        Emit(out_);
        return;
    }
    line_ = "zorv-words: ";
    AppendUtf8(input);
    line_ += ": ";
    AppendUtf8(outcome.text);
    line_.push_back('\n');
    Emit(err_);
}

}  // namespace zorv::cli
