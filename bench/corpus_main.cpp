// Prints the benchmark corpus, repeated to COUNT lines, for measuring zorv-words in a pipe.
#include <cstdio>
#include <cstdlib>

#include "corpus.h"

int main(int argc, char** argv) {
    const long count = argc > 1 ? std::atol(argv[1]) : 1000000;
    const auto corpus = zorv::bench::MixedCorpus(4096);
    for (long i = 0; i < count; ++i) {
        const auto& line = corpus[static_cast<std::size_t>(i) % corpus.size()];
        std::fwrite(line.data(), 1, line.size(), stdout);
        std::fputc('\n', stdout);
    }
    return 0;
}
