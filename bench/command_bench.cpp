// Conversions per second of the Convert command on the mixed corpus, beside ICU's
// spellout on the same numbers; and how long texts as large as a paste are answered.
#include <benchmark/benchmark.h>

#include <unicode/locid.h>
#include <unicode/rbnf.h>
#include <unicode/unistr.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "convert_command.h"
#include "corpus.h"
#include "ratio_reporter.h"

namespace {

using zorv::command::ConvertCommand;

// The Convert command is to take at most a third of ICU's time on the same numbers.
constexpr double kIcuFloor = 3.0;

class BenchView final : public zorv::command::ConvertView {
public:
    std::u16string_view input;
    std::u16string_view last;
    std::u16string_view ReadInput() override { return input; }
    void SetOutput(std::u16string_view words) override { last = words; }
    void ShowMessage(std::u16string_view prompt, std::u16string_view) override { last = prompt; }
};

std::vector<std::u16string> WideCorpus() {
    std::vector<std::u16string> wide;
    for (const auto& text : zorv::bench::MixedCorpus(4096)) wide.emplace_back(text.begin(), text.end());
    return wide;
}

void BM_ConvertCommand(benchmark::State& state) {
    const auto corpus = WideCorpus();
    BenchView view;
    ConvertCommand command(view);
    std::size_t i = 0;
    for (auto _ : state) {
        view.input = corpus[i++ & 4095];
        command.Convert();
        benchmark::DoNotOptimize(view.last.data());
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ConvertCommand);

void BM_IcuSpellout(benchmark::State& state) {
    std::vector<double> values;
    for (const auto& text : zorv::bench::MixedCorpus(4096)) values.push_back(std::strtod(text.c_str(), nullptr));
    UErrorCode status = U_ZERO_ERROR;
    icu::RuleBasedNumberFormat format(icu::URBNF_SPELLOUT, icu::Locale::getUS(), status);
    if (U_FAILURE(status)) {
        state.SkipWithError("ICU spellout rules are not available");
        return;
    }
    icu::UnicodeString words;
    std::size_t i = 0;
    for (auto _ : state) {
        words.remove();
        format.format(values[i++ & 4095], words);
        benchmark::DoNotOptimize(words.getBuffer());
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_IcuSpellout);

// Texts as large as a user can paste: each must be answered promptly, in time and
// memory in proportion to its length.
void BM_PastedText(benchmark::State& state, std::u16string text) {
    BenchView view;
    ConvertCommand command(view);
    view.input = text;
    for (auto _ : state) {
        command.Convert();
        benchmark::DoNotOptimize(view.last.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size() * sizeof(char16_t)));
}
constexpr std::size_t kMiB = 1 << 20;
BENCHMARK_CAPTURE(BM_PastedText, zeros_after_point_32767, u"1." + std::u16string(32764, u'0') + u"1")
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_PastedText, digits_32767, std::u16string(32767, u'9'))->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_PastedText, digits_1MiB, std::u16string(kMiB, u'9'))->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_PastedText, slashes_1MiB, std::u16string(kMiB, u'/'))->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_PastedText, zeros_after_point_1MiB, u"1." + std::u16string(kMiB, u'0'))
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_PastedText, spaces_1MiB, u"5" + std::u16string(kMiB, u' '))->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    zorv::bench::RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const auto ours = reporter.nanoseconds.find("BM_ConvertCommand");
    const auto icu = reporter.nanoseconds.find("BM_IcuSpellout");
    if (ours != reporter.nanoseconds.end() && icu != reporter.nanoseconds.end()) {
        const double ratio = icu->second / ours->second;
        std::printf("\nConvert command: %.1f ns per conversion; ICU spellout: %.1f ns; ICU takes %.2f times as long "
                    "(floor: %.0f times, %s)\n",
                    ours->second, icu->second, ratio, kIcuFloor, ratio >= kIcuFloor ? "met" : "NOT met");
    }
    benchmark::Shutdown();
    return 0;
}
