#include "help.h"

#include <zorv/words.hpp>

#include <string_view>

#include "identity.h"

namespace zorv::cli {
namespace {

constexpr std::size_t kColumns = 80;

// The number of characters of UTF-8 text.
std::size_t Columns(std::string_view text) {
    std::size_t columns = 0;
    for (const char c : text) columns += (static_cast<unsigned char>(c) & 0xC0) != 0x80 ? 1 : 0;
    return columns;
}

// Appends `text` broken at spaces into lines of at most kColumns, the first beginning
// with `label` padded to `indent` columns (on a line of its own when it is longer), the
// others with `indent` spaces.
void AppendItem(std::string& out, std::string_view label, std::size_t indent, std::string_view text) {
    std::string line(label);
    if (!label.empty() && Columns(line) + 1 > indent) {
        out += line + '\n';
        line.clear();
    }
    line.resize(indent, ' ');
    bool lineHasWords = false;
    while (!text.empty()) {
        const auto space = text.find(' ');
        const std::string_view word = text.substr(0, space);
        text.remove_prefix(space == std::string_view::npos ? text.size() : space + 1);
        if (lineHasWords && Columns(line) + 1 + Columns(word) > kColumns) {
            out += line + '\n';
            line.assign(indent, ' ');
            lineHasWords = false;
        }
        if (lineHasWords) line += ' ';
        line += word;
        lineHasWords = true;
    }
    out += line + '\n';
}

void AppendParagraph(std::string& out, std::string_view text) { AppendItem(out, "", 0, text); }

}  // namespace

std::string HelpText() {
    std::string out =
        "Usage: zorv-words [--json] [--style STYLE] [--] [NUMBER...]\n"
        "       zorv-words --verify [--json] [--style STYLE] < LINES\n"
        "       zorv-words --list-locales | --help | --version\n\n";
    std::string product;
    AppendTextAsUtf8(kProductName, product);
    AppendParagraph(out, "Writes each NUMBER in English words, exactly as the " + product +
                             " does, one line per input; with no NUMBER, reads standard input, one number a line. A "
                             "number that is refused is reported on standard error as \"zorv-words: NUMBER: MESSAGE\". "
                             "Write \"--\" before a NUMBER that begins with \"-\".");
    out += "\nOptions:\n";
    constexpr std::size_t kOptionIndent = 18;
    AppendItem(out, "  --json", kOptionIndent, "one JSON object per input: {\"input\", \"words\"} or {\"input\", \"message\"}");
    AppendItem(out, "  --style STYLE", kOptionIndent, "the words in the style STYLE describes instead of the classic answer");
    AppendItem(out, "  --verify", kOptionIndent,
               "read lines \"FIGURES<TAB>WORDS\" and check that the words name exactly the figures; a line that "
               "disagrees is reported as \"zorv-words: line N: ...\"");
    AppendItem(out, "  --list-locales", kOptionIndent, "the locales STYLE may name, each with its rule sets");
    AppendItem(out, "  -h, --help", kOptionIndent, "this text");
    AppendItem(out, "  -v, --version", kOptionIndent, "the version");

    std::string presets;
    for (const std::string& preset : Speller::Presets()) presets += (presets.empty() ? "" : ", ") + preset;
    out += '\n';
    AppendParagraph(out, "A STYLE is a preset (" + presets +
                             ") and options, separated by commas, as in \"cheque,currency=INR,width=60,fill=*\". A "
                             "NUMBER may then have commas grouping its digits and up to 1,000 digits on each side of "
                             "the point. The options:");
    for (const Speller::Option& option : Speller::Options()) {
        AppendItem(out, "  " + option.name + "=" + option.values, 29, option.meaning);
    }
    out += '\n';
    AppendParagraph(out, "Exit status: 0 when every input got words (with --verify, when every line agrees), 1 when any "
                         "got a message or a write failed, 2 for a usage error, 130 when SIGINT or SIGTERM stopped the "
                         "reading.");
    return out;
}

}  // namespace zorv::cli
