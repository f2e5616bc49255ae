// Runs the real zorv-words binary as a process.
#include <gtest/gtest.h>

#include <QByteArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>
#include <QUtf8StringView>

#include <sys/resource.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>
#include <map>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "outcomes.h"

namespace {

using zorv::testing::ExpectedOutcomes;
using zorv::testing::OutcomeOf;

struct Result {
    std::string out, err;
    int status = -1;
};

Result RunWords(const QStringList& arguments, const QByteArray& input = {}) {
    QProcess process;
    process.start(QStringLiteral(ZORV_WORDS_PATH), arguments);
    EXPECT_TRUE(process.waitForStarted());
    process.write(input);
    process.closeWriteChannel();
    EXPECT_TRUE(process.waitForFinished(60000));
    return {process.readAllStandardOutput().toStdString(), process.readAllStandardError().toStdString(),
            process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1};
}

// Runs a bash script in which $W names zorv-words; gives what the script prints.
Result RunScript(const QString& script) {
    QProcess process;
    auto environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("W"), QStringLiteral(ZORV_WORDS_PATH));
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral("/bin/bash"), {QStringLiteral("-c"), script});
    EXPECT_TRUE(process.waitForStarted());
    process.closeWriteChannel();
    EXPECT_TRUE(process.waitForFinished(60000)) << script.toStdString();
    return {process.readAllStandardOutput().toStdString(), process.readAllStandardError().toStdString(),
            process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1};
}

std::vector<QJsonObject> JsonLines(const std::string& out) {
    std::vector<QJsonObject> objects;
    std::size_t begin = 0;
    for (std::size_t end; (end = out.find('\n', begin)) != std::string::npos; begin = end + 1) {
        QJsonParseError error{};
        const auto document = QJsonDocument::fromJson(QByteArray::fromStdString(out.substr(begin, end - begin)), &error);
        EXPECT_EQ(error.error, QJsonParseError::NoError) << out.substr(begin, end - begin);
        objects.push_back(document.object());
    }
    EXPECT_EQ(begin, out.size()) << "output does not end in a newline";
    return objects;
}

// Every text of the shared table, as arguments and as lines of standard input: words
// on standard output, each refusal on standard error, and the run goes on.
TEST(ZorvWordsTest, AnswersEveryTextOfTheSharedTable) {
    QStringList arguments = {"--"};  // "-5" is a number, not an option
    QByteArray lines;
    std::string words, messages;
    for (const auto& row : ExpectedOutcomes()) {
        arguments << QString::fromStdString(row.input);
        lines += QByteArray::fromStdString(row.input) + '\n';
        if (row.answered) {
            words += row.text + '\n';
        } else {
            messages += "zorv-words: " + row.input + ": " + row.text + '\n';
        }
    }
    for (const auto& result : {RunWords(arguments), RunWords({}, lines)}) {
        EXPECT_EQ(result.out, words);
        EXPECT_EQ(result.err, messages);
        EXPECT_EQ(result.status, 1);
    }

    const auto objects = JsonLines(RunWords({"--json"}, lines).out);
    ASSERT_EQ(objects.size(), ExpectedOutcomes().size());
    for (std::size_t i = 0; i < objects.size(); ++i) {
        const auto& row = ExpectedOutcomes()[i];
        EXPECT_EQ(objects[i].value("input").toString().toStdString(), row.input);
        EXPECT_EQ(objects[i].value(row.answered ? "words" : "message").toString().toStdString(), row.text)
            << "input=" << row.input;
        EXPECT_EQ(objects[i].size(), 2);
    }
}

