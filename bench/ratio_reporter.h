// A console reporter that also keeps each benchmark's time per iteration in
// nanoseconds (the median when runs are repeated), by name ("BM_Spell/2"), so that a
// benchmark program can end with its ratios to the reference measured beside it.
#pragma once

#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <vector>

namespace zorv::bench {

class RatioReporter final : public benchmark::ConsoleReporter {
public:
    std::map<std::string, double> nanoseconds;

    void ReportRuns(const std::vector<Run>& runs) override {
        for (const auto& run : runs) {
            const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
            const bool single = run.run_type == Run::RT_Iteration && run.repetitions <= 1;
            if ((median || single) && run.iterations > 0) {
                const std::string name = run.run_name.function_name + (run.run_name.args.empty() ? "" : "/" + run.run_name.args);
                nanoseconds[name] = run.GetAdjustedRealTime() *
                    (run.time_unit == benchmark::kMicrosecond ? 1e3 : run.time_unit == benchmark::kMillisecond ? 1e6 : 1);
            }
        }
        ConsoleReporter::ReportRuns(runs);
    }
};

}  // namespace zorv::bench
