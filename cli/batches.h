// Converting zorv-words' lines in batches on two threads. Standard input is cut into
// batches of lines; while the main thread reads a batch and converts it, a second
// thread converts the batch before it, and the main thread then reports both in input
// order. Bought: from a file, 2 times `number -l` where one thread gave 1.8
// (scripts/measure-words.sh, bench/README.md).
#pragma once

#include <pthread.h>
#include <signal.h>

#include <zorv/words.hpp>

#include <condition_variable>
#include <exception>
#include <functional>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <type_traits>
#include <utility>
#include <vector>

namespace zorv::cli {

// Lines read and, once converted, their outcomes: each a batch's own copy, back to
// back. `Outcome` is what a converter answers with, a flag and a view of its text: the
// lines are kept in that text's encoding, UTF-16 (zorv::Outcome, for the classic
// Convert command) or UTF-8 as read (for the library's styles).
template <typename Outcome>
class Batch {
public:
    using Char = typename decltype(Outcome::text)::value_type;
    using Text = std::basic_string<Char>;
    using TextView = std::basic_string_view<Char>;

    // A batch is handed on once it holds this many lines or characters.
    static constexpr std::size_t kLines = 2048, kCharacters = std::size_t{1} << 18;

    // `cut`: the line is longer than the reader holds (kLongestLine), and `line` is
    // its beginning.
    void Add(std::string_view line, bool cut) {
        if constexpr (std::is_same_v<Char, char>) {
            texts_ += line;
        } else {
            AppendUtf8AsText(line, texts_);
        }
        textEnds_.push_back(texts_.size());
        cut_.push_back(cut);
    }
    [[nodiscard]] bool Full() const { return textEnds_.size() >= kLines || texts_.size() >= kCharacters; }
    [[nodiscard]] std::size_t Size() const { return textEnds_.size(); }
    [[nodiscard]] TextView TextOf(std::size_t i) const { return Slice(texts_, textEnds_, i); }

    // Converts every line with `convert(text, cut)`, which answers with an Outcome.
    template <typename Convert>
    void ConvertWith(Convert& convert) {
        outcomes_.clear();
        outcomeEnds_.clear();
        for (std::size_t i = 0; i < Size(); ++i) {
            const Outcome outcome = convert(TextOf(i), cut_[i]);
            outcomes_ += outcome.text;
            outcomeEnds_.push_back(outcomes_.size());
            answered_.push_back(outcome.answered);
        }
    }
    [[nodiscard]] Outcome OutcomeOf(std::size_t i) const { return {answered_[i], Slice(outcomes_, outcomeEnds_, i)}; }

    void Clear() {
        texts_.clear();
        textEnds_.clear();
        cut_.clear();
        outcomes_.clear();
        outcomeEnds_.clear();
        answered_.clear();
    }

private:
    static TextView Slice(const Text& all, const std::vector<std::size_t>& ends, std::size_t i) {
        const std::size_t begin = i == 0 ? 0 : ends[i - 1];
        return TextView(all).substr(begin, ends[i] - begin);
    }

    Text texts_, outcomes_;
    std::vector<std::size_t> textEnds_, outcomeEnds_;
    std::vector<bool> cut_, answered_;
};

// The second thread: converts one batch at a time, handed over by Start and waited
// for by Wait.
template <typename Outcome>
class BatchWorker {
public:
    explicit BatchWorker(std::function<void(Batch<Outcome>&)> convert) : convert_(std::move(convert)), thread_([this] { Loop(); }) {}
    ~BatchWorker() {
        {
            const std::lock_guard lock(mutex_);
            stop_ = true;
        }
        changed_.notify_all();
        thread_.join();
    }
    BatchWorker(const BatchWorker&) = delete;
    BatchWorker& operator=(const BatchWorker&) = delete;

    void Start(Batch<Outcome>& batch) {
        {
            const std::lock_guard lock(mutex_);
            job_ = &batch;
        }
        changed_.notify_all();
    }

    // Waits until the batch handed over is converted; rethrows what stopped it.
    void Wait() {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [this] { return job_ == nullptr; });
        if (error_) std::rethrow_exception(std::exchange(error_, nullptr));
    }

private:
    void Loop() {
        // SIGINT and SIGTERM go to the main thread, whose read they interrupt.
        sigset_t stopSignals;
        sigemptyset(&stopSignals);
        sigaddset(&stopSignals, SIGINT);
        sigaddset(&stopSignals, SIGTERM);
        pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);
        std::unique_lock lock(mutex_);
        for (;;) {
            changed_.wait(lock, [this] { return stop_ || job_ != nullptr; });
            if (stop_) return;
            Batch<Outcome>& job = *job_;
            lock.unlock();
            std::exception_ptr error;
            try {
                convert_(job);
            } catch (...) {
                error = std::current_exception();
            }
            lock.lock();
            error_ = error;
            job_ = nullptr;
            changed_.notify_all();
        }
    }

    std::function<void(Batch<Outcome>&)> convert_;
    std::mutex mutex_;
    std::condition_variable changed_;
    Batch<Outcome>* job_ = nullptr;
    bool stop_ = false;
    std::exception_ptr error_;
    std::thread thread_;  // last: it starts once the members above are ready
};

// The schedule of the two threads: lines are added to batch 0 until it is full, which
// goes to the second thread; batch 1 is then filled and, once full, converted here,
// after which both are reported in input order. ReportAll does that at once for
// whatever has been added, as before a read that may wait. `convertHere` and
// `convertThere` are the two threads' converters (a text and whether it was cut in,
// a Convert::Outcome out); `report(text, outcome)` gets each line in input order.
// What the second thread throws is thrown again here.
template <typename Convert, typename Report>
class BatchSchedule {
public:
    using Outcome = typename Convert::Outcome;

    BatchSchedule(Convert& convertHere, Convert& convertThere, Report report)
        : convertHere_(convertHere), report_(std::move(report)),
          worker_([&convertThere](Batch<Outcome>& batch) { batch.ConvertWith(convertThere); }) {}

    void Add(std::string_view line, bool cut) {
        Batch<Outcome>& batch = batches_[handedOver_ ? 1 : 0];
        batch.Add(line, cut);
        if (!batch.Full()) return;
        if (handedOver_) {
            ReportAll();
        } else {
            worker_.Start(batch);
            handedOver_ = true;
        }
    }

    void ReportAll() {
        if (handedOver_) {
            batches_[1].ConvertWith(convertHere_);
            worker_.Wait();
            handedOver_ = false;
        } else {
            batches_[0].ConvertWith(convertHere_);
        }
        for (auto& batch : batches_) {
            for (std::size_t i = 0; i < batch.Size(); ++i) report_(batch.TextOf(i), batch.OutcomeOf(i));
            batch.Clear();
        }
    }

private:
    Convert& convertHere_;
    Report report_;
    Batch<Outcome> batches_[2];  // before the worker, which may hold one till it ends
    BatchWorker<Outcome> worker_;
    bool handedOver_ = false;  // batch 0 is with the second thread
};

}  // namespace zorv::cli