TEST(ZorvWordsTest, RefusedInputIsShownWithoutActingOnATerminal) {
    struct Case { QByteArray line; std::string shown; };
    const std::vector<Case> cases = {
        {"12\x1b]0;TITLE\x07\x1b[2J", R"(12\x1b]0;TITLE\x07\x1b[2J)"},
        {"a\tb\x7f\xc2\x9b", R"(a\x09b\x7f\x9b)"},              // DEL and the C1 control CSI
        {"\xe2\x80\xae" "21\xe2\x81\xa6", R"(\u202e21\u2066)"},  // bidirectional controls
        {"caf\xc3\xa9 \xff", "caf\xc3\xa9 \xef\xbf\xbd"},        // other text as it reads
    };
    QByteArray input;
    std::string expected;
    for (const auto& c : cases) {
        input += c.line + '\n';
        expected += "zorv-words: " + c.shown + ": Type mismatch\n";
    }
    EXPECT_EQ(RunWords({}, input).err, expected);
    EXPECT_EQ(RunWords({"1\n2"}).err, "zorv-words: 1\\x0a2: Type mismatch\n");  // one report, one line
}

TEST(ZorvWordsTest, AFailedWriteStopsTheRun) {
    struct Case { const char* script; std::string err; int status; };
    const Case cases[] = {
        {"yes 5 | timeout 20 $W >/dev/full", "zorv-words: write error\n", 1},
        {"yes 5 | timeout 20 $W --json >/dev/full", "zorv-words: write error\n", 1},
        {"yes x | timeout 20 $W 2>/dev/full >/dev/null", "", 1},
        {"$W --help >/dev/full", "zorv-words: write error\n", 1},
        {"$W --version >/dev/full", "zorv-words: write error\n", 1},
        {"$W --list-locales >/dev/full", "zorv-words: write error\n", 1},
        // With SIGPIPE ignored, a closed pipe is a failed write like any other.
        {"trap '' PIPE; yes 5 2>/dev/null | timeout 20 $W | head -c 1 >/dev/null; exit ${PIPESTATUS[1]}",
         "zorv-words: write error\n", 1},
    };
    for (const auto& c : cases) {
        const auto result = RunScript(QString::fromUtf8(c.script));
        EXPECT_EQ(result.err, c.err) << c.script;
        EXPECT_EQ(result.status, c.status) << c.script;
    }
}

TEST(ZorvWordsTest, AnswersAndMessagesInOneFileKeepTheirOrder) {
    const auto result = RunScript("printf '5\\nx\\n7\\n' | $W >\"$TMPDIR/both\" 2>&1; cat \"$TMPDIR/both\"; rm \"$TMPDIR/both\"");
    EXPECT_EQ(result.out, "Five \nzorv-words: x: Type mismatch\nSeven \n");
}

TEST(ZorvWordsTest, StyleSpellsByTheRulesOfALocale) {
    struct Case { QStringList arguments; QByteArray input; std::string out, err; int status; };
    const std::string usage = "Try 'zorv-words --help' for more information.\n";
    const Case cases[] = {
        {{"--style", "plain,locale=de", "21"}, {}, "ein\u00adund\u00adzwanzig\n", "", 0},
        {{"--style", "plain,locale=ru", "609381.72"}, {},
         "шестьсот девять тысяч триста восемьдесят одна целый семьдесят две сотых\n", "", 0},
        {{"--style=plain"}, "1234.05\n-0.5\n1.2.3\n",
         "one thousand two hundred thirty-four point zero five\nminus zero point five\n",
         "zorv-words: 1.2.3: not a number\n", 1},
        {{"--style", "plain,locale=xx", "5"}, {}, "", "zorv-words: unknown locale 'xx'\n" + usage, 2},
        {{"--style", "plain,rules=nope", "5"}, {}, "", "zorv-words: the locale 'en' has no rule set 'nope'\n" + usage, 2},
        {{"--style", "plain", "--json", "21"}, {}, R"({"input":"21","words":"twenty-one"})" "\n", "", 0},
    };
    for (const auto& c : cases) {
        const auto result = RunWords(c.arguments, c.input);
        const std::string shown = c.arguments.join(' ').toStdString();
        EXPECT_EQ(result.out, c.out) << shown;
        EXPECT_EQ(result.err, c.err) << shown;
        EXPECT_EQ(result.status, c.status) << shown;
    }

    const auto list = RunWords({"--list-locales"});
    EXPECT_EQ(std::count(list.out.begin(), list.out.end(), '\n'), 100);
    EXPECT_NE(list.out.find("\nde: spellout-numbering-year spellout-numbering spellout-cardinal-neuter "), std::string::npos);
    EXPECT_EQ(list.status, 0);
}

