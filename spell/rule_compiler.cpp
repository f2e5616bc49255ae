#include "rule_compiler.h"

#include "rule_source.h"
#include "rule_writer.h"

namespace zorv::spell {

std::string CompileRules(const std::vector<LocaleSource>& locales,
                         const std::vector<std::pair<std::string, std::string>>& aliases) {
    std::vector<ParsedLocale> parsed;
    parsed.reserve(locales.size());
    for (const LocaleSource& locale : locales) parsed.push_back(ParseLocale(locale));
    return WriteRuleData(parsed, aliases);
}

}  // namespace zorv::spell
