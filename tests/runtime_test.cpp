#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "conversions.h"
#include "text_helpers.h"

namespace zorv::runtime {
namespace {

using testing::Printable;
using testing::Raises;

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

TEST(ErrorTest, DescriptionsAreWhatTheUserSees) {
    struct Case { ErrorNumber number; int value; const char* text; };
    const Case cases[] = {
        {ErrorNumber::Overflow, 6, "Overflow"},
        {ErrorNumber::SubscriptOutOfRange, 9, "Subscript out of range"},
        {ErrorNumber::DivisionByZero, 11, "Division by zero"},
        {ErrorNumber::TypeMismatch, 13, "Type mismatch"},
    };
    for (const auto& c : cases) {
        const RuntimeError error(c.number);
        EXPECT_EQ(static_cast<int>(error.Number()), c.value);
        EXPECT_EQ(Printable(error.Description()), c.text);
        EXPECT_STREQ(error.what(), c.text);
    }
}

TEST(NumberTest, ToLongRoundsTiesToEvenAndChecksTheRangeAfterRounding) {
    struct Case { double in; Long out; };
    const Case cases[] = {
        {2.5, 2}, {3.5, 4}, {-2.5, -2}, {0.5, 0}, {1.5, 2}, {0.49999999999999994, 0},
        {2.6, 3}, {-2.6, -3}, {2147483647.0, 2147483647}, {2147483647.4, 2147483647},
        {-2147483648.0, -2147483648}, {-2147483648.5, -2147483648}, {-0.0, 0},
    };
    for (const auto& c : cases) EXPECT_EQ(ToLong(c.in), c.out) << "in=" << c.in;

    for (const double in : {2147483647.5, 2147483648.0, 1e13, -2147483649.0, -2147483648.6, kInf, kNaN}) {
        EXPECT_TRUE(Raises(ErrorNumber::Overflow, [&] { (void)ToLong(in); })) << "in=" << in;
    }
}

TEST(NumberTest, ModLongTakesTheSignOfTheDividend) {
    struct Case { double a, b; Long out; };
    const Case cases[] = {
        {25, 10, 5}, {1234, 1e6, 1234}, {3e6, 1e6, 0}, {-7, 2, -1}, {7, -2, 1},
        {2.5, 10, 2},  // operands are rounded first
        {-2147483648.0, -1, 0},
    };
    for (const auto& c : cases) EXPECT_EQ(ModLong(c.a, c.b), c.out) << c.a << " mod " << c.b;

    EXPECT_TRUE(Raises(ErrorNumber::DivisionByZero, [] { (void)ModLong(1, 0); }));
    EXPECT_TRUE(Raises(ErrorNumber::DivisionByZero, [] { (void)ModLong(1, 0.4); }));
    EXPECT_TRUE(Raises(ErrorNumber::Overflow, [] { (void)ModLong(2147483648.0, 10); }));
    EXPECT_TRUE(Raises(ErrorNumber::Overflow, [] { (void)ModLong(150, 1e12); }));
}

TEST(NumberTest, IntegerConversionsCheckTheSixteenBitRange) {
    struct FloorCase { double in; Integer out; };
    const FloorCase floors[] = {
        {2.9, 2}, {-0.5, -1}, {25.0 / 10, 2}, {1234.0 / 1e6, 0}, {32767.9, 32767}, {-32768.0, -32768},
    };
    for (const auto& c : floors) EXPECT_EQ(FloorToInteger(c.in), c.out) << "in=" << c.in;
    for (const double in : {32768.0, -32768.1, kNaN}) {
        EXPECT_TRUE(Raises(ErrorNumber::Overflow, [&] { (void)FloorToInteger(in); })) << "in=" << in;
    }

    EXPECT_EQ(ToInteger(32767), 32767);
    EXPECT_EQ(ToInteger(-32768), -32768);
    EXPECT_TRUE(Raises(ErrorNumber::Overflow, [] { (void)ToInteger(32768); }));
    EXPECT_TRUE(Raises(ErrorNumber::Overflow, [] { (void)ToInteger(-32769); }));

    EXPECT_EQ(AddInteger(32766, 1), 32767);
    EXPECT_EQ(AddInteger(5, -1), 4);
    EXPECT_TRUE(Raises(ErrorNumber::Overflow, [] { (void)AddInteger(32767, 1); }));
    EXPECT_TRUE(Raises(ErrorNumber::Overflow, [] { (void)AddInteger(-32768, -1); }));
}

TEST(NumberTest, DivideAndMultiplyRaiseInsteadOfReturningInfinity) {
    EXPECT_EQ(Divide(25, 10), 2.5);
    EXPECT_EQ(Multiply(1e14, 10), 1e15);
    EXPECT_TRUE(Raises(ErrorNumber::DivisionByZero, [] { (void)Divide(1, 0); }));
    EXPECT_TRUE(Raises(ErrorNumber::Overflow, [] { (void)Divide(0, 0); }));
    EXPECT_TRUE(Raises(ErrorNumber::Overflow, [] { (void)Divide(1e308, 1e-10); }));
    EXPECT_TRUE(Raises(ErrorNumber::Overflow, [] { (void)Multiply(1e308, 10); }));
}

TEST(TextNumberTest, NumberToTextGivesPlainDigitsForWholeNumbers) {
    struct Case { double in; const char* out; };
    const Case cases[] = {
        {0, "0"}, {7, "7"}, {1e6, "1000000"}, {999999999999999.0, "999999999999999"},
        {5000, "5000"}, {-5, "-5"},
        // Values no typed input reaches: one text in every build, the browser's too.
        {0.5, "0.5"}, {1.0 / 3, "0.3333333333333333"}, {1e20, "1e+20"}, {-2.5e-7, "-2.5e-07"}, {kInf, "inf"},
    };
    NumberBuffer buffer;
    for (const auto& c : cases) EXPECT_EQ(Printable(NumberToText(c.in, buffer)), c.out) << "in=" << c.in;
    EXPECT_EQ(Printable(NumberToText(-999999999999999.0, buffer)), "-999999999999999");
    EXPECT_EQ(Printable(IntegerToText(32767, buffer)), "32767");
    EXPECT_EQ(Printable(IntegerToText(-32768, buffer)), "-32768");
    EXPECT_EQ(Printable(IntegerToText(0, buffer)), "0");
}

TEST(TextNumberTest, TextToNumberAcceptsDigitsWithSpacesAndOneSign) {
    struct Case { std::u16string_view text; double value; };
    const Case cases[] = {
        {u"000123", 123}, {u" 12 ", 12}, {u"-5", -5}, {u"+7", 7}, {u"0", 0},
        {u"999999999999999", 999999999999999.0}, {u"1000000000000000", 1e15},
        {u"9007199254740993", 9007199254740992.0},  // nearest double, ties to even
        {u"12345678901234567890", 12345678901234567890.0},
    };
    for (const auto& c : cases) EXPECT_EQ(TextToNumber(c.text), c.value) << "text=" << Printable(c.text);

    const std::u16string huge(400, u'9');
    EXPECT_EQ(TextToNumber(huge), kInf);
    const std::u16string zeros = std::u16string(100000, u'0') + u"42";
    EXPECT_EQ(TextToNumber(zeros), 42);
}

TEST(TextNumberTest, TextThatIsNotANumberIsATypeMismatch) {
    const std::u16string_view texts[] = {
        u"", u"   ", u"1/2", u"/", u"1e5", u"1,000", u"\t5", u"--5", u"+", u"-", u"1 2",
        u"1.5", u".", u"0x10", u"inf", u"nan", u"\u0661", u"\uff15", u"5\u00a0", u"  -  ",
    };
    for (const auto text : texts) {
        EXPECT_TRUE(Raises(ErrorNumber::TypeMismatch, [&] { (void)TextToNumber(text); }))
            << "text=" << Printable(text);
    }
}

TEST(TextNumberTest, DigitsAreReadAlikeWhereverARunOfThemStartsOrStops) {
    // Digits are read several at a time; every length and every place of an odd
    // character within such a group must read as one digit at a time would.
    const std::u16string digits = u"1234567890123456789";
    std::uint64_t whole = 0;
    for (std::size_t n = 1; n <= digits.size(); ++n) {
        whole = whole * 10 + static_cast<unsigned>(digits[n - 1] - u'0');
        const auto expected = static_cast<double>(whole);
        EXPECT_EQ(TextToNumber(digits.substr(0, n)), expected) << "digits=" << n;
        EXPECT_EQ(TextToNumber(u" 0" + digits.substr(0, n) + u" "), expected) << "digits=" << n;
    }
    // Just below '0', just above '9', and characters whose low byte is a digit.
    for (const char16_t odd : {u'/', u':', u'\u0130', u'\u0139', u'\uff10', u'\u8030', u'\uffff'}) {
        for (std::size_t at = 0; at < 8; ++at) {
            std::u16string text = u"12345678";
            text[at] = odd;
            EXPECT_TRUE(Raises(ErrorNumber::TypeMismatch, [&] { (void)TextToNumber(text); }))
                << "odd=" << static_cast<unsigned>(odd) << " at=" << at;
        }
    }
}

TEST(TextNumberTest, TextToIntegerRoundsAndChecksTheRange) {
    EXPECT_EQ(TextToInteger(u"32767"), 32767);
    EXPECT_EQ(TextToInteger(u"-32768"), -32768);
    EXPECT_EQ(TextToInteger(u"007"), 7);
    EXPECT_TRUE(Raises(ErrorNumber::Overflow, [] { (void)TextToInteger(u"32768"); }));
    EXPECT_TRUE(Raises(ErrorNumber::TypeMismatch, [] { (void)TextToInteger(u""); }));
}

TEST(TextTest, SlicingCountsCharactersFromOne) {
    EXPECT_EQ(Printable(LeftText(u"05", 1)), "0");
    EXPECT_EQ(Printable(LeftText(u"abc", 10)), "abc");
    EXPECT_EQ(Printable(LeftText(u"abc", 0)), "");
    EXPECT_EQ(Printable(RightText(u"000", 0)), "");
    EXPECT_EQ(Printable(RightText(u"12345", 2)), "45");
    EXPECT_EQ(Printable(RightText(u"abc", 5)), "abc");

    EXPECT_EQ(FindText(1, u"12.5", u"."), 3);
    EXPECT_EQ(FindText(1, u"125", u"."), 0);
    EXPECT_EQ(FindText(3, u"1.2.3", u"."), 4);
    EXPECT_EQ(FindText(9, u"1.2", u"."), 0);

    EXPECT_EQ(TextLength(u""), 0);
    EXPECT_EQ(TextLength(u"\U0001F600"), 2);  // two 16-bit characters
    EXPECT_TRUE(TextEquals(u"", u""));
    EXPECT_FALSE(TextEquals(u"", u" "));
}

TEST(TextTest, SplitAtPointKeepsEveryPieceAndChecksItsIndex) {
    struct Case { std::u16string_view text; std::vector<std::string> pieces; };
    const Case cases[] = {
        {u"1.2.3", {"1", "2", "3"}}, {u"12.", {"12", ""}}, {u".", {"", ""}},
        {u"..", {"", "", ""}}, {u"125", {"125"}}, {u".5", {"", "5"}},
    };
    Pieces pieces;
    for (const auto& c : cases) {
        SplitAtPoint(c.text, pieces);
        std::vector<std::string> got;
        for (Long i = 0; i < pieces.Count(); ++i) got.push_back(Printable(pieces(i)));
        EXPECT_EQ(got, c.pieces) << "text=" << Printable(c.text);
        EXPECT_TRUE(Raises(ErrorNumber::SubscriptOutOfRange, [&] { (void)pieces(pieces.Count()); }));
        EXPECT_TRUE(Raises(ErrorNumber::SubscriptOutOfRange, [&] { (void)pieces(-1); }));
    }
}

}  // namespace
}  // namespace zorv::runtime