// Every row of the styles table, each style's numbers in one --json run; every refused
// description is a usage error naming what it gets wrong.
TEST(ZorvWordsTest, AnswersEveryRowOfTheStylesTable) {
    std::map<std::string, std::vector<zorv::testing::ExpectedStyleOutcome>> byStyle;
    for (const auto& row : zorv::testing::ExpectedStyleOutcomes()) byStyle[row.style].push_back(row);
    for (const auto& [style, rows] : byStyle) {
        QStringList arguments = {"--json", "--style", QString::fromStdString(style), "--"};
        for (const auto& row : rows) arguments << QString::fromStdString(row.number);
        const auto result = RunWords(arguments);
        const auto objects = JsonLines(result.out);
        ASSERT_EQ(objects.size(), rows.size()) << style;
        for (std::size_t i = 0; i < rows.size(); ++i) {
            EXPECT_EQ(objects[i].value(rows[i].answered ? "words" : "message").toString().toStdString(), rows[i].text)
                << style << " " << rows[i].number;
        }
    }
    for (const auto& [style, message] : zorv::testing::RefusedStyles()) {
        const auto result = RunWords({"--style", QString::fromStdString(style), "5"});
        EXPECT_EQ(result.err, "zorv-words: " + message + "\nTry 'zorv-words --help' for more information.\n");
        EXPECT_EQ(result.status, 2) << style;
    }
}

// --verify on every verification row, each style's lines in one run, in JSON and as
// reports with an exit status.
TEST(ZorvWordsTest, VerifiesEveryRowOfTheVerificationsTable) {
    std::map<std::string, std::vector<zorv::testing::ExpectedReading>> byStyle;
    for (const auto& row : zorv::testing::ExpectedReadings("verifications")) byStyle[row.style].push_back(row);
    for (const auto& [style, rows] : byStyle) {
        QByteArray input;
        std::string reports;
        bool all = true;
        for (std::size_t i = 0; i < rows.size(); ++i) {
            input += QByteArray::fromStdString(rows[i].figures + "\t" + rows[i].words + "\n");
            if (!rows[i].read) reports += "zorv-words: line " + std::to_string(i + 1) + ": " + rows[i].text + "\n";
            all = all && rows[i].read;
        }
        const auto json = RunWords({"--verify", "--json", "--style", QString::fromStdString(style)}, input);
        const auto objects = JsonLines(json.out);
        ASSERT_EQ(objects.size(), rows.size()) << style;
        for (std::size_t i = 0; i < rows.size(); ++i) {
            EXPECT_EQ(objects[i].value("agrees").toBool(), rows[i].read) << style << " " << rows[i].words;
            EXPECT_EQ(objects[i].value(rows[i].read ? "number" : "message").toString().toStdString(), rows[i].text);
            EXPECT_EQ(objects[i].value("line").toInt(), static_cast<int>(i + 1));
        }
        const auto plain = RunWords({"--verify", "--style", QString::fromStdString(style)}, input);
        EXPECT_EQ(plain.out, "") << style;
        EXPECT_EQ(plain.err, reports) << style;
        EXPECT_EQ(plain.status, all ? 0 : 1) << style;
    }
    EXPECT_EQ(RunWords({"--verify", "5"}).status, 2);
}

TEST(ZorvWordsTest, StandardInputIsReadOneInputPerLine) {
    const auto result = RunWords({}, "21.34\r\n\n99\n1.5");  // CRLF, an empty line, no final newline
    EXPECT_EQ(result.out, "Twenty One point Thirty Four \nNinety Nine \nOne point Five \n");
    EXPECT_EQ(result.err, "zorv-words: : " + OutcomeOf("").text + "\n");
    EXPECT_EQ(result.status, 1);
}

