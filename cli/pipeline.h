// Standard input of zorv-words on three threads: the calling thread reads and
// decodes lines, one thread runs the Convert command on each of them in order (on the
// one engine object), and one formats the outcomes and writes them out. Each stage
// works on a batch of lines while the next stage works on the batch before, so
// reading, converting and writing overlap instead of taking turns. The converting
// thread, the slowest, only converts: it copies each outcome's text as it stands.
#pragma once

#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "batch.h"

namespace zorv::cli {

// Lines on their way through the stages: decoded, then converted.
struct Batch {
    // Where one line's outcome ends in `outcomes`, and whether it is an answer.
    struct Converted {
        std::size_t end;
        bool answered;
    };

    std::u16string text;               // the lines, one after another
    std::vector<std::size_t> ends;     // where each line ends in `text`
    std::u16string outcomes;           // the words or the message of each line, one after another
    std::vector<Converted> converted;  // one for each line, once converted
    bool lastBeforeWait = false;       // no more input was at hand after these lines

    void Clear() {
        text.clear();
        ends.clear();
        outcomes.clear();
        converted.clear();
        lastBeforeWait = false;
    }
};

// Hands batches from one thread to another, in order.
class BatchQueue {
public:
    void Push(std::unique_ptr<Batch> batch);
    // The next batch; waits for one. Null once the queue is closed and empty.
    std::unique_ptr<Batch> Pop();
    void Close();

private:
    std::mutex mutex_;
    std::condition_variable ready_;
    std::deque<std::unique_ptr<Batch>> batches_;
    bool closed_ = false;
};

// Runs the stages: lines come from ForEachLine over `read`, and `reporter` writes
// their outcomes, on the writing thread; its stream is flushed whenever the input
// pauses. Sets `anyRefused` when any input got a message. Returns false on a read
// error. A few batches are in flight at a time, so memory stays bounded whatever the
// length of the input.
template <typename Read>
bool ConvertLines(Read&& read, BatchConverter& converter, Reporter& reporter, bool& anyRefused);

// --- Implementation ----------------------------------------------------------

namespace detail {

// Lines per batch, and characters after which a batch is passed on early.
inline constexpr std::size_t kBatchLines = 4096;
inline constexpr std::size_t kBatchChars = std::size_t{1} << 16;
inline constexpr int kBatchesInFlight = 4;

// The converting and writing threads; joined by Finish().
class Stages {
public:
    Stages(BatchConverter& converter, Reporter& reporter);
    Stages(const Stages&) = delete;
    Stages& operator=(const Stages&) = delete;
    ~Stages();

    std::unique_ptr<Batch> TakeEmpty() { return empty_.Pop(); }
    void Convert(std::unique_ptr<Batch> batch) { toConvert_.Push(std::move(batch)); }
    // Waits until every batch is converted and written; returns anyRefused.
    bool Finish();

private:
    BatchQueue empty_, toConvert_, toWrite_;
    bool anyRefused_ = false;
    std::vector<std::thread> threads_;
};

}  // namespace detail

template <typename Read>
bool ConvertLines(Read&& read, BatchConverter& converter, Reporter& reporter, bool& anyRefused) {
    LineDecoder decoder;
    detail::Stages stages(converter, reporter);
    std::unique_ptr<Batch> batch = stages.TakeEmpty();
    const auto passOn = [&] {
        stages.Convert(std::move(batch));
        batch = stages.TakeEmpty();
    };
    // Lines already read are passed on, and their answers flushed, before the next
    // read may wait for more: an answer never waits for input that has not been
    // written yet, so a program can hold a conversation with zorv-words over pipes.
    const auto readMore = [&](char* buffer, std::size_t size) {
        if (!batch->ends.empty()) {
            batch->lastBeforeWait = true;
            passOn();
        }
        return read(buffer, size);
    };
    const bool readOk = ForEachLine(readMore, [&](std::string_view line) {
        batch->text.append(decoder.Decode(line));
        batch->ends.push_back(batch->text.size());
        if (batch->ends.size() >= detail::kBatchLines || batch->text.size() >= detail::kBatchChars) passOn();
    });
    if (!batch->ends.empty()) stages.Convert(std::move(batch));
    anyRefused = stages.Finish();
    return readOk;
}

}  // namespace zorv::cli
