// zorv-words: the command-line companion of the converter. Each argument, or each
// line of standard input when there is none, is one run of the same Convert command
// as the window's, or with --style one spelling by the rules of a locale. The parts: the options (QCommandLineParser), reading lines
// (lines.h), converting each through the converter's library (zorv/words.hpp), and
// reporting its outcome (report.h); standard input's lines are converted in batches
// on two threads (batches.h) and reported in order.
#include <QCommandLineParser>
#include <QCoreApplication>

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <new>
#include <optional>
#include <stdexcept>
#include <string>
#include <type_traits>

#include "batches.h"
#include "help.h"
#include "identity.h"
#include "lines.h"
#include "report.h"
#include "verify.h"

namespace {

// The exit statuses: every input answered; some refused, or a write failed; a usage
// error; SIGINT or SIGTERM stopped the reading.
enum ExitStatus { kAllAnswered = 0, kFailed = 1, kUsageError = 2, kInterrupted = 128 + SIGINT };

// Whether standard output and standard error lead to one place, a terminal or a
// file, where a reader sees their lines in the order they were written.
bool OutputsShareADestination() {
    struct stat out {}, err {};
    if (fstat(STDOUT_FILENO, &out) != 0 || fstat(STDERR_FILENO, &err) != 0) return true;
    return out.st_dev == err.st_dev && out.st_ino == err.st_ino;
}

// The options of one run: --json, the style of --style, and the numbers given as
// arguments.
struct Options {
    bool json = false;
    bool verify = false;
    std::optional<zorv::Speller> speller;
    QStringList numbers;
};

// Converts one text at a time by the classic Convert command, in UTF-16 as it reads
// text; one per thread.
struct ClassicConverter {
    using Outcome = zorv::Outcome;

    // `cut`: `input` is only the beginning of a longer line, which the classic answer
    // overflows as it overflows any text that long.
    Outcome operator()(std::u16string_view input, bool /*cut*/ = false) { return converter.Convert(input); }

    zorv::Converter converter;
};

// Spells one text at a time in a style of the library, UTF-8 from input to output; one
// per thread.
struct StyleConverter {
    using Outcome = zorv::cli::Utf8Outcome;

    // `cut`: `input` is only the beginning of a longer line, which is refused whole.
    Outcome operator()(std::string_view input, bool cut = false) {
        result = cut ? zorv::Speller::TooLong() : speller->Spell(input);
        return {result.answered, result.text};
    }

    const zorv::Speller* speller;
    zorv::Speller::Result result;
};

// Writes `text` to standard output and ends the program: status 0, or 1 with
// "zorv-words: write error" when the write fails.
[[noreturn]] void PrintAndExit(const std::string& text) {
    const bool written = std::fwrite(text.data(), 1, text.size(), stdout) == text.size() && std::fflush(stdout) == 0;
    if (!written) std::fputs("zorv-words: write error\n", stderr);
    std::exit(written ? kAllAnswered : kFailed);
}

// The value of the last --style on the command line as its bytes were typed (Qt's
// arguments read bytes that are no UTF-8 as U+FFFD), so that a message about it
// quotes what was typed.
std::string TypedStyle(int argc, char* argv[]) {
    std::string value;
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument == "--") break;
        if (argument == "--style" && i + 1 < argc) {
            value = argv[++i];
        } else if (argument.starts_with("--style=")) {
            value = argument.substr(std::string_view("--style=").size());
        }
    }
    return value;
}

[[noreturn]] void UsageError(const QString& text) {
    std::fprintf(stderr, "zorv-words: %s\nTry 'zorv-words --help' for more information.\n", qPrintable(text));
    std::exit(kUsageError);
}

