#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "converttoword.h"
#include "text_helpers.h"

namespace zorv::engine {
namespace {

using runtime::ErrorNumber;
using testing::Printable;
using testing::Raises;

struct Case {
    double value;
    Integer digits;
    const char* words;  // exact, spaces included
};

std::string Name(converttoword& module, double value, Integer digits) {
    return Printable(module.Words(value, digits));
}

void ExpectWords(const std::vector<Case>& cases) {
    converttoword module;  // one object for the whole table, as in the program
    for (const auto& c : cases) {
        EXPECT_EQ(Name(module, c.value, c.digits), c.words)
            << "value=" << static_cast<std::int64_t>(c.value) << " digits=" << c.digits;
    }
}

TEST(ToWordsTest, NamesValuesBelowAMillionWithTheirExactSpacing) {
    ExpectWords({
        {0, 1, "Zero"}, {7, 1, "Seven "}, {10, 2, "Ten "}, {19, 2, "Nineteen "},
        {20, 2, "Twenty "}, {21, 2, "Twenty One "}, {40, 2, "Fourty "}, {45, 2, "Fourty Five "},
        {99, 2, "Ninety Nine "}, {100, 3, "One Hundred "}, {101, 3, "One Hundred One "},
        {110, 3, "One Hundred Ten "}, {119, 3, "One Hundred Nineteen "},
        {120, 3, "One Hundred Twenty "}, {123, 3, "One Hundred Twenty Three "},
        {200, 3, "Two Hundred "}, {999, 3, "Nine Hundred Ninety Nine "},
        {1000, 4, "One Thousand "}, {1001, 4, "One Thousand One "}, {1010, 4, "One Thousand Ten "},
        {1019, 4, "One Thousand Nineteen "}, {1020, 4, "One Thousand Twenty "},
        {1100, 4, "One Thousand One Hundred "}, {1234, 4, "One Thousand Two Hundred Thirty Four "},
        {9999, 4, "Nine Thousand Nine Hundred Ninety Nine "}, {10000, 5, "Ten Thousand "},
        {10010, 5, "Ten Thousand Ten "}, {12000, 5, "Twelve Thousand "},
        {12034, 5, "Twelve Thousand Thirty Four "},
        {12345, 5, "Twelve Thousand Three Hundred Fourty Five "},
        {18999, 5, "Eighteen Thousand Nine Hundred Ninety Nine "}, {19000, 5, "Nineteen Thousand "},
        {19345, 5, "Nineteen Thousand Three Hundred Fourty Five "},
        {20000, 5, "Twenty Thousand  "}, {20001, 5, "Twenty Thousand  One "},
        {23005, 5, "Twenty Three Thousand  Five "},
        {23045, 5, " Twenty Three Thousand Fourty Five "},
        {23400, 5, "Twenty Three Thousand  Four Hundred "},
        {23405, 5, "Twenty Three Thousand  Four Hundred Five "},
        {23456, 5, " Twenty Three Thousand Four Hundred Fifty Six "},
        {45040, 5, " Fourty Five Thousand Fourty "},
        {99999, 5, " Ninety Nine Thousand Nine Hundred Ninety Nine "},
        {100000, 6, "One Hundred Thousand "}, {100001, 6, "One Hundred Thousand One "},
        {100019, 6, "One Hundred Thousand Nineteen "}, {100020, 6, "One Hundred Thousand Twenty "},
        {101000, 6, "One Hundred One Thousand "}, {120000, 6, "One Hundred Twenty Thousand "},
        {123400, 6, "One Hundred Twenty Three Thousand Four Hundred "},
        {123456, 6, "One Hundred Twenty Three Thousand Four Hundred Fifty Six "},
        {999999, 6, "Nine Hundred Ninety Nine Thousand Nine Hundred Ninety Nine "},
    });
}

TEST(ToWordsTest, DigitCountsLargerThanTheValueChangeTheWords) {
    ExpectWords({
        {7, 3, "Seven "}, {45, 3, "Fourty Five "},
        {150, 4, "ZeroThousand One Hundred Fifty "}, {150, 5, "ZeroThousand One Hundred Fifty "},
        {150, 6, "ZeroThousandOne Thousand Fifty "},
        {12345, 6, "Twelve ThousandThree Thousand Fourty Five "},
        {150, 0, ""}, {150, -3, ""},
        // Counts 8 and 9 take the millions by division and are not affected.
        {1234567, 8, "One Million Two Hundred Thirty Four Thousand Five Hundred Sixty Seven "},
        {1234567, 9, "One Million Two Hundred Thirty Four Thousand Five Hundred Sixty Seven "},
        // The slicing counts word the first digit with the count's scale word.
        {1234567, 10, "One Billion One Million Two Hundred Thirty Four Thousand Five Hundred "
                      "Sixty Seven    "},
        {1234567, 16, "One Quadrillion"},
    });
}

TEST(ToWordsTest, NamesLargeValuesWithTheirExactSpacing) {
    ExpectWords({
        {1000000, 7, "One Million"}, {1000001, 7, "One Million One "},
        {1000019, 7, "One Million Nineteen "}, {1000020, 7, "One Million Twenty "},
        {1234567, 7, "One Million Two Hundred Thirty Four Thousand Five Hundred Sixty Seven "},
        {9999999, 7, "Nine Million Nine Hundred Ninety Nine Thousand Nine Hundred Ninety Nine "},
        {12345678, 8, "Twelve Million Three Hundred Fourty Five Thousand Six Hundred Seventy Eight "},
        {19000000, 8, "Nineteen Million"}, {20000000, 8, " Twenty Million"},
        {21000000, 8, " Twenty One Million"},
        {99999999, 8, " Ninety Nine Million Nine Hundred Ninety Nine Thousand Nine Hundred Ninety Nine "},
        {100000000, 9, " One Hundred Million"}, {119000000, 9, " One Hundred Nineteen Million"},
        {123456789, 9, " One Hundred Twenty Three Million Four Hundred Fifty Six Thousand Seven "
                       "Hundred Eighty Nine "},
        {999999999, 9, " Nine Hundred Ninety Nine Million Nine Hundred Ninety Nine Thousand Nine "
                       "Hundred Ninety Nine "},
        {1e9, 10, "One Billion"}, {1000000001, 10, "One Billion One "},
        {1000005000, 10, "One Billion Five Thousand "},
        {1000999999, 10, "One Billion Nine Hundred Ninety Nine Thousand Nine Hundred Ninety Nine "},
        {1200000000, 10, "  One Billion Two Hundred Million "},
        {1020000000, 10, "  One Billion Twenty Million "},
        {1234567890, 10, "One Billion Two Hundred Thirty Four Million Five Hundred Sixty Seven "
                         "Thousand Eight Hundred Ninety    "},
        {12345678901, 11, "Twelve Billion Three Hundred Fourty Five Million Six Hundred Seventy "
                          "Eight Thousand Nine Hundred One    "},
        {12000000000, 11, "Twelve Billion"},
        {12300000000, 11, "  Twelve Billion Three Hundred Million "},
        {123456789012, 12, " One Hundred Twenty Three Billion Four Hundred Fifty Six Million Seven "
                           "Hundred Eighty Nine Thousand Twelve    "},
        {100000000000, 12, " One Hundred Billion"}, {1e12, 13, "One Trillion"},
        {1000000000001, 13, "One Trillion One "},
        {1000234567890, 13, "One Trillion Two Hundred Thirty Four Million Five Hundred Sixty Seven "
                            "Thousand Eight Hundred Ninety    "},
        {1234000000000, 13, "  One Trillion Two Hundred Thirty Four Billion "},
        {1234020000000, 13, "  One Trillion Two Hundred Thirty Four Billion Twenty Million    "},
        {1234567890123, 13, "One Trillion Two Hundred Thirty Four Billion Five Hundred Sixty Seven "
                            "Million Eight Hundred Ninety Thousand One Hundred Twenty Three       "},
        {12345678901234, 14, "Twelve Trillion Three Hundred Fourty Five Billion Six Hundred Seventy "
                             "Eight Million Nine Hundred One Thousand Two Hundred Thirty Four       "},
        {123456789012345, 15, " One Hundred Twenty Three Trillion Four Hundred Fifty Six Billion "
                              "Seven Hundred Eighty Nine Million Twelve Thousand Three Hundred "
                              "Fourty Five       "},
        {123000000000000, 15, " One Hundred Twenty Three Trillion"}, {1e14, 15, " One Hundred Trillion"}, {100000000000001, 15, " One Hundred Trillion One "},
        {999999999999999, 15, " Nine Hundred Ninety Nine Trillion Nine Hundred Ninety Nine Billion "
                              "Nine Hundred Ninety Nine Million Nine Hundred Ninety Nine Thousand "
                              "Nine Hundred Ninety Nine       "},
    });
}

TEST(ToWordsTest, AGroupBelowTwentyUnderAHigherGroupIsSetOffByASpace) {
    ExpectWords({
        {1005000000, 10, "  One Billion Five Million "},
        {2015345678, 10, "Two Billion Fifteen Million Three Hundred Fourty Five Thousand Six "
                         "Hundred Seventy Eight    "},
        {234000000, 9, " Two Hundred Thirty Four Million"},
        {1019000000000, 13, "  One Trillion Nineteen Billion "},
        {5000001000000, 13, "  Five Trillion One Million "},
    });
}

TEST(ToWordsTest, ErrorsRaisedForValuesAndCountsTheEngineCannotName) {
    struct ErrorCase { double value; Integer digits; ErrorNumber error; };
    const ErrorCase cases[] = {
        {-5, 1, ErrorNumber::SubscriptOutOfRange},
        {-123456, 6, ErrorNumber::SubscriptOutOfRange},
        {150, 13, ErrorNumber::Overflow},
        {1234, 17, ErrorNumber::Overflow},
        {1234567, 17, ErrorNumber::Overflow},
        {2000000, 6, ErrorNumber::SubscriptOutOfRange},  // a group of 2,000 under a short count
        {150, 400, ErrorNumber::Overflow},               // the divisor leaves the double range
    };
    converttoword module;
    for (const auto& c : cases) {
        double value = c.value;
        Integer digits = c.digits;
        EXPECT_TRUE(Raises(c.error, [&] { (void)module.Words(value, digits); }))
            << "value=" << c.value << " digits=" << c.digits;
    }
    // A failed call leaves nothing that changes the next conversion.
    EXPECT_EQ(Name(module, 21, 2), "Twenty One ");
}

TEST(ToWordsTest, ASecondConversionNeverCarriesWordsOfTheFirst) {
    converttoword module;
    EXPECT_EQ(Name(module, 21, 2), "Twenty One ");
    EXPECT_EQ(Name(module, 34, 2), "Thirty Four ");
    EXPECT_EQ(Name(module, 1000000, 7), "One Million");
    EXPECT_EQ(Name(module, 1000000, 7), "One Million");
    converttoword fresh;
    EXPECT_EQ(Name(module, 1234567890, 10), Name(fresh, 1234567890, 10));
    EXPECT_EQ(Name(module, 5, 1), "Five ");
}

// An independent namer in plain English grouping (with the product's "Fourty"),
// against which the engine's words are compared once their spacing is folded.
std::string ReferenceWords(std::uint64_t n) {
    static const std::array<const char*, 20> kOnes = {
        "Zero", "One", "Two", "Three", "Four", "Five", "Six", "Seven", "Eight", "Nine", "Ten",
        "Eleven", "Twelve", "Thirteen", "Fourteen", "Fifteen", "Sixteen", "Seventeen", "Eighteen",
        "Nineteen"};
    static const std::array<const char*, 10> kTens = {
        "", "", "Twenty", "Thirty", "Fourty", "Fifty", "Sixty", "Seventy", "Eighty", "Ninety"};
    static const std::array<const char*, 5> kScales = {"", "Thousand", "Million", "Billion", "Trillion"};
    if (n == 0) return "Zero";
    std::vector<std::string> words;
    std::array<unsigned, 5> groups{};
    for (auto& g : groups) {
        g = static_cast<unsigned>(n % 1000);
        n /= 1000;
    }
    for (int i = 4; i >= 0; --i) {
        const unsigned g = groups[static_cast<std::size_t>(i)];
        if (g == 0) continue;
        if (g / 100 != 0) {
            words.emplace_back(kOnes[g / 100]);
            words.emplace_back("Hundred");
        }
        const unsigned rest = g % 100;
        if (rest >= 20) {
            words.emplace_back(kTens[rest / 10]);
            if (rest % 10 != 0) words.emplace_back(kOnes[rest % 10]);
        } else if (rest != 0) {
            words.emplace_back(kOnes[rest]);
        }
        if (i != 0) words.emplace_back(kScales[static_cast<std::size_t>(i)]);
    }
    std::string joined;
    for (const auto& w : words) joined += (joined.empty() ? "" : " ") + w;
    return joined;
}

std::string FoldSpaces(const std::string& text) {
    std::istringstream in(text);
    std::string word, folded;
    while (in >> word) folded += (folded.empty() ? "" : " ") + word;
    return folded;
}

Integer DigitsOf(std::uint64_t n) { return static_cast<Integer>(std::to_string(n).size()); }

void ExpectSameWordsAsReference(converttoword& module, std::uint64_t n) {
    const std::string words = Name(module, static_cast<double>(n), DigitsOf(n));
    ASSERT_EQ(FoldSpaces(words), ReferenceWords(n)) << "value=" << n << " words=\"" << words << "\"";
}

TEST(ToWordsTest, EveryValueBelowAMillionIsNamedWithTheRightWords) {
    converttoword module;
    for (std::uint64_t n = 0; n < 1'000'000; ++n) ExpectSameWordsAsReference(module, n);
}

TEST(ToWordsTest, LargeValuesAreNamedWithTheRightWordsInEveryGroupPattern) {
    // Every combination of telling groups across five groups, zero groups included.
    const std::uint64_t kGroups[] = {0, 1, 5, 19, 20, 21, 99, 100, 101, 119, 120, 999};
    converttoword module;
    for (const auto a : kGroups)
        for (const auto b : kGroups)
            for (const auto c : kGroups)
                for (const auto d : kGroups)
                    for (const auto e : kGroups) {
                        const std::uint64_t n = (((a * 1000 + b) * 1000 + c) * 1000 + d) * 1000 + e;
                        if (n >= 1'000'000) ExpectSameWordsAsReference(module, n);
                    }

    std::mt19937_64 random(20261207);
    std::uniform_int_distribution<std::uint64_t> any(1'000'000, 999'999'999'999'999);
    for (int i = 0; i < 100'000; ++i) ExpectSameWordsAsReference(module, any(random));
}

}  // namespace
}  // namespace zorv::engine
