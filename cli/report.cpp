#include "report.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QString>
#include <QStringView>

namespace zorv::cli {

void Reporter::Report(std::u16string_view input, const Outcome& outcome) {
    if (json_) {
        const QJsonObject object{
            {QStringLiteral("input"), QStringView(input).toString()},
            {outcome.answered ? QStringLiteral("words") : QStringLiteral("message"), QStringView(outcome.text).toString()},
        };
        pending_ += QJsonDocument(object).toJson(QJsonDocument::Compact).toStdString();
        pending_.push_back('\n');
    } else if (outcome.answered) {
        AppendTextAsUtf8(outcome.text, pending_);
        pending_.push_back('\n');
    } else {
        Flush();
        message_ = "zorv-words: ";
        AppendTextAsUtf8(input, message_);
        message_ += ": ";
        AppendTextAsUtf8(outcome.text, message_);
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
