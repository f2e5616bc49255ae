// The two-thread schedule of zorv-words' standard input on its own: every line added is
// reported once, in order, with the outcome of its own text, however the batches fill
// and whenever everything is asked for; the second thread does its share; what it
// throws reaches the caller.
#include <gtest/gtest.h>

#include <mutex>
#include <set>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "batches.h"
#include "report.h"

namespace {

using zorv::Outcome;
using Batch = zorv::cli::Batch<zorv::Outcome>;
using zorv::cli::BatchSchedule;

// Answers a text with itself and "!" (refusing one that begins with "x"), noting the
// thread it ran on; throws for "throw".
struct FakeConverter {
    using Outcome = zorv::Outcome;
    Outcome operator()(std::u16string_view text, bool cut) {
        if (text == u"throw") throw std::runtime_error("thrown on a converter's thread");
        {
            const std::lock_guard lock(*mutex);
            threads->insert(std::this_thread::get_id());
        }
        answer = std::u16string(text) + (cut ? u"(cut)" : u"!");
        return {!text.starts_with(u"x"), answer};
    }
    std::mutex* mutex;
    std::set<std::thread::id>* threads;
    std::u16string answer;
};

struct Reported {
    std::u16string text, outcome;
    bool answered;
};

TEST(BatchScheduleTest, EveryLineIsReportedOnceInOrderWithItsOwnOutcome) {
    std::mutex mutex;
    std::set<std::thread::id> threads;
    FakeConverter here{&mutex, &threads, {}}, there{&mutex, &threads, {}};
    std::vector<Reported> reported;
    BatchSchedule schedule(here, there, [&](std::u16string_view text, const Outcome& outcome) {
        reported.push_back({std::u16string(text), std::u16string(outcome.text), outcome.answered});
    });

    // More than four full batches, everything asked for at uneven points between, as
    // reads that may wait come.
    constexpr std::size_t kLines = 4 * Batch::kLines + 777;
    std::vector<std::string> lines;
    for (std::size_t i = 0; i < kLines; ++i) {
        lines.push_back(std::to_string(i));
        if (i % 5 == 0) lines.back().insert(0, 1, 'x');
        schedule.Add(lines.back(), i == 3);
        if (i % 3001 == 1000) schedule.ReportAll();
    }
    schedule.ReportAll();
    schedule.ReportAll();  // with nothing pending, reports nothing

    ASSERT_EQ(reported.size(), kLines);
    for (std::size_t i = 0; i < kLines; ++i) {
        const std::u16string text(lines[i].begin(), lines[i].end());
        EXPECT_EQ(reported[i].text, text) << i;
        EXPECT_EQ(reported[i].outcome, text + (i == 3 ? u"(cut)" : u"!")) << i;
        EXPECT_EQ(reported[i].answered, i % 5 != 0) << i;
    }
    EXPECT_EQ(threads.size(), 2U) << "both threads convert";
}

TEST(BatchScheduleTest, WhatTheSecondThreadThrowsReachesTheCaller) {
    std::mutex mutex;
    std::set<std::thread::id> threads;
    FakeConverter here{&mutex, &threads, {}}, there{&mutex, &threads, {}};
    std::size_t reported = 0;
    BatchSchedule schedule(here, there, [&](std::u16string_view, const Outcome&) { ++reported; });
    schedule.Add("throw", false);  // first in batch 0, which goes to the second thread
    for (std::size_t i = 1; i < Batch::kLines; ++i) schedule.Add("5", false);
    EXPECT_THROW(schedule.ReportAll(), std::runtime_error);
}

// A converter of UTF-8 lines, as the styles' path has: answers with the text's length.
struct ByteConverter {
    using Outcome = zorv::cli::Utf8Outcome;
    Outcome operator()(std::string_view text, bool) {
        answer = std::to_string(text.size());
        return {true, answer};
    }
    std::string answer;
};

TEST(BatchScheduleTest, Utf8LinesReachTheConverterByteForByte) {
    // Bytes that are no UTF-8 would become U+FFFD in UTF-16; a UTF-8 batch keeps them.
    const std::string lines[] = {"12", "caf\xC3\xA9", "\xFF\xFE" "5", std::string("a\0b", 3), ""};
    ByteConverter here, there;
    std::vector<std::pair<std::string, std::string>> reported;
    BatchSchedule schedule(here, there, [&](std::string_view text, const zorv::cli::Utf8Outcome& outcome) {
        reported.emplace_back(text, outcome.text);
    });
    for (const std::string& line : lines) schedule.Add(line, false);
    schedule.ReportAll();
    ASSERT_EQ(reported.size(), std::size(lines));
    for (std::size_t i = 0; i < std::size(lines); ++i) {
        EXPECT_EQ(reported[i].first, lines[i]) << i;
        EXPECT_EQ(reported[i].second, std::to_string(lines[i].size())) << i;
    }
}

}  // namespace
