// The rule interpreter beside ICU's RuleBasedNumberFormat, on the mixed corpus in
// English (the document rules), German, Russian and Hindi (ICU's spellout-numbering),
// the same numbers, one run; and the document style "plain" as a caller gets it, the
// text read and checked in the timing, beside ICU's English; and money in four
// languages beside their plain style and ICU's words of the whole part alone.
#include <benchmark/benchmark.h>

#include <unicode/locid.h>
#include <unicode/rbnf.h>
#include <unicode/unistr.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "corpus.h"
#include "ratio_reporter.h"
#include "interpreter.h"
#include "style.h"
#include "wording.h"

namespace {

// The interpreter is to take at most a third of ICU's time on the same numbers.
constexpr double kIcuFloor = 3.0;
constexpr const char* kLocales[] = {"en", "de", "ru", "hi"};

void BM_Spell(benchmark::State& state) {
    const auto corpus = zorv::bench::MixedCorpus(4096);
    const auto style = zorv::spell::ParseStyle(std::string("plain,locale=") + kLocales[state.range(0)]);
    std::string words;  // kept from number to number, as ICU's below
    std::size_t i = 0;
    for (auto _ : state) {
        words.clear();
        zorv::spell::SpellInto(*style.locale, *style.rules, corpus[i++ & 4095], words);
        benchmark::DoNotOptimize(words.data());
    }
    state.SetLabel(kLocales[state.range(0)]);
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_Spell)->DenseRange(0, 3);

void BM_PlainStyle(benchmark::State& state) {
    const auto corpus = zorv::bench::MixedCorpus(4096);
    const auto style = zorv::spell::ParseStyle("plain");
    std::string words;
    std::size_t i = 0;
    for (auto _ : state) {
        words.clear();
        zorv::spell::SpellInStyleInto(style, corpus[i++ & 4095], words);
        benchmark::DoNotOptimize(words.data());
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_PlainStyle);

// ICU formats a double; each number is converted once, before the timing.
void BM_IcuRuleBasedFormat(benchmark::State& state) {
    std::vector<double> values;
    for (const auto& text : zorv::bench::MixedCorpus(4096)) values.push_back(std::strtod(text.c_str(), nullptr));
    UErrorCode status = U_ZERO_ERROR;
    icu::RuleBasedNumberFormat format(icu::URBNF_SPELLOUT, icu::Locale(kLocales[state.range(0)]), status);
    const icu::UnicodeString rules = icu::UnicodeString::fromUTF8("%spellout-numbering");
    icu::UnicodeString words;
    icu::FieldPosition position;
    std::size_t i = 0;
    for (auto _ : state) {
        words.remove();
        format.format(values[i++ & 4095], rules, words, position, status);
        benchmark::DoNotOptimize(words.getBuffer());
    }
    state.SetLabel(kLocales[state.range(0)]);
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_IcuRuleBasedFormat)->DenseRange(0, 3);

// Money: amounts as invoices carry them (the corpus's whole parts, two minor digits on
// two in three), worded in a language's money style, beside the same amounts in its
// plain style and ICU's spellout of their whole parts alone (ICU words no money).
constexpr const char* kMoneyLocales[] = {"ru", "de", "es", "zh"};
// Money is to take at most this many times the plain style's time on the same amounts.
constexpr double kMoneyCeiling = 1.5;

const std::vector<std::string>& Amounts() {
    static const std::vector<std::string> amounts = [] {
        std::vector<std::string> all;
        std::size_t i = 0;
        for (const auto& text : zorv::bench::MixedCorpus(4096)) {
            std::string amount = text.substr(0, text.find('.'));
            if (i++ % 3 != 0) amount += "." + std::to_string(10 + i % 90);
            all.push_back(amount);
        }
        return all;
    }();
    return amounts;
}

void SpellAmounts(benchmark::State& state, const std::string& description) {
    zorv::spell::Style style;
    try {
        style = zorv::spell::ParseStyle(description);
    } catch (const std::exception& error) {
        state.SkipWithError(error.what());
        return;
    }
    const auto& amounts = Amounts();
    std::string words;
    std::size_t i = 0;
    for (auto _ : state) {
        words.clear();
        zorv::spell::SpellInStyleInto(style, amounts[i++ & 4095], words);
        benchmark::DoNotOptimize(words.data());
    }
    state.SetLabel(kMoneyLocales[state.range(0)]);
    state.SetItemsProcessed(state.iterations());
}

void BM_Money(benchmark::State& state) { SpellAmounts(state, std::string("money,locale=") + kMoneyLocales[state.range(0)]); }
BENCHMARK(BM_Money)->DenseRange(0, 3);

void BM_PlainAmounts(benchmark::State& state) { SpellAmounts(state, std::string("plain,locale=") + kMoneyLocales[state.range(0)]); }
BENCHMARK(BM_PlainAmounts)->DenseRange(0, 3);

void BM_IcuWholeAmounts(benchmark::State& state) {
    std::vector<double> values;
    for (const auto& amount : Amounts()) values.push_back(std::floor(std::strtod(amount.c_str(), nullptr)));
    UErrorCode status = U_ZERO_ERROR;
    icu::RuleBasedNumberFormat format(icu::URBNF_SPELLOUT, icu::Locale(kMoneyLocales[state.range(0)]), status);
    icu::UnicodeString words;
    icu::FieldPosition position;
    std::size_t i = 0;
    for (auto _ : state) {
        words.remove();
        format.format(values[i++ & 4095], words, position, status);
        benchmark::DoNotOptimize(words.getBuffer());
    }
    state.SetLabel(kMoneyLocales[state.range(0)]);
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_IcuWholeAmounts)->DenseRange(0, 3);

void PrintMoneyRatios(const zorv::bench::RatioReporter& reporter) {
    for (int i = 0; i < 4; ++i) {
        const auto money = reporter.nanoseconds.find("BM_Money/" + std::to_string(i));
        const auto plain = reporter.nanoseconds.find("BM_PlainAmounts/" + std::to_string(i));
        const auto icu = reporter.nanoseconds.find("BM_IcuWholeAmounts/" + std::to_string(i));
        if (money == reporter.nanoseconds.end() || plain == reporter.nanoseconds.end() || icu == reporter.nanoseconds.end()) continue;
        const double toPlain = money->second / plain->second, fromIcu = icu->second / money->second;
        std::printf("money %s: %.0f ns, plain %.0f ns: %.2f times plain's time (ceiling %.1f, %s); ICU's whole part alone %.0f ns: "
                    "ICU takes %.2f times as long (floor %.0f, %s)\n",
                    kMoneyLocales[i], money->second, plain->second, toPlain, kMoneyCeiling, toPlain <= kMoneyCeiling ? "met" : "NOT met",
                    icu->second, fromIcu, kIcuFloor, fromIcu >= kIcuFloor ? "met" : "NOT met");
    }
}

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    zorv::bench::RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::printf("\n");
    for (int i = 0; i < 4; ++i) {
        const auto ours = reporter.nanoseconds.find("BM_Spell/" + std::to_string(i));
        const auto icu = reporter.nanoseconds.find("BM_IcuRuleBasedFormat/" + std::to_string(i));
        if (ours == reporter.nanoseconds.end() || icu == reporter.nanoseconds.end()) continue;
        const double ratio = icu->second / ours->second;
        std::printf("%s: rule interpreter %.0f ns, ICU %.0f ns: ICU takes %.2f times as long (floor %.0f, %s)\n", kLocales[i],
                    ours->second, icu->second, ratio, kIcuFloor, ratio >= kIcuFloor ? "met" : "NOT met");
    }
    const auto plain = reporter.nanoseconds.find("BM_PlainStyle");
    const auto english = reporter.nanoseconds.find("BM_IcuRuleBasedFormat/0");
    if (plain != reporter.nanoseconds.end() && english != reporter.nanoseconds.end()) {
        const double ratio = english->second / plain->second;
        std::printf("style plain: %.0f ns, ICU en %.0f ns: ICU takes %.2f times as long (floor %.0f, %s)\n", plain->second,
                    english->second, ratio, kIcuFloor, ratio >= kIcuFloor ? "met" : "NOT met");
    }
    PrintMoneyRatios(reporter);
    benchmark::Shutdown();
    return 0;
}
