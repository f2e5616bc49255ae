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

#include <string>
#include <string_view>

namespace zorv::spell {

inline constexpr std::string_view kPackedMagic = "ZRZ1";

[[nodiscard]] std::string Pack(std::string_view data);

// Throws std::runtime_error for bytes that are not a packing of this kind.
[[nodiscard]] std::string Unpack(std::string_view packed);

}  // namespace zorv::spell
