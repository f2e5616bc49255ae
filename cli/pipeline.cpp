#include "pipeline.h"

namespace zorv::cli {

void BatchQueue::Push(std::unique_ptr<Batch> batch) {
    {
        const std::lock_guard lock(mutex_);
        batches_.push_back(std::move(batch));
    }
    ready_.notify_one();
}

std::unique_ptr<Batch> BatchQueue::Pop() {
    std::unique_lock lock(mutex_);
    ready_.wait(lock, [this] { return !batches_.empty() || closed_; });
    if (batches_.empty()) return nullptr;
    auto batch = std::move(batches_.front());
    batches_.pop_front();
    return batch;
}

void BatchQueue::Close() {
    {
        const std::lock_guard lock(mutex_);
        closed_ = true;
    }
    ready_.notify_all();
}

namespace {

// Converts every line of a batch as one input each, in order, and keeps each
// outcome in the batch.
void ConvertBatch(Batch& batch, BatchConverter& converter, bool& anyRefused) {
    const std::u16string_view text = batch.text;
    std::size_t begin = 0;
    for (const std::size_t end : batch.ends) {
        const Outcome outcome = converter.Convert(text.substr(begin, end - begin));
        batch.outcomes.append(outcome.text);
        batch.converted.push_back({batch.outcomes.size(), outcome.answered});
        if (!outcome.answered) anyRefused = true;
        begin = end;
    }
}

// Reports the outcome of every line of a converted batch, in order.
void ReportBatch(const Batch& batch, Reporter& reporter) {
    const std::u16string_view text = batch.text, outcomes = batch.outcomes;
    std::size_t begin = 0, outcomeBegin = 0;
    for (std::size_t i = 0; i < batch.ends.size(); ++i) {
        const auto [outcomeEnd, answered] = batch.converted[i];
        reporter.Report(text.substr(begin, batch.ends[i] - begin),
                        Outcome{answered, outcomes.substr(outcomeBegin, outcomeEnd - outcomeBegin)});
        begin = batch.ends[i];
        outcomeBegin = outcomeEnd;
    }
}

}  // namespace

namespace detail {

Stages::Stages(BatchConverter& converter, Reporter& reporter) {
    for (int i = 0; i < kBatchesInFlight; ++i) empty_.Push(std::make_unique<Batch>());
    threads_.emplace_back([this, &converter] {
        while (auto batch = toConvert_.Pop()) {
            ConvertBatch(*batch, converter, anyRefused_);
            toWrite_.Push(std::move(batch));
        }
        toWrite_.Close();
    });
    threads_.emplace_back([this, &reporter] {
        while (auto batch = toWrite_.Pop()) {
            // Only this thread uses the reporter while the stages run.
            ReportBatch(*batch, reporter);
            if (batch->lastBeforeWait) reporter.Flush();
            batch->Clear();
            empty_.Push(std::move(batch));
        }
    });
}

bool Stages::Finish() {
    toConvert_.Close();
    for (auto& thread : threads_) thread.join();
    threads_.clear();
    return anyRefused_;
}

Stages::~Stages() {
    if (!threads_.empty()) Finish();
}

}  // namespace detail
}  // namespace zorv::cli
