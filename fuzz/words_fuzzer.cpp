// Fuzzes zorv-words' line reading, UTF-8 reading and JSON writing: any bytes in,
// exactly one valid JSON object per input line out, in order, each with one outcome
// and its input as Qt's own UTF-8 decoder reads the line, written byte for byte as
// Qt's own JSON writer writes the same object but for the C1 and bidirectional
// controls, which are escaped (Qt writes them raw).
#include <QByteArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QString>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "lines.h"
#include "report.h"
#include "check.h"

using zorv::fuzz::Check;

namespace {

// Qt's JSON text with each C1 control (U+0080 to U+009F) and bidirectional control
// (U+202A to U+202E, U+2066 to U+2069) written as its \u escape.
QByteArray EscapeControls(const QByteArray& json) {
    QString text = QString::fromUtf8(json), escaped;
    for (const QChar c : text) {
        const char16_t code = c.unicode();
        if ((code >= 0x80 && code <= 0x9F) || (code >= 0x202A && code <= 0x202E) || (code >= 0x2066 && code <= 0x2069)) {
            escaped += QStringLiteral("\\u%1").arg(static_cast<unsigned>(code), 4, 16, QLatin1Char('0'));
        } else {
            escaped += c;
        }
    }
    return escaped.toUtf8();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static zorv::Converter converter;
    std::u16string text;

    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    std::vector<QString> inputs;  // each line as the reader should decode it
    std::size_t begin = 0;
    while (begin < bytes.size()) {
        auto end = bytes.find('\n', begin);
        if (end == std::string_view::npos) end = bytes.size();
        std::string_view line = bytes.substr(begin, end - begin);
        if (begin == 0 && line.starts_with(zorv::cli::kUtf8Signature)) line.remove_prefix(3);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        inputs.push_back(QString::fromUtf8(line.data(), static_cast<qsizetype>(line.size())));
        begin = end + 1;
    }

    char* written = nullptr;
    std::size_t writtenSize = 0;
    std::FILE* out = open_memstream(&written, &writtenSize);
    std::size_t lines = 0;
    QByteArray expectedOutput;  // the same objects from Qt's JSON writer
    {
        // Hands the bytes out in pieces of varying size, as a pipe does.
        std::string_view rest = bytes;
        std::size_t piece = 1;
        const auto read = [&](char* buffer, std::size_t room) -> long {
            const std::size_t count = std::min({rest.size(), room, piece});
            rest.copy(buffer, count);
            rest.remove_prefix(count);
            piece = piece * 7 % 4099 + 1;
            return static_cast<long>(count);
        };
        zorv::cli::Reporter reporter(out, stderr, /*json=*/true, /*interleave=*/false);
        Check(zorv::cli::ForEachLine(read, [&](std::string_view line, bool) {
            text.clear();
            zorv::AppendUtf8AsText(line, text);
            const auto outcome = converter.Convert(text);
            reporter.Report(text, outcome);
            const QJsonObject object{
                {QStringLiteral("input"), QStringView(text).toString()},
                {outcome.answered ? QStringLiteral("words") : QStringLiteral("message"),
                 QStringView(outcome.text).toString()},
            };
            expectedOutput += EscapeControls(QJsonDocument(object).toJson(QJsonDocument::Compact)) + '\n';
            ++lines;
        }));
        reporter.Flush();
    }
    std::fclose(out);
    Check(lines == inputs.size());

    const QByteArray output(written, static_cast<qsizetype>(writtenSize));
    std::free(written);
    Check(output == expectedOutput);
    const auto objects = output.split('\n');
    Check(static_cast<std::size_t>(objects.size()) == lines + 1 && objects.back().isEmpty());
    for (std::size_t i = 0; i < lines; ++i) {
        QJsonParseError error{};
        const auto document = QJsonDocument::fromJson(objects[static_cast<qsizetype>(i)], &error);
        Check(error.error == QJsonParseError::NoError && document.isObject());
        const QJsonObject object = document.object();
        // Qt's JSON reader drops a U+FEFF that opens a string without escapes, though the
        // text written holds it; the comparison leaves that one character out.
        QString got = object.value(QStringLiteral("input")).toString();
        QString expected = inputs[i];
        got.remove(QChar(0xFEFF));
        expected.remove(QChar(0xFEFF));
        Check(got == expected);
        Check(object.contains(QStringLiteral("words")) != object.contains(QStringLiteral("message")));
        Check(object.size() == 2);
    }
    return 0;
}
