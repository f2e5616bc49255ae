#include "verify.h"

#include <string>
#include <string_view>

#include "lines.h"
#include "report.h"

namespace zorv::cli {

int VerifyLines(const Speller& speller, bool json, std::FILE* out, std::FILE* err) {
    int status = 0;
    std::size_t number = 0;
    std::string answers, messages;
    const auto writeOut = [&] {
        WriteBlock(out, answers);
        WriteBlock(err, messages);
        if (std::fflush(out) != 0 || std::fflush(err) != 0) throw WriteError();
    };
    const auto read = [&](char* buffer, std::size_t size) { return ReadStandardInput(writeOut, buffer, size); };
    const bool readOk = ForEachLine(read, [&](std::string_view line, bool cut) {
        ++number;
        const auto tab = line.find('\t');
        const std::string_view figures = line.substr(0, tab);
        const std::string_view words = tab == std::string_view::npos ? std::string_view() : line.substr(tab + 1);
        const auto result = cut                            ? Speller::TooLong()
                            : tab == std::string_view::npos ? Speller::Result{false, "no tab between the figures and the words"}
                                                            : speller.Verify(figures, words);
        if (!result.answered) status = 1;
        if (json) {
            answers += "{\"line\":" + std::to_string(number) + ",\"figures\":\"";
            AppendJsonString(figures, answers);
            answers += "\",\"words\":\"";
            AppendJsonString(words, answers);
            answers += result.answered ? "\",\"agrees\":true,\"number\":\"" : "\",\"agrees\":false,\"message\":\"";
            AppendJsonString(result.text, answers);
            answers += "\"}\n";
        } else if (!result.answered) {
            messages += "zorv-words: line " + std::to_string(number) + ": ";
            AppendShownText(std::string_view(result.text), messages);
            messages.push_back('\n');
        }
        if (answers.size() >= kOutputBlock) WriteBlock(out, answers);
        if (messages.size() >= kOutputBlock) WriteBlock(err, messages);
    });
    writeOut();
    return readOk ? status : -1;
}

}  // namespace zorv::cli
