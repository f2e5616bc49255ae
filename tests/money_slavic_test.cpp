// Money words in the Slavic, Baltic and Greek languages: sweeps over many amounts that
// no word the rule sets misspell (and the table's replace rows correct) is left in the
// answer. The amounts checked by hand are rows of tests/data/styles.json.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "zorv/words.hpp"

namespace {

using zorv::Speller;

// What the rule sets write and documents do not: whole words (or runs of them), and
// pieces of words.
struct Leftovers {
    const char* style;
    std::vector<std::string> words;
    std::vector<std::string> pieces;
};

const std::vector<Leftovers>& AllLeftovers() {
    static const std::vector<Leftovers> all = {
        {"money,locale=uk,currency=UAH", {}, {"\u02bc"}},
        {"money,locale=be,currency=BYN", {"пяцьдзесят", "шэсцьдзесят"}, {"i"}},
        {"money,locale=cs,currency=EUR", {"milión", "jedna tisíc", "dvě tisíce", "jeden miliarda", "dva miliardy"}, {}},
        {"money,locale=sk,currency=EUR", {"jednasto", "dve tisíc", "jeden miliarda", "miliardov"}, {"\u00ad", "ťjedno", "tjedno", "ojedno", "ťdve"}},
        {"money,locale=sl,currency=EUR",
         {"ena evro", "tri evri", "štiri evri", "en milijonov", "dva milijonov", "trije tisoč", "dva milijard"},
         {"tisuć", "dvije", "dvjesto", "milijun", "miliard", "dvaset", "asem", "šesto", "štrinajst"}},
        {"money,locale=hr,currency=EUR", {"dvije tisuća", "tri tisuća", "jedan milijuna", "dvije milijardi"}, {}},
        {"money,locale=sr,currency=EUR", {"једна хиљаду", "две хиљада", "два милион", "пет милион", "два милијарда"}, {}},
        {"money,locale=sr_Latn,currency=EUR", {"jedna hiljadu", "dve hiljada", "dva milion", "pet milion"}, {}},
        {"money,locale=bs,currency=BAM", {"dve", "dvesta", "dvije hiljada", "dva milion", "jedan miliona"},
         {"jedinica", "jedenaest", "miliard"}},
        {"money,locale=bg,currency=EUR", {"четиресет"}, {"айсет", "ийсет", "шейсет"}},
        {"money,locale=mk,currency=EUR", {"два евра", "две милиони"}, {"двеесет", "двенаесет"}},
        {"money,locale=mk,currency=MKD", {"еднасто", "две илјада", "два милион", "еден милијарда"}, {}},
        {"money,locale=lt,currency=EUR", {"du milijonų", "vienas milijonų", "vienas vienas"}, {}},
        {"money,locale=lv,currency=EUR", {"simt", "tūkstoš", "viens tūkstoši", "viens miljoni"}, {"divsimt", "divtūkstoš"}},
        {"money,locale=el,currency=EUR", {}, {"\u00ad", "χίλιάδες"}},
    };
    return all;
}

// Whole numbers to 2,100 and the thousands, millions and milliards of numbers whose
// forms differ (one, two, three, four, five, eleven, compounds of each), alone and
// followed by smaller parts, with minor parts of one, two and twenty-one.
std::vector<std::string> SweptAmounts() {
    std::vector<std::string> amounts;
    for (int n = 0; n <= 2100; ++n) amounts.push_back(std::to_string(n));
    const char* const heads[] = {"1", "2", "3", "4", "5", "11", "12", "21", "22", "23", "24", "25", "100", "101", "102",
                                 "104", "111", "121", "200", "999"};
    const char* const tails[] = {"000", "000001", "001002", "021000", "000000000", "001000000", "002021000"};
    const char* const minors[] = {"", ".01", ".02", ".21"};
    for (const char* head : heads) {
        for (const char* tail : tails) {
            for (const char* minor : minors) amounts.push_back(std::string(head) + tail + minor);
        }
    }
    return amounts;
}

TEST(SlavicMoneyTest, NoMisspelledWordOfTheRuleSetsIsLeft) {
    const std::vector<std::string> amounts = SweptAmounts();
    for (const Leftovers& leftovers : AllLeftovers()) {
        const Speller speller(leftovers.style);
        for (const std::string& amount : amounts) {
            const Speller::Result result = speller.Spell(amount);
            ASSERT_TRUE(result.answered) << leftovers.style << " " << amount << ": " << result.text;
            const std::string padded = " " + result.text + " ";
            for (const std::string& words : leftovers.words) {
                EXPECT_EQ(padded.find(" " + words + " "), std::string::npos)
                    << leftovers.style << " " << amount << ": " << result.text;
            }
            for (const std::string& piece : leftovers.pieces) {
                EXPECT_EQ(result.text.find(piece), std::string::npos)
                    << leftovers.style << " " << amount << ": " << result.text;
            }
        }
    }
}

}  // namespace
