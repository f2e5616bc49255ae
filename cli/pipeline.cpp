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

// Converts every line of a batch as one input each, in order, and takes the
// reporter's output for them into the batch.
void ConvertBatch(Batch& batch, BatchConverter& converter, Reporter& reporter, bool& anyRefused) {
    const std::u16string_view text = batch.text;
    std::size_t begin = 0;
    for (const std::size_t end : batch.ends) {
        if (!ConvertAndReport(converter, reporter, text.substr(begin, end - begin))) anyRefused = true;
        begin = end;
    }
    reporter.TakeOutput(batch.output);
}

}  // namespace

namespace detail {

Stages::Stages(std::FILE* out, BatchConverter& converter, Reporter& reporter) {
    for (int i = 0; i < kBatchesInFlight; ++i) empty_.Push(std::make_unique<Batch>());
    threads_.emplace_back([this, &converter, &reporter] {
        while (auto batch = toConvert_.Pop()) {
            ConvertBatch(*batch, converter, reporter, anyRefused_);
            toWrite_.Push(std::move(batch));
        }
        toWrite_.Close();
    });
    threads_.emplace_back([this, out] {
        while (auto batch = toWrite_.Pop()) {
            // Only this thread writes to `out` while the stages run.
            fwrite_unlocked(batch->output.data(), 1, batch->output.size(), out);
            if (batch->lastBeforeWait) fflush_unlocked(out);
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
