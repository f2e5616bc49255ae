// Unsigned LEB128 varints: the numbers of the compiled rules and of their packing.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace zorv::spell {

inline void AppendVarint(std::string& out, std::uint64_t value) {
    do {
        std::uint8_t byte = value & 0x7F;
        value >>= 7;
        if (value != 0) byte |= 0x80;
        out.push_back(static_cast<char>(byte));
    } while (value != 0);
}

// Reads the varint at `at` and moves past it; throws std::runtime_error at the end of
// the data or for more than 64 bits.
inline std::uint64_t ReadVarint(std::string_view data, std::size_t& at) {
    std::uint64_t value = 0;
    for (int shift = 0;; shift += 7) {
        if (at >= data.size() || shift > 63) throw std::runtime_error("compiled rules: truncated");
        const auto byte = static_cast<std::uint8_t>(data[at++]);
        value |= static_cast<std::uint64_t>(byte & 0x7F) << shift;
        if ((byte & 0x80) == 0) return value;
    }
}

}  // namespace zorv::spell
