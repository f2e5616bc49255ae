// zorv-words: the command-line companion of the converter. Each argument, or each
// line of standard input when there is none, is one run of the same Convert command.
#include <QCommandLineParser>
#include <QCoreApplication>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#if defined(__x86_64__) && defined(__GNUC__)
#include <immintrin.h>
#endif

#include <cerrno>
#include <cstdio>
#include <cstdlib>

#include "batch.h"
#include "pipeline.h"

namespace {

enum ExitStatus { kAllAnswered = 0, kSomeRefused = 1, kUsageError = 2 };

// Qt's start-up code can leave the upper halves of the AVX registers in use. Until
// something clears them, every SSE instruction of the conversion loop (the engine's
// double arithmetic, small copies) waits on them, which made the loop three times
// slower on AVX-512 machines. Clearing them once before the loop removes that.
#if defined(__x86_64__) && defined(__GNUC__)
__attribute__((target("avx"))) void ClearUpperVectorStateWithAvx() { _mm256_zeroupper(); }
void ClearUpperVectorState() {
    if (__builtin_cpu_supports("avx")) ClearUpperVectorStateWithAvx();
}
#else
void ClearUpperVectorState() {}
#endif

// A pipe holds 64 KiB by default, so a fast writer and a fast reader take turns
// every few thousand lines. A pipe of 1 MiB (the most an unprivileged process may
// ask for) lets each side run longer before it waits. Files and terminals are left
// as they are; failure is harmless.
void WidenPipe(int fd) {
    struct stat status {};
    if (fstat(fd, &status) == 0 && S_ISFIFO(status.st_mode)) (void)fcntl(fd, F_SETPIPE_SZ, 1 << 20);
}

}  // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("zorv-words"));
    QCoreApplication::setApplicationVersion(QStringLiteral("1.00"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Writes each NUMBER in English words, exactly as the Zorv Number to Word Converter does,\n"
        "one line per input. With no NUMBER, reads standard input, one number per line.\n"
        "A number that is refused is reported on standard error as \"zorv-words: NUMBER: MESSAGE\".\n"
        "Write \"--\" before a NUMBER that begins with \"-\".\n"
        "\n"
        "Exit status: 0 when every input got words, 1 when any got a message, 2 for a usage error."));
    const QCommandLineOption jsonOption(
        QStringLiteral("json"),
        QStringLiteral("Write one JSON object per input: {\"input\", \"words\"} or {\"input\", \"message\"}."));
    parser.addOption(jsonOption);
    parser.addPositionalArgument(QStringLiteral("NUMBER"), QStringLiteral("The numbers to write in words."),
                                 QStringLiteral("[NUMBER...]"));
    const QCommandLineOption helpOption = parser.addHelpOption();
    const QCommandLineOption versionOption = parser.addVersionOption();

    if (!parser.parse(QCoreApplication::arguments())) {
        std::fprintf(stderr, "zorv-words: %s\nTry 'zorv-words --help' for more information.\n",
                     qPrintable(parser.errorText()));
        return kUsageError;
    }
    if (parser.isSet(helpOption)) parser.showHelp(kAllAnswered);
    if (parser.isSet(versionOption)) parser.showVersion();

    // Block-buffered into a pipe or file, line by line on a terminal.
    const bool terminal = isatty(STDOUT_FILENO) != 0;
    std::setvbuf(stdout, nullptr, terminal ? _IOLBF : _IOFBF, 1 << 16);

    const QStringList numbers = parser.positionalArguments();
    // Lines of standard input into a pipe or file go through the threaded stages.
    const bool staged = numbers.isEmpty() && !terminal;
    zorv::cli::BatchConverter converter;
    zorv::cli::Reporter reporter(stdout, stderr, parser.isSet(jsonOption), terminal);
    ClearUpperVectorState();
    WidenPipe(STDIN_FILENO);
    WidenPipe(STDOUT_FILENO);
    int status = kAllAnswered;
    const auto convert = [&](std::u16string_view input) {
        if (!zorv::cli::ConvertAndReport(converter, reporter, input)) status = kSomeRefused;
    };

    bool readOk = true;
    if (!numbers.isEmpty()) {
        for (const QString& number : numbers) {
            convert(std::u16string_view(reinterpret_cast<const char16_t*>(number.utf16()),
                                        static_cast<std::size_t>(number.size())));
        }
    } else {
        const auto readInput = [](char* buffer, std::size_t size) {
            ssize_t count = 0;
            do {
                count = read(STDIN_FILENO, buffer, size);
            } while (count < 0 && errno == EINTR);
            return count;
        };
        if (staged) {
            bool anyRefused = false;
            readOk = zorv::cli::ConvertLines(readInput, converter, reporter, anyRefused);
            if (anyRefused) status = kSomeRefused;
        } else {
            // Answers and messages reach the terminal in the order of the lines.
            zorv::cli::LineDecoder decoder;
            readOk = zorv::cli::ForEachLine(readInput, [&](std::string_view line) { convert(decoder.Decode(line)); });
        }
    }

    reporter.Flush();
    if (std::fflush(stdout) != 0 || std::ferror(stdout) != 0) {
        std::fputs("zorv-words: write error\n", stderr);
        return kSomeRefused;
    }
    if (!readOk) {
        std::fputs("zorv-words: read error\n", stderr);
        return kSomeRefused;
    }
    return status;
}
