// The rule interpreter: each mechanism of the rule language on small rule sets of our
// own, the exactness that floating point cannot give, and every public rule set of
// the compiled locales on the numbers from 0 to 1,000.
#include <gtest/gtest.h>

#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "locale_tags.h"
#include "packing.h"
#include "rule_book.h"
#include "rule_dump.h"
#include "varint.h"
#include "rule_compiler.h"
#include "interpreter.h"
#include "style.h"
#include "wording.h"
#include "outcomes.h"
#include "zorv/words.hpp"

namespace zorv::spell {
namespace {

using zorv::Speller;

struct Row {
    const char* what;
    std::string rules;  // a locale's rule sets, one rule a line
    const char* set;
    const char* number;
    const char* words;
};

constexpr char kCardinal[] =
    "%card:\n-x: minus >>;\nx.x: << point >>;\n0: zero;\n1: one;\n2: two;\n3: three;\n4: four;\n5: five;\n"
    "10: ten;\n11: eleven;\n20: twenty[->>];\n30: thirty[->>];\n100: << hundred[ >>];\n1000: << thousand[ >>];\n"
    "1000000: << million[ >>];\n1000000000000000000: =#,##0=;\n";

constexpr char kLarge[] =
    "%c:\n0: =#,##0=;\n1000000: << M[ >>];\n1000000000000000000000000: << Y[ >>];\n"
    "1000000000000000000000000000000000000000000000000000000000000: << Z[ >>];\n";

std::string SpellWith(const std::string& rules, const char* set, const char* number) {
    LocaleSource source;
    source.name = "xx";
    source.rules = rules;
    source.cardinalPlurals = "one: i in 1..1 and v in 0..0; other: ";
    source.ordinalPlurals =
        "few: n mod 10 in 3..3 and n mod 100 not in 13..13; one: n mod 10 in 1..1 and n mod 100 not in 11..11; "
        "two: n mod 10 in 2..2 and n mod 100 not in 12..12; other: ";
    const std::string data = Unpack(Pack(CompileRules({source})));
    const RuleBook book(data);
    const Locale* locale = book.Find("xx");
    const RuleSet* found = locale->Find(set);
    if (found == nullptr) return "no rule set";
    try {
        return Spell(*locale, *found, number);
    } catch (const SpellError& error) {
        return std::string("error: ") + error.what();
    }
}

TEST(RuleInterpreterTest, EachMechanismOfTheRuleLanguage) {
    const std::string card = kCardinal;
    const Row rows[] = {
        {"a rule's own text", kCardinal, "card", "4", "four"},
        {"<< and >> around the divisor", kCardinal, "card", "1234", "one thousand two hundred thirty-four"},
        {"[...] is two rules; 200 rolls back", kCardinal, "card", "200", "two hundred"},
        {"the rule at the base value itself", kCardinal, "card", "20", "twenty"},
        {"-x", kCardinal, "card", "-21", "minus twenty-one"},
        {"x.x: >> digit by digit with spaces", kCardinal, "card", "3.1405", "three point one four zero five"},
        {"the digits written, trailing zeros too", kCardinal, "card", "4.10", "four point one zero"},
        {"no digit is lost at any length", kCardinal, "card", "0.00000000000000000000001",
         "zero point zero zero zero zero zero zero zero zero zero zero zero zero zero zero zero zero zero zero zero "
         "zero zero zero one"},
        {"=#,##0= beyond the last rule, past 64 bits", kCardinal, "card", "123456789012345678901234567890",
         "123,456,789,012,345,678,901,234,567,890"},
        {"<< of a number past 64 bits", "%c:\n0: =#,##0=;\n1000000: << M[ >>];\n", "c", "123456789012345678901234567",
         "123 M 456,789 M 12,345 M 678,901 M 234,567"},
        {"a base past 64 bits, the rest below it", kLarge, "c", "3000000000000000000000007", "3 Y 7"},
        {"a base past 64 bits, its twin for a rest of zero", kLarge, "c", "3000000000000000000000000", "3 Y"},
        {"below the first base past 64 bits, the last rule", kLarge, "c", "999999999999999999999999", "999,999 M 999,999 M 999,999 M 999,999"},
        {"past the last base past 64 bits", kLarge, "c", "1000000000000000000000000000000000000000000000000000000000000",
         "1 Z"},
        {">>> digit by digit without spaces", "%c:\nx.x: <<.>>>;\n0: o;\n1: i;\n", "c", "1.101", "i.ioi"},
        {"== in a named rule set", "%a:\n0: <=%b=>;\n%b:\n0: b;\n", "a", "7", "<b>"},
        {">>> through the rule before", "%c:\n0: =#,##0=;\n10: <%c< >>>;\n100: <%c< >>>;\n", "c", "1234", "1 2 3 4"},
        {"radix 100", "%y:\n0: =#,##0=;\n1010/100: << >>;\n", "y", "1984", "19 84"},
        {"'>' lowers the exponent", "%c:\n0: =#,##0=;\n100>: <<x>>;\n", "c", "345", "34x5"},
        {"a leading apostrophe keeps a space", "%c:\n0: ' zero;\n", "c", "0", " zero"},
        {"0.x for a value below 1", "%c:\n0.x: only >>;\nx.x: << and >>;\n0: o;\n1: i;\n", "c", "0.1", "only i"},
        {"a fraction rule set: numerator and base", card + std::string("%r:\nx.x: <%card< and >%%f>;\n%%f:\n10: <%card< tenth;\n100: <%card< hundredths;\n"),
         "r", "2.05", "two and five hundredths"},
        {"two rules of one base: 1 and more", card + "%r:\n0.x: >%%f>;\n%%f:\n3: <%card< third;\n3: <%card< thirds;\n",
         "r", "0.6666666666666666666667", "two thirds"},
        {"<%set<< spells the numerator's leading zeros", card + "%r:\n0.x: >%%f>;\n%%f:\n1000: <%card<<;\n", "r", "0.005",
         "zero zero five"},
        {"$(cardinal,...)$", "%c:\n0: =#,##0= $(cardinal,one{day}other{days})$;\n", "c", "1", "1 day"},
        {"$(ordinal,...)$ reads the value cut to 32 bits", "%o:\n0: =#,##0=$(ordinal,one{st}two{nd}few{rd}other{th})$;\n",
         "o", "50000000000", "50,000,000,000nd"},
        {"=#,##,##0= groups as in India", "%c:\n0: =#,##,##0=;\n", "c", "12345678", "1,23,45,678"},
        {"=0.0= rounds half to even", "%c:\nx.x: =0.0=;\n0: =0=;\n", "c", "2.25", "2.2"},
        {"=0.0= rounds up above half", "%c:\nx.x: =0.0=;\n0: =0=;\n", "c", "2.251", "2.3"},
    };
    for (const Row& row : rows) EXPECT_EQ(SpellWith(row.rules, row.set, row.number), row.words) << row.what;
}

TEST(RuleInterpreterTest, WhatCannotBeSpelledIsRefused) {
    const Row rows[] = {
        {"not a number", kCardinal, "card", "1e5", "error: not a number"},
        {"two points", kCardinal, "card", "1.2.3", "error: not a number"},
        {"a point and nothing else", kCardinal, "card", ".", "error: not a number"},
        {"rules that never end", "%c:\n0: =%c=;\n", "c", "5", "error: the rules call themselves without end"},
        {"no rule for the value", "%c:\n10: ten;\n", "c", "5", "error: no rule of c spells 5"},
    };
    for (const Row& row : rows) EXPECT_EQ(SpellWith(row.rules, row.set, row.number), row.words) << row.what;
    const std::string tooLong(1001, '9');
    EXPECT_EQ(SpellWith(kCardinal, "card", tooLong.c_str()), "error: more than 1,000 digits before or after the point");
}

// The error of compiling one locale "xx" with these rules and plural rules, or "" when
// they compile.
std::string CompileErrorOf(const std::string& rules, const std::string& cardinal = "one: i = 1; other: ") {
    LocaleSource source;
    source.name = "xx";
    source.rules = rules;
    source.cardinalPlurals = cardinal;
    source.ordinalPlurals = "other: ";
    try {
        (void)CompileRules({source});
        return "";
    } catch (const CompileError& error) {
        return error.what();
    }
}

// Every refusal of the rule compiler, with the rule it names: the build stops on rule
// text it cannot read, rather than compiling rules that spell wrongly.
TEST(RuleCompilerTest, WhatCannotBeReadIsRefusedNamingTheRule) {
    struct Case { const char* what; std::string rules, cardinal, message; };
    const std::string plurals = "one: i = 1; other: ";
    const Case cases[] = {
        {"a rule before any rule set", "0: zero;\n", plurals, "xx: 0: zero;: a rule before any rule set"},
        {"no ';'", "%c:\n0: zero\n", plurals, "xx: 0: zero: a rule without its ';'"},
        {"a base that is no number", "%c:\n1x: one;\n", plurals, "xx: 1x: one;: not a number: 1x"},
        {"a radix below 2", "%c:\n10/1: ten;\n", plurals, "xx: 10/1: ten;: a radix below 2"},
        {"more '>' than the exponent", "%c:\n5>>: five;\n", plurals, "xx: 5>>: five;: more '>' than the exponent"},
        {"a radix past 64 bits", "%c:\n1000000000000000000000/10: x;\n", plurals,
         "xx: 1000000000000000000000/10: x;: a radix or '>' on a base past 64 bits"},
        {"no base after a large one", "%c:\n0: zero;\n1000000000000000000000: << Z;\nmore;\n", plurals,
         "xx: more;: a rule without a base after a base past 64 bits"},
        {"a small base after a large one", "%c:\n0: zero;\n1000000000000000000000: << Z;\n5: five;\n", plurals,
         "xx: 5: five;: a base below one before it"},
        {"large bases out of order", "%c:\n0: =#,##0=;\n1000000000000000000000000: << Y;\n1000000000000000000000: << Z;\n",
         plurals, "xx: 1000000000000000000000: << Z;: a base past 64 bits not above the one before it"},
        {"'>>>' with a large base", "%c:\n0: zero;\n1000000000000000000000: << Z >>>;\n", plurals,
         "xx: 1000000000000000000000: << Z >>>;: '>>>' in a rule with a base past 64 bits"},
        {"a substitution without its end", "%c:\n0: =%c;\n", plurals, "xx: 0: =%c;: a substitution without its end"},
        {"an unknown rule set", "%c:\n0: =%nope=;\n", plurals, "xx: 0: =%nope=;: no rule set %nope"},
        {"a plural without forms", "%c:\n0: $(cardinal)$;\n", plurals, "xx: 0: $(cardinal)$;: a plural without forms"},
        {"an unknown plural type", "%c:\n0: $(weird,one{a}other{b})$;\n", plurals,
         "xx: 0: $(weird,one{a}other{b})$;: unknown plural type weird"},
        {"a plural form without braces", "%c:\n0: $(cardinal,one{a}other)$;\n", plurals,
         "xx: 0: $(cardinal,one{a}other)$;: a plural form without braces"},
        {"an unknown plural category", "%c:\n0: $(cardinal,lots{a}other{b})$;\n", plurals,
         "xx: 0: $(cardinal,lots{a}other{b})$;: no plural category lots"},
        {"a plural without its end", "%c:\n0: $(cardinal,one{a}other{b};\n", plurals,
         "xx: 0: $(cardinal,one{a}other{b};: a plural without its end"},
        {"a decimal pattern not written", "%c:\n0: =0.00E0=;\n", plurals,
         "xx: 0: =0.00E0=;: a decimal pattern this converter does not write: 0.00E0"},
        {"a plural rule without ':'", "%c:\n0: zero;\n", "one i = 1; other: ", "xx cardinal plurals: a plural rule without ':'"},
        {"an unknown plural operand", "%c:\n0: zero;\n", "one: q = 1; other: ",
         "xx cardinal plurals: unknown plural operand in q = 1"},
        {"an unknown plural relation", "%c:\n0: zero;\n", "one: n < 1; other: ",
         "xx cardinal plurals: unknown plural relation n < 1"},
        {"a modulus that is no number", "%c:\n0: zero;\n", "one: n mod x = 1; other: ", "xx cardinal plurals: not a number: x"},
        {"a modulus and no relation", "%c:\n0: zero;\n", "one: n mod 10; other: ", "xx cardinal plurals: unknown plural relation n mod 10"},
        {"an empty relation", "%c:\n0: zero;\n", "one: n = 1 and  and n = 2; other: ", "xx cardinal plurals: an empty plural relation"},
        {"a pattern's empty group", "%c:\n0: =#,,##0=;\n", plurals, "xx: 0: =#,,##0=;: a decimal pattern with an empty group: #,,##0"},
        {"a pattern past its bounds", "%c:\n0: =0." + std::string(65, '0') + "=;\n", plurals,
         "xx: 0: =0." + std::string(65, '0') + "=;: a decimal pattern of more than 64 digits: 0." + std::string(65, '0')},
        {"a base past 10^4096", "%c:\n0: zero;\n1" + std::string(4097, '0') + ": << X;\n", plurals,
         "xx: 1" + std::string(4097, '0') + ": << X;: a base past 10^4096"},
        {"an unknown category in the plural rules", "%c:\n0: zero;\n", "lots: n = 1; other: ",
         "xx cardinal plurals: no plural category lots"},
    };
    for (const Case& c : cases) EXPECT_EQ(CompileErrorOf(c.rules, c.cardinal), c.message) << c.what;
    EXPECT_EQ(CompileErrorOf("%c:\n0: zero;\n"), "") << "the rules of the cases compile when nothing is wrong";
}

// Plural rules as compiled and read back choose CLDR's categories: both spellings of a
// modulus, negation by "!=" and "not in", lists of values and ranges, and rules tried
// in order with "other" when none applies.
TEST(RuleCompilerTest, PluralRulesChooseTheirCategoriesAfterCompiling) {
    LocaleSource source;
    source.name = "xx";
    source.rules = "%c:\n0: zero;\n";
    source.cardinalPlurals =
        "one: n % 10 = 1 and n % 100 != 11; few: n mod 10 in 2..4 and n mod 100 not in 12..14; many: n = 0,5..9; other: ";
    source.ordinalPlurals = "two: n = 2 or n = 22; other: ";
    const std::string data = CompileRules({source});
    const RuleBook book(data);
    const Locale& locale = *book.Find("xx");
    struct Case { std::uint64_t n; PluralCategory cardinal, ordinal; };
    const Case cases[] = {
        {1, PluralCategory::One, PluralCategory::Other},    {11, PluralCategory::Other, PluralCategory::Other},
        {21, PluralCategory::One, PluralCategory::Other},   {2, PluralCategory::Few, PluralCategory::Two},
        {12, PluralCategory::Other, PluralCategory::Other}, {22, PluralCategory::Few, PluralCategory::Two},
        {0, PluralCategory::Many, PluralCategory::Other},   {7, PluralCategory::Many, PluralCategory::Other},
        {25, PluralCategory::Other, PluralCategory::Other},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(locale.cardinal.Select(c.n), c.cardinal) << "cardinal " << c.n;
        EXPECT_EQ(locale.ordinal.Select(c.n), c.ordinal) << "ordinal " << c.n;
    }
}

// A tag as people write it becomes the locale ID rules are compiled under, and its
// parents by truncation run down to the language.
TEST(LocaleTagsTest, TagsBecomeLocaleIdsAndTheirParentsRunDownToTheLanguage) {
    struct Case { std::string_view tag, id; std::vector<std::string> parents; };
    const Case cases[] = {
        {"sr-Latn-RS", "sr_Latn_RS", {"sr_Latn", "sr"}},
        {"es-AR", "es_AR", {"es"}},  // es_419, CLDR's parent, comes from an alias
        {"zh-Hant-TW", "zh_Hant_TW", {"zh_Hant", "zh"}},
        {"es-419", "es_419", {"es"}},
        {"de-1996", "de_1996", {"de"}},  // a variant keeps its digits
        {"de-ch-1996", "de_CH_1996", {"de_CH", "de"}},
        {"xx-YY", "xx_YY", {"xx"}},
        {"en_gb", "en_GB", {"en"}},
        {"SR-LATN-RS", "sr_Latn_RS", {"sr_Latn", "sr"}},
        {"EN", "en", {}},
        {"", "", {}},
    };
    for (const Case& c : cases) {
        std::string id = LocaleId(c.tag);
        EXPECT_EQ(id, c.id) << c.tag;
        std::vector<std::string> parents;
        while (!(id = TruncatedParent(id)).empty()) parents.push_back(id);
        EXPECT_EQ(parents, c.parents) << c.tag;
    }
}

// The dump of rule set `set` of a locale compiled from `rules`.
std::string DumpOf(const std::string& rules, const char* set) {
    LocaleSource source;
    source.name = "xx";
    source.rules = rules;
    source.cardinalPlurals = "one: i = 1 and v = 0; other: ";
    source.ordinalPlurals = "other: ";
    const std::string data = CompileRules({source});
    const RuleBook book(data);
    const Locale* locale = book.Find("xx");
    const RuleSet* found = locale->Find(set);
    return found == nullptr ? "no rule set" : DumpRuleSet(*locale, *found);
}

// What the compiler makes of rule text, rule by rule, as the loader reads it back:
// brackets as two rules, substitutions and their targets, decimal patterns, radix and
// exponent, >>> with its rule, plurals, rules past 64 bits, private and fraction sets.
TEST(CompiledRulesTest, EachMechanismCompilesToItsDump) {
    struct Case { const char* what; std::string rules; const char* set; const char* dump; };
    const Case cases[] = {
        {"brackets, substitutions and a pattern",
         "%c:\n-x: minus >>;\nx.x: << point >>;\n0: zero;\n1: one;\n20: twenty[->>];\n100: << hundred[ >>];\n"
         "1000000: =#,##0=;\n",
         "c",
         "%c\n"
         "  -x: \"minus \" >>\n"
         "  x.x: << \" point \" >>\n"
         "  0: \"zero\"\n"
         "  1: \"one\"\n"
         "  20: \"twenty\"\n"
         "  21: \"twenty-\" >>\n"
         "  100: << \" hundred\"\n"
         "  101: << \" hundred \" >>\n"
         "  1000000: == pattern(integer 1, fraction 0-0, groups 3/3)\n"},
        {"radix, exponent, >>>, a private set and a plural",
         "%%digits:\n0: =#,##,##0.0#=;\n%c:\n0: =%%digits=;\n100: hundred >>>;\n1,000/100>: "
         "<< $(cardinal,one{thousand}other{thousands})$;\n",
         "c",
         "%c\n"
         "  0: == %%digits\n"
         "  100: \"hundred \" >>> rule 0\n"
         "  1000 radix 100 exponent 0: << \" \" $(cardinal,one{thousand}other{thousands})$\n"},
        {"the private set's pattern", "%%digits:\n0: =#,##,##0.0#=;\n", "digits",
         "%%digits\n  0: == pattern(integer 1, fraction 1-2, groups 3/2)\n"},
        {"a fraction set", "%c:\n0: zero;\n1: one;\n%d:\nx.x: << and >%f>;\n0: =%c=;\n%f:\n10: << tenths;\n",
         "f", "%f fraction\n  10: numerator \" tenths\"\n"},
        {"rules past 64 bits", kLarge, "c",
         "%c\n"
         "  0: == pattern(integer 1, fraction 0-0, groups 3/3)\n"
         "  1000000: << \" M\"\n"
         "  1000001: << \" M \" >>\n"
         "  10^24: << \" Y\"\n"
         "  10^24: << \" Y \" >>\n"
         "  10^60: << \" Z\"\n"
         "  10^60: << \" Z \" >>\n"},
    };
    for (const Case& c : cases) EXPECT_EQ(DumpOf(c.rules, c.set), c.dump) << c.what;
}

// What loading `data` and spelling a few numbers with every rule set of every locale
// ends in: "" when the rules load, or the loader's message. The rules may refuse a
// number; they may never crash or hang.
std::string LoadAndSpell(std::string_view data) {
    try {
        const RuleBook book(data);
        for (const std::string_view name : book.Names()) {
            const Locale* locale = book.Find(name);
            for (const RuleSet& set : locale == nullptr ? std::vector<RuleSet>() : locale->sets) {
                for (const char* number : {"0", "7", "1234", "-5.25", "100000000000000000000000"}) {
                    try {
                        (void)Spell(*locale, set, number);
                    } catch (const SpellError&) {
                    }
                }
            }
        }
        return "";
    } catch (const std::runtime_error& error) {
        return error.what();
    }
}

// Compiled and packed rules that are corrupt are refused with a message, whatever the
// fault: a wrong header, a count past the end, a field out of its range, bytes cut
// short or changed anywhere.
TEST(CompiledRulesTest, CorruptBytesAreRefusedAndNeverCrash) {
    LocaleSource source;
    source.name = "xx";
    source.rules = std::string(kCardinal) + kLarge;
    source.cardinalPlurals = "one: i = 1 and v = 0; other: ";
    source.ordinalPlurals = "other: ";
    const std::string data = CompileRules({source}, {{"xx_YY", "xx"}});
    ASSERT_EQ(LoadAndSpell(data), "");
    const auto varint = [](std::uint64_t n) {
        std::string out;
        AppendVarint(out, n);
        return out;
    };
    struct Case { const char* what; std::string bytes, message; };
    const Case cases[] = {
        {"another form", "ZRB0" + data.substr(4), "compiled rules: not of this form"},
        {"nothing after the header", "ZRB1", "compiled rules: truncated"},
        {"a pool count past the end", "ZRB1" + varint(1000000), "compiled rules: a count past the end"},
        {"a text past the end", "ZRB1" + varint(1) + varint(50) + "abc", "compiled rules: truncated"},
        {"a varint past 64 bits", "ZRB1" + std::string(12, '\xFF'), "compiled rules: truncated"},
        {"a locale name not in the pool", "ZRB1" + varint(0) + varint(1) + varint(3) + std::string(8, '\0'), "compiled rules: no such text"},
        {"cut in the middle", data.substr(0, data.size() / 2), "compiled rules: truncated"},
    };
    for (const Case& c : cases) EXPECT_EQ(LoadAndSpell(c.bytes), c.message) << c.what;

    // Every byte cut short or changed: a message or rules that load, never a crash.
    for (std::size_t size = 0; size < data.size(); ++size) {
        EXPECT_NE(LoadAndSpell(data.substr(0, size)), "") << "cut to " << size << " bytes";
    }
    for (std::size_t at = 4; at < data.size(); ++at) {
        for (const unsigned char changed : {0x00, 0x07, 0x7F, 0xFF}) {
            std::string bytes = data;
            bytes[at] = static_cast<char>(changed);
            (void)LoadAndSpell(bytes);
        }
    }

    const std::string packed = Pack(data);
    EXPECT_EQ(Unpack(packed), data);
    const struct { const char* what; std::string bytes, message; } packings[] = {
        {"another form", "ZRZ0" + packed.substr(4), "packed rules: not of this form"},
        {"more than rules take", "ZRZ1" + varint(std::uint64_t{1} << 40), "packed rules: too large"},
        {"literals past the end", "ZRZ1" + varint(100) + "\xF0" + varint(50) + "abc", "packed rules: truncated"},
        {"a match before the start", "ZRZ1" + varint(10) + "\x10" "a" + varint(5), "packed rules: bad match"},
        {"short of its size", "ZRZ1" + varint(10) + "\x30" "abc", "packed rules: wrong size"},
    };
    for (const auto& c : packings) {
        try {
            (void)Unpack(c.bytes);
            ADD_FAILURE() << c.what << ": unpacked";
        } catch (const std::runtime_error& error) {
            EXPECT_EQ(std::string(error.what()), c.message) << c.what;
        }
    }
}

// Where ICU's floating point loses digits, the words are those of the number written.
TEST(StyleTest, NumbersAreSpelledExactlyInEveryLocale) {
    struct Case { const char* style; const char* number; const char* words; };
    const Case cases[] = {
        {"plain,locale=de", "21", "ein\u00ADund\u00ADzwanzig"},
        // ICU: "... семьдесят два миллиона стомиллионных"
        {"plain,locale=ru", "609381.72", "шестьсот девять тысяч триста восемьдесят одна целый семьдесят две сотых"},
        // ICU drops the digits past the seventeenth
        {"plain", "0.1234567890123456789",
         "zero point one two three four five six seven eight nine zero one two three four five six seven eight nine"},
        {"plain", "9007199254740993.5",
         "nine quadrillion seven trillion one hundred ninety-nine billion two hundred fifty-four million seven "
         "hundred forty thousand nine hundred ninety-three point five"},
        {"plain,locale=en-GB,rules=spellout-ordinal", "21", "twenty-first"},
        {"plain,locale=hi", "100000", "एक लाख"},
    };
    for (const Case& c : cases) EXPECT_EQ(SpellInStyle(ParseStyle(c.style), c.number), c.words) << c.style << " " << c.number;
}

TEST(StyleTest, EachRowOfTheStylesTable) {
    for (const auto& row : testing::ExpectedStyleOutcomes()) {
        const auto result = Speller(row.style).Spell(row.number);
        EXPECT_EQ(result.answered, row.answered) << row.style << " " << row.number;
        EXPECT_EQ(result.text, row.text) << row.style << " " << row.number;
    }
    for (const auto& [style, message] : testing::RefusedStyles()) {
        try {
            (void)Speller(style);
            ADD_FAILURE() << style << " was taken";
        } catch (const std::invalid_argument& error) {
            EXPECT_EQ(error.what(), message);
        }
    }
}

// Every currency of the table: its names by count, and exactly its minor digits.
TEST(StyleTest, EveryCurrencyHasItsNamesAndItsMinorDigits) {
    for (const Currency& currency : Currencies()) {
        const std::string code(currency.code);
        const Speller money("money,first=off,currency=" + code), cheque("cheque,currency=" + code + ",first=off,only=off,minor=digits");
        EXPECT_EQ(money.Spell("1").text, "one " + std::string(currency.unit)) << code;
        EXPECT_EQ(money.Spell("2").text, "two " + std::string(currency.units)) << code;
        const std::string exact = "2." + std::string(currency.digits, '1'), over = exact + "1";
        EXPECT_TRUE(money.Spell(exact).answered) << code;
        EXPECT_FALSE(money.Spell(over).answered) << code;
        if (currency.digits == 0) continue;
        EXPECT_TRUE(money.Spell(exact).text.ends_with(" and eleven " + std::string(currency.subunits)) ||
                    money.Spell(exact).text.ends_with(" and one hundred eleven " + std::string(currency.subunits)))
            << money.Spell(exact).text;
        const std::string denominator = "/1" + std::string(currency.digits, '0') + " ";
        EXPECT_NE(cheque.Spell("5").text.find(" and " + std::string(currency.digits, '0') + denominator), std::string::npos)
            << cheque.Spell("5").text;
    }
    EXPECT_GE(Currencies().size(), 30U);
}

TEST(CompiledRulesTest, EveryPublicRuleSetSpellsZeroToAThousand) {
    const RuleBook& book = RuleBook::Builtin();
    EXPECT_EQ(book.Names().size(), 100U);
    std::size_t sets = 0;
    for (const std::string_view name : book.Names()) {
        const Locale* locale = book.Find(name);
        ASSERT_NE(locale, nullptr) << name;
        for (const RuleSet& set : locale->sets) {
            if (!set.isPublic) continue;
            ++sets;
            for (int n = 0; n <= 1000; ++n) {
                std::string words;
                EXPECT_NO_THROW(words = Spell(*locale, set, std::to_string(n))) << name << " " << set.name << " " << n;
                EXPECT_FALSE(words.empty()) << name << " " << set.name << " " << n;
            }
        }
    }
    EXPECT_GT(sets, 700U);
}

// Copies share a style, and a Speller moved from keeps it: every one answers alike.
TEST(SpellerTest, ASpellerMovedFromAnswersAsBefore) {
    Speller from("cheque");
    const Speller to = std::move(from);
    Speller assigned("plain");
    Speller copied = assigned;
    assigned = std::move(from);  // NOLINT(bugprone-use-after-move): what a moved-from Speller does is the point
    copied = to;
    for (const Speller* speller : std::initializer_list<const Speller*>{&from, &to, &assigned, &copied}) {
        EXPECT_EQ(speller->Spell("5").text, "Five and 00/100 Dollars");
        EXPECT_EQ(speller->Read("Five and 00/100 Dollars").text, "5.00");
    }
}

TEST(ReaderTest, EachRowOfTheReadingsTable) {
    for (const auto& row : testing::ExpectedReadings("readings")) {
        const auto result = Speller(row.style).Read(row.words);
        EXPECT_EQ(result.answered, row.read) << row.style << " " << row.words;
        EXPECT_EQ(result.text, row.text) << row.style << " " << row.words;
    }
    for (const auto& row : testing::ExpectedReadings("verifications")) {
        const auto result = Speller(row.style).Verify(row.figures, row.words);
        EXPECT_EQ(result.answered, row.read) << row.style << " " << row.figures << " " << row.words;
        EXPECT_EQ(result.text, row.text) << row.style << " " << row.figures << " " << row.words;
    }
}

// Words verify against figures of the same value however each is written: trailing
// zeros after the point and a sign on zero do not count, any other digit or sign does.
TEST(ReaderTest, VerifyComparesValuesNotHowTheyAreWritten) {
    struct Case { const char* style; const char* figures; const char* words; bool verified; const char* text; };
    const Case cases[] = {
        {"plain", "0", "minus zero", true, "-0"},
        {"plain", "-0.00", "minus zero point zero", true, "-0.0"},
        {"plain", "1.50", "one point five", true, "1.5"},
        {"plain", "1.5", "one point five zero", true, "1.50"},
        {"plain", "100", "one hundred point zero", true, "100.0"},
        {"money,currency=USD", "12", "twelve dollars and zero cents", true, "12.00"},
        {"plain", "10", "one", false, "the words say 1, the figures 10"},
        {"plain", "0.1", "minus zero point one", false, "the words say -0.1, the figures 0.1"},
        {"plain", "1.05", "one point five", false, "the words say 1.5, the figures 1.05"},
        {"money,currency=KWD", "0.05", "five fils", false, "the words say 0.005, the figures 0.05"},
    };
    for (const Case& c : cases) {
        const auto verdict = Speller(c.style).Verify(c.figures, c.words);
        EXPECT_EQ(verdict.answered, c.verified) << c.style << " " << c.figures << " " << c.words;
        EXPECT_EQ(verdict.text, c.text) << c.style << " " << c.figures << " " << c.words;
    }
}

// A number the round trip writes, kept in its parts, so that what its words read back
// as is worked out from the parts, never from a reading.
struct Figures {
    bool negative = false;
    std::string whole;  // digits, no leading zero
    bool point = false;
    std::string fraction;  // the digits after the point
    [[nodiscard]] std::string Text() const { return (negative ? "-" : "") + whole + (point ? "." + fraction : ""); }
};

struct Expected {
    std::string reading;
    bool exact;  // the reading is the figures' own value: the style rounded nothing away
};

// What the words of `figures` in `style` read back as. A plain number reads back as
// written. An amount is a count of minor units: the whole part followed by the first
// `digits` digits after the point, zeros where fewer are written, one more when what
// is dropped rounds up; the words name the minor part when a point is written or the
// style writes it in figures. Zero reads back without its sign.
Expected ExpectedReading(const Figures& figures, const Style& style) {
    Expected expected{figures.whole, true};
    if (!style.money) {
        if (figures.point) expected.reading += "." + figures.fraction;
    } else {
        const std::size_t places = style.digits;
        std::string count = (figures.whole + figures.fraction + std::string(places, '0')).substr(0, figures.whole.size() + places);
        const std::string dropped = figures.fraction.size() > places ? figures.fraction.substr(places) : "";
        expected.exact = dropped.find_first_not_of('0') == std::string::npos;
        const bool half = dropped.starts_with('5') && dropped.find_first_not_of('0', 1) == std::string::npos;
        const bool overHalf = !dropped.empty() && dropped[0] >= '5' && !half;
        const bool odd = (count.back() - '0') % 2 == 1;
        if (overHalf || (half && (style.rounding == Rounding::HalfUp || odd))) {
            std::size_t at = count.size();
            while (at > 0 && count[at - 1] == '9') count[--at] = '0';
            if (at == 0) count.insert(0, "1");
            else ++count[at - 1];
        }
        expected.reading = count.substr(0, count.size() - places);
        if (places > 0 && (figures.point || style.minor == MinorForm::Digits)) expected.reading += "." + count.substr(count.size() - places);
    }
    if (figures.negative && expected.reading.find_first_not_of("0.") != std::string::npos) expected.reading.insert(0, "-");
    return expected;
}

// The expectation itself on numbers whose reading is known by hand: minor digits
// padded or rounded, a zero amount without its sign, a carry into the whole part.
TEST(ReaderTest, RoundTripExpectationsMatchHandWorkedReadings) {
    struct Case { const char* style; Figures figures; const char* reading; bool exact; };
    const Case cases[] = {
        {"plain", {true, "0", true, "000"}, "0.000", true},
        {"plain", {true, "12", true, "050"}, "-12.050", true},
        {"money,currency=USD", {false, "12", false, ""}, "12", true},
        {"money,currency=USD", {false, "12", true, "5"}, "12.50", true},
        {"money,currency=KWD", {false, "0", true, "05"}, "0.050", true},
        {"cheque", {false, "7", false, ""}, "7.00", true},
        {"money,currency=JPY,round=half-even", {false, "1", true, "5"}, "2", false},
        {"money,currency=JPY,round=half-even", {false, "2", true, "5"}, "2", false},
        {"money,currency=JPY,round=half-up", {false, "2", true, "5"}, "3", false},
        {"money,currency=USD,round=half-even", {false, "9", true, "995"}, "10.00", false},
        {"money,currency=USD,round=half-even", {false, "1", true, "12500"}, "1.12", false},
        {"money,currency=USD,round=half-even", {false, "1", true, "12501"}, "1.13", false},
        {"money,currency=USD,round=half-even", {true, "0", true, "001"}, "0.00", false},
        {"money,currency=USD,round=half-even", {false, "3", true, "1000"}, "3.10", true},
    };
    for (const Case& c : cases) {
        const Expected expected = ExpectedReading(c.figures, ParseStyle(c.style));
        EXPECT_EQ(expected.reading, c.reading) << c.style << " " << c.figures.Text();
        EXPECT_EQ(expected.exact, c.exact) << c.style << " " << c.figures.Text();
    }
}

// What every style writes reads back as the number written: a million numbers across
// the styles, currencies and options, whole parts of 1 to 30 digits (one in a hundred
// of up to 1,000), fractions of up to 6 digits, and the classic answer on what it
// takes (15 digits on either side). An amount reads back with its minor digits, and
// the words verify against the figures unless the style rounded them.
TEST(ReaderTest, ReadsBackWhatEveryStyleWrites) {
    struct Written { const char* style; bool fractions; bool classic = false; };
    std::vector<Written> styles = {
        {"classic", true, true}, {"plain", true}, {"british", true}, {"indian", true}, {"indian,and=on", true},
        {"plain,hyphens=off,case=upper", true}, {"british,case=title", true}, {"ordinal", false},
        {"ordinal,and=on,case=sentence", false}, {"ordinal,numbering=indian", false}, {"cheque", true},
        {"cheque,currency=INR", true}, {"cheque,currency=INR,case=upper,width=30,fill=*", true},
        {"cheque,width=24,fill=-", true}, {"money,and=on,minor=digits", true}, {"money,first=on,only=on", true},
    };
    std::vector<std::string> descriptions;
    for (const Currency& currency : Currencies()) descriptions.push_back("money,round=half-even,currency=" + std::string(currency.code));
    for (const auto& description : descriptions) styles.push_back({description.c_str(), true});

    std::mt19937_64 random(21);
    const auto digits = [&](std::size_t count, bool leading) {
        std::string text;
        for (std::size_t i = 0; i < count; ++i) text.push_back(static_cast<char>('0' + random() % (i == 0 && leading ? 9 : 10) + (i == 0 && leading ? 1 : 0)));
        return text;
    };
    // A million by default; the sanitizer build sets fewer (ZORV_ROUND_TRIP_NUMBERS).
    const char* const wanted = std::getenv("ZORV_ROUND_TRIP_NUMBERS");
    const std::size_t target = wanted != nullptr ? std::strtoull(wanted, nullptr, 10) : 1'000'000;
    std::size_t read = 0;
    for (const Written& written : styles) {
        const Speller speller(written.style);
        const Style style = ParseStyle(written.style);
        for (const std::size_t until = read + target / styles.size() + 1; read < until;) {
            Figures figures;
            const std::size_t wholeDigits = written.classic ? 1 + random() % 15 : random() % 100 == 0 ? 1 + random() % 1000 : 1 + random() % 30;
            figures.whole = random() % 20 == 0 ? "0" : digits(wholeDigits, true);
            figures.point = written.fractions && random() % 3 == 0;
            if (figures.point) figures.fraction = digits(1 + random() % (written.classic ? 15 : 6), false);
            figures.negative = !written.classic && !style.ordinal && !style.cheque && !style.currencyFirst && random() % 10 == 0;
            const std::string number = figures.Text();
            const auto words = speller.Spell(number);
            if (!words.answered) continue;  // a refusal has no number to read back
            const auto back = speller.Read(words.text);
            ++read;
            const Expected expected = ExpectedReading(figures, style);
            ASSERT_TRUE(back.answered) << written.style << " " << number << ": " << words.text << ": " << back.text;
            ASSERT_EQ(back.text, expected.reading) << written.style << " " << number << ": " << words.text;
            // Where the reading is written otherwise than the figures, the reader still
            // takes it for their value, unless the style rounded the figures.
            if (back.text == number) continue;
            const auto verdict = speller.Verify(number, words.text);
            ASSERT_EQ(verdict.answered, expected.exact) << written.style << " " << number << ": " << words.text << ": " << verdict.text;
        }
    }
    EXPECT_GE(read, target);
}

}  // namespace
}  // namespace zorv::spell