TEST(ZorvWordsTest, JsonStaysValidForOddInput) {
    struct Case { QByteArray line; QString input; };
    const std::vector<Case> cases = {
        {"\"quoted\"", "\"quoted\""},
        {"back\\slash", "back\\slash"},
        {QByteArray("tab\there\x01\x1f", 10), QString("tab\there\x01\x1f")},
        {QByteArray("nul\0byte", 8), QString::fromUtf16(u"nul\u0000byte", 8)},
        {"bad \xff\xfe utf8", QString::fromUtf16(u"bad \ufffd\ufffd utf8")},
        {"caf\xc3\xa9", QString::fromUtf16(u"caf\u00e9")},
        {"\xe2\x80\xae" "5\xe2\x81\xa9", QString::fromUtf16(u"\u202e5\u2069")},  // bidirectional controls
        {"\xc2\x9b" "5\xc2\x85", QString::fromUtf16(u"\u009b5\u0085")},            // C1 controls
    };
    QByteArray input;
    for (const auto& c : cases) input += c.line + '\n';
    const auto result = RunWords({"--json"}, input);
    const auto objects = JsonLines(result.out);
    ASSERT_EQ(objects.size(), cases.size());
    for (std::size_t i = 0; i < cases.size(); ++i) {
        EXPECT_EQ(objects[i].value("input").toString(), cases[i].input) << "line " << i;
        EXPECT_EQ(objects[i].value("message").toString(), "Type mismatch") << "line " << i;
    }
    EXPECT_EQ(result.status, 1);

    // Nothing in the JSON acts on a terminal that shows it: the C1 and bidirectional
    // controls are escaped, in answers and in verdicts alike.
    const auto verdicts = RunWords({"--verify", "--json"}, "\xe2\x80\xae" "5\tfive\xc2\x9b\n");
    for (const std::string& out : {result.out, verdicts.out}) {
        for (const char* raw : {"\xe2\x80\xae", "\xe2\x81\xa9", "\xc2\x9b", "\xc2\x85"}) EXPECT_EQ(out.find(raw), std::string::npos) << out;
    }
    EXPECT_NE(result.out.find(R"({"input":"\u202e5\u2069","message":"Type mismatch"})"), std::string::npos) << result.out;
    EXPECT_NE(verdicts.out.find(R"("figures":"\u202e5","words":"five\u009b")"), std::string::npos) << verdicts.out;
}

TEST(ZorvWordsTest, AnEncodingSignatureOpensOnlyTheStream) {
    const auto result = RunWords({"--json"}, "\xEF\xBB\xBF" "12\n\xEF\xBB\xBF" "12\n");
    const auto objects = JsonLines(result.out);
    ASSERT_EQ(objects.size(), 2U);
    EXPECT_EQ(objects[0].value("words").toString(), "Twelve ");
    EXPECT_EQ(objects[1].value("message").toString(), "Type mismatch");  // mid-stream it is a character
}

TEST(ZorvWordsTest, LongLinesAreNeitherSplitNorMerged) {
    // From 65,535 characters on every text overflows; a line is held up to 1 MiB and
    // shown by that much, the rest read and dropped.
    constexpr int kHeld = 1 << 20;
    QByteArray input = QByteArray(3 << 20, '9') + "\n5\n" + QByteArray(65535, '/') + "\n" + QByteArray(kHeld, '1') + "\n";
    const auto result = RunWords({"--json"}, input);
    const auto objects = JsonLines(result.out);
    ASSERT_EQ(objects.size(), 4U);
    EXPECT_EQ(objects[0].value("message").toString(), "Overflow");
    EXPECT_EQ(objects[0].value("input").toString(), QString(kHeld, '9'));
    EXPECT_EQ(objects[1].value("words").toString(), "Five ");
    EXPECT_EQ(objects[2].value("message").toString(), "Overflow");
    EXPECT_EQ(objects[3].value("input").toString(), QString(kHeld, '1'));

    // A line without end is answered in bounded memory once the input ends.
    const auto zeros = RunScript("head -c 300000000 /dev/zero | $W | wc -c; exit ${PIPESTATUS[1]}");
    const std::string shown = "zorv-words: " + std::string(std::size_t{4} * kHeld, '?') + ": Overflow\n";
    EXPECT_EQ(zeros.out, "0\n");
    EXPECT_EQ(zeros.err.size(), shown.size());
    EXPECT_TRUE(zeros.err.ends_with(R"(\x00\x00: Overflow)" "\n"));
    EXPECT_EQ(zeros.status, 1);
}

