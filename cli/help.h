// zorv-words --help: what the program does, its options, and the presets and options of a
// style description from the library's own table, in lines of at most 80 columns.
#pragma once

#include <string>

namespace zorv::cli {

// The text --help prints.
[[nodiscard]] std::string HelpText();

}  // namespace zorv::cli
