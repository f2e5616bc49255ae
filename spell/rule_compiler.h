// The rule compiler: rule sets written in the rule language of ICU's rule-based number
// format (as ICU's data holds them, one rule a line) and CLDR plural rules (as
// PluralRules::getRules() prints them), turned into the binary form
// of rule_data.h. It runs at build time, in the rule generator, and in tests that
// make small rule sets of their own; nothing reads rule text at run time. The text is
// read by rule_source and the bytes written by rule_writer.
#pragma once

#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace zorv::spell {

struct LocaleSource {
    std::string name;            // an ICU locale ID: "en", "de_CH", "sr_Latn"
    std::string rules;           // "%set:\nbase: text;\n...", brackets and all
    std::string decimal = ".";   // the locale's decimal separator, which picks x.x or x,x
    std::string grouping = ",";  // its grouping separator
    std::string minus = "-";     // its minus sign
    std::string digits = "0123456789";  // its ten digits, in order
    std::string cardinalPlurals;  // "one: i in 1..1 and v in 0..0; other: "
    std::string ordinalPlurals;
};

class CompileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Compiles the locales, in the order given, and the aliases (a locale name and the
// compiled locale it stands for). Throws CompileError naming the locale and the rule
// it cannot read.
[[nodiscard]] std::string CompileRules(const std::vector<LocaleSource>& locales,
                                       const std::vector<std::pair<std::string, std::string>>& aliases = {});

}  // namespace zorv::spell