namespace {

// Every public spellout rule set of every locale: random whole numbers (up to 18
// digits, a tenth negative) written by the rules and read back through the library's
// reader, counting the readings that fail. A reading is never a wrong number (the
// reader writes it again to check); ZORV_LOCALE_ROUND_TRIP_NUMBERS sets how many a set.
TEST(LocaleReaderTest, WholeNumbersOfEveryRuleSetReadBack) {
    const char* const wanted = std::getenv("ZORV_LOCALE_ROUND_TRIP_NUMBERS");
    const int numbers = wanted != nullptr ? std::atoi(wanted) : 40;
    // Every locale, or under the sanitizers every `stride`th (ZORV_LOCALE_ROUND_TRIP_STRIDE).
    const char* const strideWanted = std::getenv("ZORV_LOCALE_ROUND_TRIP_STRIDE");
    const std::size_t stride = strideWanted != nullptr ? static_cast<std::size_t>(std::atoi(strideWanted)) : 1;
    std::size_t localeIndex = 0;
    std::mt19937_64 random(2026);
    std::size_t read = 0, failed = 0, wrong = 0;
    std::vector<std::string> failures;
    for (const std::string_view name : zorv::spell::RuleBook::Builtin().Names()) {
        if (name == "en" || name.starts_with("en_")) continue;  // English has a reader of its own
        if (localeIndex++ % stride != 0) continue;
        for (const zorv::spell::RuleSet& set : zorv::spell::RuleBook::Builtin().Find(name)->sets) {
            // The reader's scope: whole numbers as cardinal rule sets write them.
            if (!set.isPublic || !(set.name.starts_with("spellout-numbering") || set.name.starts_with("spellout-cardinal")) ||
                set.name.find("year") != std::string_view::npos) {
                continue;
            }
            const zorv::Speller speller("plain,locale=" + std::string(name) + ",rules=" + std::string(set.name));
            for (int i = 0; i < numbers; ++i) {
                const int digits = 1 + static_cast<int>(random() % 18);
                std::string number = std::to_string(random() % 9 + 1);
                for (int d = 1; d < digits; ++d) number += static_cast<char>('0' + random() % 10);
                if (random() % 10 == 0) number.insert(0, 1, '-');
                const auto words = speller.Spell(number);
                if (!words.answered) continue;
                const auto reading = speller.Read(words.text);
                ++read;
                if (!reading.answered) {
                    ++failed;
                    if (failures.size() < 20) failures.push_back(std::string(name) + " " + std::string(set.name) + " " + number + ": " + words.text);
                } else if (reading.text != number && speller.Spell(reading.text).text != words.text) {
                    // A reading that is another number is wrong unless the rules write
                    // both numbers in the same words.
                    ++wrong;
                    ADD_FAILURE() << name << " " << set.name << " " << number << " read as " << reading.text;
                }
            }
        }
    }
    std::printf("read back %zu numbers: %zu failed, %zu wrong\n", read, failed, wrong);
    for (const std::string& failure : failures) std::printf("  %s\n", failure.c_str());
    EXPECT_EQ(wrong, 0U);
    // Not every reading succeeds yet (numbers the rules write in digits, forms no part
    // learnt covers): a reading that fails says so. 14.6% of all, 23% of the sample
    // the sanitizers take; their share must not grow past 30%.
    EXPECT_LT(static_cast<double>(failed), 0.3 * static_cast<double>(read));
}

}  // namespace
