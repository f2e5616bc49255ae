// Reporting for zorv-words: the outcome of each input's conversion written as a plain
// line or as a JSON object.
#pragma once

#include <zorv/words.hpp>

#include <cstdio>
#include <string>
#include <string_view>

namespace zorv::cli {

// Writes outcomes: answers to `out` (the words exactly, one line each) and messages
// to `err` as "zorv-words: <input>: <message>"; or, in JSON mode, one object per
// input to `out`: {"input": ..., "words": ...} or {"input": ..., "message": ...}.
// Lines for `out` are collected and handed over in blocks of kBlock bytes: through a
// pipe, zorv-words took two thirds of the time it took handing stdio one line at a
// time (scripts/measure-words.sh, bench/README.md). A message is written at once,
// after the answers before it, so that both streams keep the order of the inputs.
class Reporter {
public:
    Reporter(std::FILE* out, std::FILE* err, bool json) : out_(out), err_(err), json_(json) {}
    Reporter(const Reporter&) = delete;
    Reporter& operator=(const Reporter&) = delete;
    ~Reporter() { Flush(); }

    void Report(std::u16string_view input, const Outcome& outcome);

    // Writes out every line collected so far and flushes `out`.
    void Flush();

private:
    static constexpr std::size_t kBlock = std::size_t{1} << 16;

    std::FILE* out_;
    std::FILE* err_;
    bool json_;
    std::string pending_;  // lines for out_
    std::string message_;  // the line for err_
};

}  // namespace zorv::cli