// A line longer than the reader holds is never answered by its beginning outside the
// classic answer: each mode refuses it whole, while the lines around it are answered.
TEST(ZorvWordsTest, ALineTooLongIsRefusedWholeInEveryMode) {
    struct Case { const char* line; QStringList arguments; const char* key; std::string expected; };
    const std::string tooLong = "longer than 1 MiB (1,048,576 bytes), the most one text may be";
    const Case cases[] = {
        {"'0' * (2**20 - 1) + '12345'", {"--json"}, "message", "Overflow"},
        {"'0' * (2**20 - 1) + '12345'", {"--json", "--style", "classic"}, "message", "Overflow"},
        {"'0' * (2**20 - 1) + '12345'", {"--json", "--style", "money"}, "message", tooLong},
        {"'1,234' + ' ' * 2**20 + '.56'", {"--json", "--style", "cheque"}, "message", tooLong},
        {"'5\\tfive' + ' ' * 2**20 + ' hundred dollars'", {"--json", "--verify"}, "message", tooLong},
        {"'5\\tfive' + ' ' * (2**20 - 8)", {"--json", "--verify"}, "number", "5"},  // just within
    };
    for (const auto& c : cases) {
        const QString script = QStringLiteral("python3 -c \"print('5\\t5' if '--verify' in '%1' else '5'); print(%2); "
                                              "print('7\\tseven' if '--verify' in '%1' else '7')\" | $W %1")
                                   .arg(c.arguments.join(' '), QString::fromUtf8(c.line));
        const auto result = RunScript(script);
        const auto objects = JsonLines(result.out);
        ASSERT_EQ(objects.size(), 3U) << c.line;
        EXPECT_EQ(objects[1].value(c.key).toString().toStdString(), c.expected) << c.line << " " << c.arguments.join(' ').toStdString();
        EXPECT_EQ(objects[2].size(), objects[0].size()) << "the line after is answered as the one before";
    }
}

// --verify writes its verdicts as it goes: its memory does not grow with the input,
// and a run stopped by SIGINT keeps every verdict of the lines it read, whole.
TEST(ZorvWordsTest, VerifyStreamsItsVerdicts) {
    // The peak resident memory of the children run so far, in KiB.
    const auto peak = [] {
        rusage usage{};
        getrusage(RUSAGE_CHILDREN, &usage);
        return usage.ru_maxrss;
    };
    const auto verify = [](int lines) {
        return RunScript(QStringLiteral("f=$(mktemp); yes $'1,234.5\\tone thousand two hundred thirty-four point five' | "
                                        "head -n %1 >\"$f\"; $W --verify --json <\"$f\" | tail -n 1; rm \"$f\"").arg(lines));
    };
    if (std::getenv("ZORV_SANITIZED") == nullptr) {  // the sanitizers hold freed memory for a while
        EXPECT_NE(verify(20000).out.find(R"({"line":20000,)"), std::string::npos);
        const long few = peak();
        EXPECT_NE(verify(300000).out.find(R"({"line":300000,)"), std::string::npos);
        const long many = peak();
        EXPECT_LT(many - few, 8 * 1024) << "peak KiB: " << few << " for 20,000 lines, " << many << " for 300,000";
    }

    const auto stopped = RunScript(
        "out=$(mktemp); yes $'5\\tfive' | $W --verify --json >\"$out\" & pid=$!; sleep 1; kill -INT $pid; wait $pid; "
        "echo $? $(tail -c 1 \"$out\" | od -An -c) $(grep -c '\"number\":\"5\"}$' \"$out\" | sed 's/^0$/none/'); rm \"$out\"");
    EXPECT_TRUE(stopped.out.starts_with("130 \\n ")) << stopped.out;
    EXPECT_EQ(stopped.out.find("none"), std::string::npos) << stopped.out;
    EXPECT_EQ(stopped.err, "zorv-words: interrupted\n");
}

