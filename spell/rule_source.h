// The rule compiler's first half: a locale's rule text and plural rule text read into a
// tree that says what they mean, every reference resolved and every check made, for
// rule_writer to turn into bytes. Whatever the text gets wrong is refused here.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "rule_compiler.h"
#include "rule_data.h"

namespace zorv::spell {

// A piece of a rule's body: a text, a substitution or a plural.
struct SourcePiece {
    PieceKind kind = PieceKind::Text;
    std::string text;  // Text: the text; Substitution: the rule set or pattern as written
    SubKind sub = SubKind::Less;
    std::uint64_t ruleToUse = 0;  // >>>: the index of the normal rule it formats with
    bool withZeros = false;       // <%set<<: a numerator with its leading zeros
    // What a substitution formats with: its own rule set when neither is set.
    std::optional<std::size_t> set;       // a rule set of the locale, by index
    std::optional<PatternNumbers> pattern;  // a decimal pattern
    PluralType plural = PluralType::Cardinal;
    std::vector<std::pair<PluralCategory, std::string>> forms;
};

struct SourceRule {
    RuleKind kind = RuleKind::Normal;
    std::uint64_t base = 0, radix = 10, exponent = 0;
    char decimalPoint = 0;  // of a fraction rule: '.' or ','; 0 when written without one
    std::vector<SourcePiece> pieces;
};

struct SourceRuleSet {
    std::string name;  // as written, with its leading % (public) or %% (private)
    bool formatsFractions = false;
    std::vector<SourceRule> rules;  // in the order read
};

// One relation of a plural rule: "n % 10 in 3..4,9", "v = 0", "i != 1".
struct SourcePluralRelation {
    PluralOperand operand = PluralOperand::N;
    std::uint64_t modulus = 0;  // 0: none
    bool negated = false;
    std::vector<std::pair<std::uint64_t, std::uint64_t>> ranges;  // low and high, both in
};

// A plural category and when it applies: an OR of ANDs of relations; none: always.
struct SourcePluralCategory {
    PluralCategory category = PluralCategory::Other;
    std::vector<std::vector<SourcePluralRelation>> conditions;
};

// What a LocaleSource says, read: its symbols as given, its plural rules and its rule sets.
struct ParsedLocale {
    std::string name, decimal, grouping, minus, digits;
    std::vector<SourcePluralCategory> cardinal, ordinal;
    std::vector<SourceRuleSet> sets;
};

// Reads a locale's rule sets, then its cardinal and its ordinal plural rules. Throws
// CompileError naming the locale and the rule it cannot read.
[[nodiscard]] ParsedLocale ParseLocale(const LocaleSource& locale);

// Reads CLDR plural rules as PluralRules::getRules() prints them ("one: i = 1 and
// v = 0; other: "), categories in the order given. Throws CompileError starting with
// `where` for text it cannot read.
[[nodiscard]] std::vector<SourcePluralCategory> ParsePluralRules(std::string_view text, std::string_view where);

}  // namespace zorv::spell
