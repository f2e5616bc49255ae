// A small LZ77 packing of the compiled rules, so that the rules of every locale fit
// the web page's module: the rule data repeats its words, rule shapes and whole rule
// sets from locale to locale. No packing library builds for the page's WebAssembly
// without fetching sources, so the format is this one:
//   packed   := "ZRZ1" size sequence*
//   sequence := token [literals+] literal* [offset [matches+]]
// The token's high four bits count the literals, its low four the match's length
// less 4; 15 in either means that a varint with the rest follows. The last sequence
// has literals only; the offset is the varint distance back to the match's start.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace zorv::spell {

inline constexpr std::string_view kPackedMagic = "ZRZ1";

[[nodiscard]] std::string Pack(std::string_view data);

// The most bytes Unpack gives: more than any compiled rules take.
inline constexpr std::size_t kMostUnpacked = std::size_t{1} << 24;

// Throws std::runtime_error for bytes that are not a packing of this kind, or that
// unpack to more than kMostUnpacked.
[[nodiscard]] std::string Unpack(std::string_view packed);

}  // namespace zorv::spell
