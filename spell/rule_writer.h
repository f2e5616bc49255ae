// The rule compiler's second half: locales read by rule_source written in the binary
// form of rule_data.h. It checks nothing; what it is given has been read and checked.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "rule_source.h"

namespace zorv::spell {

// The binary form of the locales, in the order given, and of the aliases (a locale
// name and the compiled locale it stands for, or ""). Locales that compile to the same
// bytes share one copy.
[[nodiscard]] std::string WriteRuleData(const std::vector<ParsedLocale>& locales,
                                        const std::vector<std::pair<std::string, std::string>>& aliases);

}  // namespace zorv::spell