// Many lines of numbers and of arbitrary bytes (NUL and invalid UTF-8 included), made
// with a fixed seed.
std::vector<QByteArray> MixedLines(int count) {
    std::mt19937 random(42);
    std::uniform_int_distribution<int> byte(0, 255), length(0, 40), digit(0, 9);
    std::vector<QByteArray> lines;
    for (int i = 0; i < count; ++i) {
        QByteArray line;
        if (i % 3 == 0) {
            for (int n = 1 + digit(random); n > 0; --n) line += char('0' + digit(random));
        } else {
            for (int n = length(random); n > 0; --n) {
                char c = char(byte(random));
                if (c == '\n') c = ' ';
                line += c;
            }
            if (line.endsWith('\r')) line.chop(1);
            if (line.startsWith('\xEF')) line[0] = 'x';  // no encoding signature
        }
        lines.push_back(line);
    }
    return lines;
}

TEST(ZorvWordsTest, EveryLineGetsExactlyOneOutcomeInOrder) {
    const auto lines = MixedLines(20000);
    QByteArray input;
    for (const auto& line : lines) input += line + '\n';

    const auto json = RunWords({"--json"}, input);
    const auto objects = JsonLines(json.out);
    ASSERT_EQ(objects.size(), lines.size());
    for (std::size_t i = 0; i < lines.size(); ++i) {
        ASSERT_EQ(objects[i].value("input").toString(), QString::fromUtf8(lines[i])) << "line " << i;
    }

    // Standard input goes through batches on two threads, arguments through one loop:
    // each line (of those an argument can carry) gets the very same outcome.
    QStringList arguments = {"--json", "--"};
    QByteArray carried;
    for (const auto& line : lines) {
        if (line.contains('\0') || !QUtf8StringView(line).isValidUtf8()) continue;
        arguments << QString::fromUtf8(line);
        carried += line + '\n';
    }
    EXPECT_GT(arguments.size(), 3 * 2048);  // more than two batches
    EXPECT_EQ(RunWords(arguments).out, RunWords({"--json"}, carried).out);

    const auto plain = RunWords({}, input);
    const auto count = [](const std::string& text) { return std::count(text.begin(), text.end(), '\n'); };
    EXPECT_EQ(count(plain.out) + count(plain.err), static_cast<long>(lines.size()));
    EXPECT_EQ(count(plain.out), std::count_if(objects.begin(), objects.end(),
                                              [](const QJsonObject& o) { return o.contains("words"); }));
}

TEST(ZorvWordsTest, EachLineIsAnsweredBeforeTheNextArrives) {
    // A program that writes a line and waits for its answer gets it, though the
    // output is a pipe and block-buffered.
    QProcess process;
    process.start(QStringLiteral(ZORV_WORDS_PATH), QStringList{});
    ASSERT_TRUE(process.waitForStarted());
    for (const auto& [line, words] : {std::pair{"12\n", "Twelve \n"}, std::pair{"0150\n", "One Hundred Fifty \n"}}) {
        process.write(line);
        QByteArray answer;
        while (!answer.endsWith('\n') && process.waitForReadyRead(10000)) answer += process.readAllStandardOutput();
        EXPECT_EQ(answer.toStdString(), words);
    }
    process.closeWriteChannel();
    EXPECT_TRUE(process.waitForFinished(10000));
    EXPECT_EQ(process.exitCode(), 0);
}

