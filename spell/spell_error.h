// The one error of spelling and reading a number: what the message says is wrong with
// the number (or with rules that cannot spell it), for the caller to show as it is.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace zorv::spell {

class SpellError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A part of a text as a message shows it: printable ASCII as it is, any other byte as
// \xHH, so that no byte of it acts on a terminal and the message stays UTF-8.
[[nodiscard]] std::string Shown(std::string_view part);

}  // namespace zorv::spell
