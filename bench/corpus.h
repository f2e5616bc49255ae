// The fixed mixed corpus the benchmarks convert: whole numbers of 1 to 15 digits,
// a third of them with 1 to 6 digits after the point.
#pragma once

#include <cstddef>
#include <random>
#include <string>
#include <vector>

namespace zorv::bench {

inline std::vector<std::string> MixedCorpus(std::size_t count, unsigned seed = 20261207) {
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> wholeDigits(1, 15), fractionDigits(1, 6), digit(0, 9), nonZero(1, 9);
    std::vector<std::string> corpus;
    corpus.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        std::string text;
        const int whole = wholeDigits(random);
        text.push_back(static_cast<char>('0' + (whole == 1 ? digit(random) : nonZero(random))));
        for (int k = 1; k < whole; ++k) text.push_back(static_cast<char>('0' + digit(random)));
        if (i % 3 == 2) {
            text.push_back('.');
            const int fraction = fractionDigits(random);
            for (int k = 1; k < fraction; ++k) text.push_back(static_cast<char>('0' + digit(random)));
            text.push_back(static_cast<char>('0' + nonZero(random)));  // never all zeros
        }
        corpus.push_back(std::move(text));
    }
    return corpus;
}

}  // namespace zorv::bench