TEST(ZorvWordsTest, HelpVersionAndUsageErrors) {
    // A description is quoted as its bytes were typed.
    const auto typed = RunScript("$W --style $'pl\\xffain' 5");
    EXPECT_EQ(typed.err, "zorv-words: unknown style preset 'pl\\xffain' (there are: classic, plain, british, ordinal, indian, money, "
                         "cheque)\nTry 'zorv-words --help' for more information.\n");
    EXPECT_EQ(typed.status, 2);

    const auto version = RunWords({"--version"});
    EXPECT_EQ(version.out, "zorv-words 1.00\n");
    EXPECT_EQ(version.status, 0);

    // Help names the program, not the path it was run by, fits 80 columns, and names
    // every preset and option that a description may hold (as a bad one's message
    // lists them), and nothing of Qt's.
    const auto help = RunWords({"--help"});
    EXPECT_TRUE(help.out.starts_with("Usage: zorv-words [--json] [--style STYLE]")) << help.out;
    for (const QString& line : QString::fromStdString(help.out).split('\n')) EXPECT_LE(line.size(), 80) << line.toStdString();
    for (const char* option : {"--json", "--style STYLE", "--verify", "--list-locales", "--help", "--version"}) {
        EXPECT_NE(help.out.find(option), std::string::npos) << option;
    }
    for (const auto& [style, message] : zorv::testing::RefusedStyles()) {
        const auto listed = message.find("(there are: ");
        if (listed == std::string::npos) continue;
        const std::string names = message.substr(listed + 12, message.size() - listed - 13);
        for (const QString& name : QString::fromStdString(names).split(", ")) {
            EXPECT_NE(help.out.find(name.toStdString()), std::string::npos) << name.toStdString();
        }
    }
    EXPECT_EQ(help.out.find("help-all"), std::string::npos);
    EXPECT_EQ(help.out.find("\n\n\n"), std::string::npos);
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(RunWords({"-h"}).out, help.out);

    for (const auto& arguments : {QStringList{"--bogus"}, QStringList{"-5"}}) {
        const auto usage = RunWords(arguments);
        EXPECT_EQ(usage.out, "");
        EXPECT_NE(usage.err.find("Try 'zorv-words --help'"), std::string::npos) << usage.err;
        EXPECT_EQ(usage.status, 2);
    }
}

// The manual page describes what the help text lists: every option of the program and
// every preset, style option and value of a description (the help's are made from
// the library's one table of them); the C header describes the same descriptions.
std::string ReadWithoutMarkup(const char* path) {
    std::ifstream file(path);
    EXPECT_TRUE(file) << path;
    std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    for (const std::string_view markup : {"\\fB", "\\fR", "\\fI"}) {
        for (auto at = text.find(markup); at != std::string::npos; at = text.find(markup, at)) text.erase(at, markup.size());
    }
    for (auto at = text.find("\\-"); at != std::string::npos; at = text.find("\\-", at)) text.erase(at, 1);
    return text;
}

TEST(ZorvWordsTest, TheManualPageNamesWhatTheHelpNames) {
    const std::string man = ReadWithoutMarkup(ZORV_WORDS_MAN_PAGE), header = ReadWithoutMarkup(ZORV_WORDS_C_HEADER);
    const std::string help = RunWords({"--help"}).out;
    std::vector<std::string> names;  // "--json", "classic", "locale=", "lower", ...
    std::istringstream lines(help);
    for (std::string line; std::getline(lines, line);) {
        if (const auto presets = line.find("a preset ("); presets != std::string::npos) {
            std::istringstream list(line.substr(presets + 10, line.find(')') - presets - 10));
            for (std::string preset; std::getline(list, preset, ',');) names.push_back(preset.substr(preset.find_first_not_of(' ')));
        }
        if (!line.starts_with("  ") || line.size() < 3 || line[2] == ' ') continue;
        const std::string item = line.substr(2, line.find(' ', 2) - 2);
        if (item.starts_with("-")) {
            names.push_back(item.substr(0, item.find(',')));  // "-h," -> "-h"
            continue;
        }
        const auto equals = item.find('=');
        if (equals == std::string::npos) continue;
        names.push_back(item.substr(0, equals + 1));
        std::istringstream values(item.substr(equals + 1));
        for (std::string value; std::getline(values, value, '|');) {
            if (std::any_of(value.begin(), value.end(), [](char c) { return c >= 'a' && c <= 'z'; })) names.push_back(value);
        }
    }
    ASSERT_GT(names.size(), 40U) << help;
    for (const std::string& name : names) {
        EXPECT_NE(man.find(name), std::string::npos) << "manual page: " << name;
        if (!name.starts_with("-")) {
            EXPECT_NE(header.find(name), std::string::npos) << "C header: " << name;
        }
    }
}

}  // namespace
