#include "packing.h"

#include <cstdint>
#include <cstring>
#include <stdexcept>
#include <vector>

#include "varint.h"

namespace zorv::spell {
namespace {

constexpr std::size_t kMinMatch = 4;

void PutSequence(std::string& out, std::string_view literals, std::size_t offset, std::size_t length) {
    const std::size_t extra = length == 0 ? 0 : length - kMinMatch;
    out.push_back(static_cast<char>(std::min<std::size_t>(literals.size(), 15) << 4 | std::min<std::size_t>(extra, 15)));
    if (literals.size() >= 15) AppendVarint(out, literals.size() - 15);
    out += literals;
    if (length == 0) return;
    AppendVarint(out, offset);
    if (extra >= 15) AppendVarint(out, extra - 15);
}

}  // namespace

std::string Pack(std::string_view data) {
    std::string out(kPackedMagic);
    AppendVarint(out, data.size());
    // Greedy: at each position the longest match among the last few positions with
    // the same first four bytes.
    constexpr std::size_t kBuckets = 1 << 16, kChain = 32;
    std::vector<std::vector<std::uint32_t>> seen(kBuckets);
    const auto hash = [&](std::size_t at) {
        std::uint32_t four = 0;
        std::memcpy(&four, data.data() + at, 4);
        return (four * 2654435761u) >> 16;
    };
    std::size_t literalStart = 0, at = 0;
    while (at + kMinMatch <= data.size()) {
        auto& bucket = seen[hash(at)];
        std::size_t best = 0, bestFrom = 0;
        for (std::size_t i = bucket.size(); i-- > 0 && bucket.size() - i <= kChain;) {
            const std::size_t from = bucket[i];
            std::size_t length = 0;
            while (at + length < data.size() && data[from + length] == data[at + length]) ++length;
            if (length > best) {
                best = length;
                bestFrom = from;
            }
        }
        bucket.push_back(static_cast<std::uint32_t>(at));
        if (best < kMinMatch) {
            ++at;
            continue;
        }
        PutSequence(out, data.substr(literalStart, at - literalStart), at - bestFrom, best);
        for (std::size_t i = at + 1; i < at + best && i + kMinMatch <= data.size(); ++i) seen[hash(i)].push_back(static_cast<std::uint32_t>(i));
        at += best;
        literalStart = at;
    }
    PutSequence(out, data.substr(literalStart), 0, 0);
    return out;
}

std::string Unpack(std::string_view packed) {
    if (!packed.starts_with(kPackedMagic)) throw std::runtime_error("packed rules: not of this form");
    std::size_t at = kPackedMagic.size();
    const std::uint64_t size = ReadVarint(packed, at);
    // The rules of every locale unpack to a quarter of a megabyte: far more is no
    // packing of rules, and is refused before memory is taken for it.
    if (size > kMostUnpacked) throw std::runtime_error("packed rules: too large");
    std::string out;
    out.reserve(size);
    while (at < packed.size()) {
        const auto token = static_cast<std::uint8_t>(packed[at++]);
        std::uint64_t literals = token >> 4;
        if (literals == 15) literals += ReadVarint(packed, at);
        if (literals > packed.size() - at) throw std::runtime_error("packed rules: truncated");
        out.append(packed.substr(at, literals));
        at += literals;
        if (at == packed.size()) break;
        const std::uint64_t offset = ReadVarint(packed, at);
        std::uint64_t length = (token & 0x0F);
        if (length == 15) length += ReadVarint(packed, at);
        length += kMinMatch;
        if (offset == 0 || offset > out.size() || out.size() + length > size) throw std::runtime_error("packed rules: bad match");
        for (std::uint64_t i = 0; i < length; ++i) out.push_back(out[out.size() - offset]);  // may overlap itself
    }
    if (out.size() != size) throw std::runtime_error("packed rules: wrong size");
    return out;
}

}  // namespace zorv::spell
