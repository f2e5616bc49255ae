// Money words in the Slavic, Baltic and Greek languages: amounts whose words were
// checked by hand, and sweeps over many amounts that no word the rule sets misspell
// (and the table's replace rows correct) is left in the answer.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "zorv/words.hpp"

namespace {

using zorv::Speller;

struct Example {
    const char* style;
    const char* amount;
    const char* words;
};

// Each language's plural forms, the gender of its numbers and its corrections of the
// rule sets, on the amounts where they show.
constexpr Example kExamples[] = {
    {"money,locale=ru,currency=RUB", "3.04", "три рубля четыре копейки"},
    {"money,locale=ru,currency=GBP", "21.01", "двадцать один фунт стерлингов один пенс"},
    {"money,locale=uk,currency=UAH", "2.51", "дві гривні п'ятдесят одна копійка"},
    {"money,locale=uk,currency=UAH", "55.05", "п'ятдесят п'ять гривень п'ять копійок"},
    {"money,locale=uk,currency=UAH,minor=digits", "2000000.05", "два мільйони гривень 05 копійок"},
    {"money,locale=be,currency=BYN", "61.01", "шэсцьдзясят адзін рубель адна капейка"},
    {"money,locale=be,minor=digits", "5.05", "пяць рублёў 05 капеек"},
    {"money,locale=pl,currency=PLN", "104.12", "sto cztery złote dwanaście groszy"},
    {"money,locale=pl,currency=PLN", "1.22", "jeden złoty dwadzieścia dwa grosze"},
    {"money,locale=pl,currency=EUR", "21.01", "dwadzieścia jeden euro jeden cent"},
    {"money,locale=cs,currency=CZK", "3.04", "tři koruny čtyři haléře"},
    {"money,locale=cs,currency=CZK", "1000.02", "tisíc korun dva haléře"},
    {"money,locale=cs,currency=CZK", "22000", "dvacet dva tisíc korun"},
    {"money,locale=cs,currency=EUR", "2000000021", "dvě miliardy dvacet jedna eur"},
    {"money,locale=sk,currency=EUR", "104.12", "stoštyri eur dvanásť centov"},
    {"money,locale=sk,currency=EUR", "125125", "stodvadsaťpäťtisíc stodvadsaťpäť eur"},
    {"money,locale=sk,currency=EUR", "21.02", "dvadsaťjeden eur dva centy"},
    {"money,locale=sk,currency=EUR", "1.22", "jedno euro dvadsaťdva centov"},
    {"money,locale=sl,currency=EUR", "3.04", "trije evri in štirje centi"},
    {"money,locale=sl,currency=EUR", "102.21", "sto dva evra in enaindvajset centov"},
    {"money,locale=sl,currency=EUR", "3000000", "trije milijoni evrov"},
    {"money,locale=sl,currency=EUR", "1234.01", "tisoč dvesto štiriintrideset evrov in en cent"},
    {"money,locale=hr,currency=EUR", "22000.05", "dvadeset i dvije tisuće eura i pet centi"},
    {"money,locale=hr,minor=digits", "3.05", "tri eura i 05/100"},
    {"money,locale=sr,currency=RSD", "22000", "двадесет и две хиљаде динара"},
    {"money,locale=sr,currency=RSD,digits=2", "2.51", "два динара и педесет и једна пара"},
    {"money,locale=sr,currency=EUR", "2000000000", "две милијарде евра"},
    {"money,locale=sr_Latn,currency=EUR", "2000000.02", "dva miliona evra i dva centa"},
    {"money,locale=bs,currency=BAM", "21.01", "dvadeset jedna konvertibilna marka i jedan fening"},
    {"money,locale=bs,currency=BAM", "2011.02", "dvije hiljade jedanaest konvertibilnih maraka i dva feninga"},
    {"money,locale=bg,currency=EUR", "1001.51", "хиляда и едно евро и петдесет и един цента"},
    {"money,locale=bg,currency=USD", "11.40", "единадесет долара и четиридесет цента"},
    {"money,locale=bg,currency=EUR", "60.61", "шестдесет евро и шестдесет и един цента"},
    {"money,locale=mk,currency=MKD", "100", "сто денари"},
    {"money,locale=mk,currency=EUR", "22.02", "дваесет и две евра и два центи"},
    {"money,locale=mk,currency=MKD", "22000", "дваесет и две илјади денари"},
    {"money,locale=lt,currency=EUR", "104.12", "vienas šimtas keturi eurai ir dvylika centų"},
    {"money,locale=lt,currency=EUR", "2000000", "du milijonai eurų"},
    {"money,locale=lv,currency=EUR", "3500.12", "trīs tūkstoši pieci simti eiro divpadsmit centu"},
    {"money,locale=lv,currency=GBP", "21.01", "divdesmit viena sterliņu mārciņa viens penss"},
    {"money,locale=el,currency=EUR", "19.01", "δεκαεννέα ευρώ και ένα λεπτό"},
    {"money,locale=el,currency=GBP", "21.01", "είκοσι μία λίρες στερλίνες και μία πένα"},
    {"cheque,locale=el", "2000", "Δύο χιλιάδες ευρώ"},
};

TEST(SlavicMoneyTest, EachCheckedAmount) {
    for (const Example& example : kExamples) {
        const Speller::Result result = Speller(example.style).Spell(example.amount);
        EXPECT_TRUE(result.answered) << example.style << " " << example.amount << ": " << result.text;
        EXPECT_EQ(result.text, example.words) << example.style << " " << example.amount;
    }
}

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
