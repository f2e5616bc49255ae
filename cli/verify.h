// zorv-words --verify: lines of figures and words, each checked that the words name
// exactly the figures.
#pragma once

#include <zorv/words.hpp>

#include <cstdio>

namespace zorv::cli {

// Reads lines "FIGURES<TAB>WORDS" from standard input and checks each with `speller`.
// A line whose words agree writes nothing (in JSON mode, an object with "agrees":
// true and the number read); one that disagrees, or cannot be read, writes
// "zorv-words: line N: WHAT" to `err` (in JSON mode, an object with "agrees": false
// and the message, to `out`). A line longer than Speller::kLongestText is refused as
// too long. Verdicts leave in blocks as they are made, so memory stays flat however
// long the input. Returns 0 when every line agrees, 1 when any does not, -1 when the
// input could not be read to its end (a read error or a signal; the verdicts of the
// lines read are written). Throws WriteError when a write fails.
int VerifyLines(const Speller& speller, bool json, std::FILE* out, std::FILE* err);

}  // namespace zorv::cli