// Reads the command line. For --help and --version, and for a usage error, prints
// what is asked for or what is wrong and ends the program.
Options ParseOptions(int argc, char* argv[]) {
    QCommandLineParser parser;
    const QCommandLineOption jsonOption(QStringLiteral("json"));
    parser.addOption(jsonOption);
    const QCommandLineOption styleOption(QStringLiteral("style"), QString(), QStringLiteral("STYLE"));
    parser.addOption(styleOption);
    const QCommandLineOption verifyOption(QStringLiteral("verify"));
    parser.addOption(verifyOption);
    const QCommandLineOption listOption(QStringLiteral("list-locales"));
    parser.addOption(listOption);
    // Help and version of the program's own (Qt's would add its own --help-all).
    const QCommandLineOption helpOption(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    parser.addOption(helpOption);
    const QCommandLineOption versionOption(QStringList{QStringLiteral("v"), QStringLiteral("version")});
    parser.addOption(versionOption);
    if (!parser.parse(QCoreApplication::arguments())) UsageError(parser.errorText());
    if (parser.isSet(helpOption)) PrintAndExit(zorv::cli::HelpText());
    if (parser.isSet(versionOption)) {
        PrintAndExit((QCoreApplication::applicationName() + u' ' + QCoreApplication::applicationVersion() + u'\n').toStdString());
    }
    if (parser.isSet(listOption)) PrintAndExit(zorv::Speller::ListLocales());
    Options options{parser.isSet(jsonOption), parser.isSet(verifyOption), std::nullopt, parser.positionalArguments()};
    if (options.verify && !options.numbers.isEmpty()) UsageError(QStringLiteral("--verify reads standard input and takes no NUMBER"));
    if (parser.isSet(styleOption)) {
        try {
            options.speller.emplace(TypedStyle(argc, argv));
        } catch (const std::invalid_argument& error) {
            UsageError(QString::fromUtf8(error.what()));
        }
    }
    return options;
}

// Ends a run whose input could not be read to its end: by a signal (SIGINT or SIGTERM),
// after the answers to every line read, or by a read error.
int ReadFailed() {
    if (zorv::cli::StopRequested()) {
        std::fputs("zorv-words: interrupted\n", stderr);
        return kInterrupted;
    }
    std::fputs("zorv-words: read error\n", stderr);
    return kFailed;
}

std::u16string_view View(const QString& text) {
    return {reinterpret_cast<const char16_t*>(text.utf16()), static_cast<std::size_t>(text.size())};
}

// Converts each number given, or each line of standard input, with `convert` and, for
// standard input, `secondConvert` on a second thread; reports each outcome in order and
// returns the exit status.
template <typename Converter>
int ConvertAll(const Options& options, zorv::cli::Reporter& reporter, Converter convert, Converter secondConvert) {
    int status = kAllAnswered;
    const auto report = [&](auto input, const typename Converter::Outcome& outcome) {
        reporter.Report(input, outcome);
        if (!outcome.answered) status = kFailed;
    };
    if (!options.numbers.isEmpty()) {
        for (const QString& number : options.numbers) {
            if constexpr (std::is_same_v<typename Converter::Outcome, zorv::Outcome>) {
                report(View(number), convert(View(number)));
            } else {
                const std::string bytes = number.toStdString();
                report(std::string_view(bytes), convert(bytes));
            }
        }
        reporter.Flush();
        return status;
    }
    zorv::cli::BatchSchedule schedule(convert, secondConvert, report);
    const auto read = [&](char* buffer, std::size_t size) {
        return zorv::cli::ReadStandardInput([&] { schedule.ReportAll(); reporter.Flush(); }, buffer, size);
    };
    const bool readOk = zorv::cli::ForEachLine(read, [&](std::string_view line, bool cut) { schedule.Add(line, cut); });
    schedule.ReportAll();
    reporter.Flush();
    return readOk ? status : ReadFailed();
}

}  // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("zorv-words"));
    QCoreApplication::setApplicationVersion(QString::fromLatin1(zorv::kVersionText));
    const Options options = ParseOptions(argc, argv);
    zorv::cli::StopReadingOnSignals();

    try {
        if (options.verify) {
            const zorv::Speller plain("plain");
            const int status = zorv::cli::VerifyLines(options.speller ? *options.speller : plain, options.json, stdout, stderr);
            return status < 0 ? ReadFailed() : status;
        }
        zorv::cli::Reporter reporter(stdout, stderr, options.json, OutputsShareADestination());
        if (options.speller && !options.speller->Classic()) {
            return ConvertAll(options, reporter, StyleConverter{&*options.speller, {}}, StyleConverter{&*options.speller, {}});
        }
        return ConvertAll(options, reporter, ClassicConverter{}, ClassicConverter{});
    } catch (const zorv::cli::WriteError&) {
        if (zorv::cli::StopRequested()) return ReadFailed();  // the signal broke off a write
        std::fputs("zorv-words: write error\n", stderr);
    } catch (const std::bad_alloc&) {
        std::fputs("zorv-words: out of memory\n", stderr);
    }
    return kFailed;
}
