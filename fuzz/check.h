// Check(): stops a fuzz target with the line of the expectation that failed.
#pragma once

#include <cstdio>
#include <cstdlib>

namespace zorv::fuzz {

inline void Check(bool condition, int line = __builtin_LINE()) {
    if (!condition) {
        std::fprintf(stderr, "expectation at line %d failed\n", line);
        std::abort();
    }
}

}  // namespace zorv::fuzz
