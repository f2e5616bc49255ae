#include <gtest/gtest.h>

#include <random>
#include <string>

#include <zorv/words.hpp>

#include "convert_command.h"
#include "outcomes.h"
#include "recording_view.h"
#include "text_helpers.h"
#include "zero_prefix.h"

namespace zorv::command {
namespace {

using runtime::ErrorNumber;
using testing::ExpectedOutcomes;
using testing::Printable;
using testing::RecordingView;

constexpr char16_t kPrevious[] = u"words of an earlier run";

// One command on one engine, run again for every input, as in the program.
class Converter {
public:
    Converter() : command_(view_) {}

    RecordingView& Run(std::u16string input) {
        view_.input = std::move(input);
        view_.output = kPrevious;
        view_.messages.clear();
        command_.Convert();
        return view_;
    }

private:
    RecordingView view_;
    ConvertCommand command_;
};

std::u16string Repeat(std::u16string_view piece, std::size_t times) {
    std::u16string out;
    for (std::size_t i = 0; i < times; ++i) out += piece;
    return out;
}

struct Refusal {
    std::u16string input;
    std::u16string_view message;
};

// Expects one message with the product's title, and the output as it was.
void ExpectRefusal(const RecordingView& view, std::u16string_view message, const std::string& shown) {
    ASSERT_EQ(view.messages.size(), 1U) << "input=" << shown;
    EXPECT_EQ(Printable(view.messages[0].prompt), Printable(message)) << "input=" << shown;
    EXPECT_EQ(Printable(view.messages[0].title), Printable(kProductName));
    EXPECT_EQ(Printable(view.output), Printable(kPrevious)) << "input=" << shown;
}

TEST(ConvertCommandTest, AnswersEveryTextOfTheSharedTable) {
    Converter converter;
    for (const auto& row : ExpectedOutcomes()) {
        std::u16string input, expected;
        AppendUtf8AsText(row.input, input);
        AppendUtf8AsText(row.text, expected);
        const auto& view = converter.Run(input);
        const std::string shown = row.input.substr(0, 40);
        if (row.answered) {
            EXPECT_EQ(Printable(view.output), Printable(expected)) << "input=" << shown;
            EXPECT_TRUE(view.messages.empty()) << "input=" << shown;
        } else {
            ExpectRefusal(view, expected, shown);
        }
    }
}

// Texts at the limits of the 16-bit counts: tens of thousands of characters.
TEST(ConvertCommandTest, LongTextsAreCountedAsTheirCharactersAllow) {
    const std::u16string_view mismatch = runtime::DescriptionOf(ErrorNumber::TypeMismatch);
    const std::u16string_view overflow = runtime::DescriptionOf(ErrorNumber::Overflow);
    Converter converter;
    EXPECT_EQ(Printable(converter.Run(u"1." + Repeat(u"0", 32766) + u"1").output),
              Printable(u"One point" + Repeat(u" zero", 32766) + u" One "));
    const Refusal cases[] = {
        {Repeat(u"9", 65534), kLimitMessage},
        {Repeat(u"/", 65534), mismatch},
        {u"5" + Repeat(u" ", 40000), overflow},              // more characters than an Integer counts
        {Repeat(u"0", 40000) + u".5", overflow},             // a point beyond position 32,767
        {u"1." + Repeat(u"0", 32767), overflow},             // the zero counter passes 32,767
        {Repeat(u"9", 65535), overflow},                     // no text this long gets words,
        {Repeat(u"/", 1 << 20), overflow},                   // so it overflows at once
    };
    for (const auto& c : cases) {
        const std::string shown = Printable(c.input).substr(0, 40) + "... of " + std::to_string(c.input.size());
        ExpectRefusal(converter.Run(c.input), c.message, shown);
    }
}

TEST(ConvertCommandTest, ARunAfterARefusalOrAnAnswerStartsAfresh) {
    Converter converter;
    const std::u16string sequence[] = {u"21.34", u"-5", u"1234567890", u"1.2.3", u"21.34", u"5.1000123"};
    std::u16string first;
    for (const auto& input : sequence) {
        const auto& view = converter.Run(input);
        if (input == u"21.34") {
            if (first.empty()) first = view.output;
            EXPECT_EQ(Printable(view.output), Printable(first));
        }
    }
    EXPECT_EQ(Printable(converter.Run(u"5.1000123").output), "Five point One Million One Hundred Twenty Three ");
}

TEST(ZeroPrefixTest, AgreesWithReadingEveryPrefixAsANumber) {
    // Random texts over the characters that matter to the number syntax.
    constexpr char16_t kAlphabet[] = {u'0', u'0', u'0', u'1', u' ', u'+', u'-', u'/', u'.'};
    std::mt19937 random(7);
    std::uniform_int_distribution<std::size_t> pick(0, std::size(kAlphabet) - 1), length(1, 8);
    for (int round = 0; round < 20000; ++round) {
        std::u16string text;
        for (std::size_t n = length(random); n > 0; --n) text.push_back(kAlphabet[pick(random)]);
        ZeroPrefix prefix;
        for (std::size_t n = 1; n <= text.size(); ++n) {
            const auto prefixText = runtime::LeftText(text, static_cast<runtime::Long>(n));
            bool expectedThrow = false, expected = false;
            try {
                expected = runtime::TextToNumber(prefixText) == 0;
            } catch (const runtime::RuntimeError&) {
                expectedThrow = true;
            }
            if (expectedThrow) {
                EXPECT_THROW((void)prefix.Extend(text[n - 1]), runtime::RuntimeError) << Printable(prefixText);
                break;
            }
            EXPECT_EQ(prefix.Extend(text[n - 1]), expected) << Printable(prefixText);
        }
    }
}

}  // namespace
}  // namespace zorv::command
