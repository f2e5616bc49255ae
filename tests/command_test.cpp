#include <gtest/gtest.h>

#include <random>
#include <string>

#include "convert_command.h"
#include "recording_view.h"
#include "text_helpers.h"

namespace zorv::command {
namespace {

using runtime::ErrorNumber;
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

struct Answer {
    std::u16string input;
    std::u16string words;
};

// Runs every input through one command, in order, and expects its exact words.
template <std::size_t N>
void ExpectAnswers(const Answer (&cases)[N]) {
    Converter converter;
    for (const auto& c : cases) {
        const auto& view = converter.Run(c.input);
        const std::string shown = Printable(c.input).substr(0, 40);
        EXPECT_EQ(Printable(view.output), Printable(c.words)) << "input=" << shown;
        EXPECT_TRUE(view.messages.empty()) << "input=" << shown;
    }
}

TEST(ConvertCommandTest, AnswersAreTheExactWordsOfBothParts) {
    const Answer cases[] = {
        {u"5", u"Five "}, {u"0", u"Zero"}, {u"25", u"Twenty Five "}, {u"007", u"Seven "},
        {u"0.5", u"Zeropoint Five "}, {u"0.05", u"Zeropoint zero Five "},
        {u"1.10", u"One point Ten "}, {u"5.50", u"Five point Fifty "},
        {u"5.010", u"Five point zero Ten "}, {u"1000.001", u"One Thousand point zero zero One "},
        {u"1000000.5", u"One Millionpoint Five "},
        {u"21.34", u"Twenty One point Thirty Four "},
        {u"25.25", u"Twenty Five point Twenty Five "},
        {u"5.1000123", u"Five point One Million One Hundred Twenty Three "},
        {u"1234.05", u"One Thousand Two Hundred Thirty Four point zero Five "},
        {u"123456.789", u"One Hundred Twenty Three Thousand Four Hundred Fifty Six point Seven "
                        u"Hundred Eighty Nine "},
        {u"0.0000000000000000001", u"Zeropoint" + Repeat(u" zero", 18) + u" One "},
        {u"999999999999999", u" Nine Hundred Ninety Nine Trillion Nine Hundred Ninety Nine Billion "
                             u"Nine Hundred Ninety Nine Million Nine Hundred Ninety Nine Thousand "
                             u"Nine Hundred Ninety Nine       "},
        {u"1." + Repeat(u"0", 32766) + u"1", u"One point" + Repeat(u" zero", 32766) + u" One "},
    };
    ExpectAnswers(cases);
}

TEST(ConvertCommandTest, LeadingZerosDoNotChangeTheNumberNamed) {
    const Answer cases[] = {
        {u"0150", u"One Hundred Fifty "}, {u"000150", u"One Hundred Fifty "},
        {u"012345", u"Twelve Thousand Three Hundred Fourty Five "},
        {u"00000000000001234", u"One Thousand Two Hundred Thirty Four "},
        {u"0001000000", u"One Million"},
        {u" 123", u"One Hundred Twenty Three "},
        {u"00150.5", u"One Hundred Fifty point Five "},
        {u"1.0150", u"One point zero One Hundred Fifty "},
        {u"1.5 ", u"One point Five "},
    };
    ExpectAnswers(cases);
}

struct Refusal {
    std::u16string input;
    std::u16string_view message;
};

TEST(ConvertCommandTest, RefusalsShowOneMessageAndKeepTheOutput) {
    const std::u16string_view mismatch = runtime::DescriptionOf(ErrorNumber::TypeMismatch);
    const std::u16string_view overflow = runtime::DescriptionOf(ErrorNumber::Overflow);
    const std::u16string_view subscript = runtime::DescriptionOf(ErrorNumber::SubscriptOutOfRange);
    const Refusal cases[] = {
        {u"", kEmptyInputMessage},
        {u"1000000000000000", kLimitMessage}, {u"1.1000000000000000", kLimitMessage},
        {u"1000000000000000.5", kLimitMessage}, {Repeat(u"9", 65534), kLimitMessage},
        {u"5.", mismatch}, {u".5", mismatch}, {u"1..2", mismatch}, {u"12/3", mismatch},
        {u"5.0", mismatch}, {u"5.000", mismatch}, {u"9999999999999999./", mismatch},
        {u"1.2.3", mismatch}, {u"1.2.", mismatch}, {u"9999999999999999.1.2", mismatch},
        {u"   ", mismatch}, {u"1. 5", mismatch}, {u"1.+5", mismatch}, {u"1.0 ", mismatch},
        {Repeat(u"/", 65534), mismatch},
        {u"-5", subscript}, {u"-5.5", subscript},
        {u"-" + Repeat(u"9", 400), overflow},               // -infinity passes the limit test
        {u"5" + Repeat(u" ", 40000), overflow},              // more characters than an Integer counts
        {Repeat(u"0", 40000) + u".5", overflow},             // a point beyond position 32,767
        {u"1." + Repeat(u"0", 32767), overflow},             // the zero counter passes 32,767
        {Repeat(u"9", 65535), overflow},                     // no text this long gets words,
        {Repeat(u"/", 1 << 20), overflow},                   // so it overflows at once
    };
    Converter converter;
    for (const auto& c : cases) {
        const auto& view = converter.Run(c.input);
        const std::string shown = Printable(c.input).substr(0, 40);
        ASSERT_EQ(view.messages.size(), 1U) << "input=" << shown;
        EXPECT_EQ(Printable(view.messages[0].prompt), Printable(c.message)) << "input=" << shown;
        EXPECT_EQ(Printable(view.messages[0].title), "Zorv Number to Word Converter");
        EXPECT_EQ(Printable(view.output), Printable(kPrevious)) << "input=" << shown;
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
                expected = runtime::IsNumericallyZero(prefixText);
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
