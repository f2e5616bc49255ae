#include "rule_source.h"

#include <algorithm>
#include <charconv>
#include <functional>
#include <map>

namespace zorv::spell {
namespace {

[[noreturn]] void Fail(std::string_view where, std::string_view what) {
    throw CompileError(std::string(where) + ": " + std::string(what));
}

std::uint64_t ParseNumber(std::string_view text, std::string_view where) {
    std::uint64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) Fail(where, "not a number: " + std::string(text));
    return value;
}

PluralCategory CategoryOf(std::string_view name, std::string_view where) {
    for (std::size_t i = 0; i < std::size(kPluralCategoryNames); ++i) {
        if (kPluralCategoryNames[i] == name) return static_cast<PluralCategory>(i);
    }
    Fail(where, "no plural category " + std::string(name));
}

// A decimal pattern this converter writes: digits "#" and "0", grouped by commas, and
// optionally a point and more "#" and "0".
PatternNumbers ParsePattern(std::string_view pattern, std::string_view where) {
    const auto point = pattern.find('.');
    const std::string_view integer = pattern.substr(0, point);
    const std::string_view fraction = point == std::string_view::npos ? std::string_view() : pattern.substr(point + 1);
    if (integer.find_first_not_of("#,0") != std::string_view::npos || fraction.find_first_not_of("#0") != std::string_view::npos) {
        Fail(where, "a decimal pattern this converter does not write: " + std::string(pattern));
    }
    if (integer.ends_with(',') || integer.find(",,") != std::string_view::npos) {
        Fail(where, "a decimal pattern with an empty group: " + std::string(pattern));
    }
    PatternNumbers numbers;
    const auto lastComma = integer.rfind(',');
    if (lastComma != std::string_view::npos) {
        numbers.group = integer.size() - lastComma - 1;
        const auto before = integer.rfind(',', lastComma - 1);
        numbers.secondaryGroup = before == std::string_view::npos ? numbers.group : lastComma - before - 1;
    }
    numbers.minInteger = static_cast<std::uint64_t>(std::count(integer.begin(), integer.end(), '0'));
    numbers.minFraction = static_cast<std::uint64_t>(std::count(fraction.begin(), fraction.end(), '0'));
    numbers.maxFraction = fraction.size();
    if (std::max({numbers.minInteger, numbers.maxFraction, numbers.group, numbers.secondaryGroup}) > kMostPatternDigits) {
        Fail(where, "a decimal pattern of more than " + std::to_string(kMostPatternDigits) + " digits: " + std::string(pattern));
    }
    return numbers;
}

// "cardinal,one{day}other{days}"
SourcePiece ParsePlural(std::string_view body, std::string_view where) {
    SourcePiece piece;
    piece.kind = PieceKind::Plural;
    const auto comma = body.find(',');
    if (comma == std::string_view::npos) Fail(where, "a plural without forms");
    const auto type = body.substr(0, comma);
    if (type == "cardinal") piece.plural = PluralType::Cardinal;
    else if (type == "ordinal") piece.plural = PluralType::Ordinal;
    else Fail(where, "unknown plural type " + std::string(type));
    std::string_view rest = body.substr(comma + 1);
    while (!rest.empty()) {
        const auto open = rest.find('{'), close = rest.find('}');
        if (open == std::string_view::npos || close == std::string_view::npos || close < open) {
            Fail(where, "a plural form without braces");
        }
        piece.forms.emplace_back(CategoryOf(rest.substr(0, open), where), std::string(rest.substr(open + 1, close - open - 1)));
        rest.remove_prefix(close + 1);
    }
    return piece;
}

// A rule's body as texts, substitutions (<<, >>, >>>, ==, <%set<, >#,##0>, ...) and
// plurals ($(...)$), as written: what a substitution formats with is resolved later.
std::vector<SourcePiece> ParseBody(std::string_view body, std::string_view where) {
    std::vector<SourcePiece> pieces;
    std::string text;
    const auto flush = [&] {
        if (text.empty()) return;
        SourcePiece piece;
        piece.text = std::move(text);
        pieces.push_back(std::move(piece));
        text.clear();
    };
    for (std::size_t i = 0; i < body.size();) {
        if (body.substr(i).starts_with("$(")) {
            const auto end = body.find(")$", i);
            if (end == std::string_view::npos) Fail(where, "a plural without its end");
            flush();
            pieces.push_back(ParsePlural(body.substr(i + 2, end - i - 2), where));
            i = end + 2;
            continue;
        }
        const char c = body[i];
        const char next = i + 1 < body.size() ? body[i + 1] : '\0';
        const bool opens = (c == '<' || c == '>' || c == '=') && (next == c || next == '%' || next == '#' || next == '0');
        if (!opens) {
            text.push_back(c);
            ++i;
            continue;
        }
        flush();
        SourcePiece piece;
        piece.kind = PieceKind::Substitution;
        piece.sub = c == '<' ? SubKind::Less : c == '>' ? SubKind::Greater : SubKind::Equal;
        if (next == c) {
            if (c == '>' && i + 2 < body.size() && body[i + 2] == '>') {
                piece.sub = SubKind::GreaterRule;
                i += 3;
            } else {
                i += 2;
            }
        } else {
            const auto end = body.find(c, i + 1);
            if (end == std::string_view::npos) Fail(where, "a substitution without its end");
            piece.text = std::string(body.substr(i + 1, end - i - 1));
            i = end + 1;
            // "<%set<<" in a fraction rule set: the numerator with its leading zeros.
            if (c == '<' && i < body.size() && body[i] == '<') {
                piece.withZeros = true;
                ++i;
            }
        }
        pieces.push_back(std::move(piece));
    }
    flush();
    return pieces;
}

// The descriptor of a rule: its kind, and for a rule with a base value the base, the
// radix and the exponent ("1,000/100>": base 1000, radix 100, exponent 1 - 1 = 0).
SourceRule ParseDescriptor(std::string_view descriptor, std::string_view where) {
    SourceRule rule;
    if (descriptor == "-x") {
        rule.kind = RuleKind::Negative;
    } else if (descriptor == "x.x" || descriptor == "x,x") {
        rule.kind = RuleKind::Improper;
        rule.decimalPoint = descriptor[1];
    } else if (descriptor == "0.x" || descriptor == "0,x") {
        rule.kind = RuleKind::Proper;
        rule.decimalPoint = descriptor[1];
    } else if (descriptor == "x.0" || descriptor == "x,0") {
        rule.kind = RuleKind::Master;
        rule.decimalPoint = descriptor[1];
    } else {
        std::size_t lowered = 0;
        while (descriptor.ends_with('>')) {
            descriptor.remove_suffix(1);
            ++lowered;
        }
        const auto slash = descriptor.find('/');
        std::string base(descriptor.substr(0, slash)), radix(slash == std::string_view::npos ? "10" : descriptor.substr(slash + 1));
        std::erase(base, ',');
        std::erase(radix, ',');
        if (base.size() > kLargeExponent && base.find_first_not_of('0', 1) == std::string::npos && base[0] == '1') {
            // Ten to a power past 64 bits: a Large rule, spelled in radix 10.
            if (slash != std::string_view::npos || lowered != 0) Fail(where, "a radix or '>' on a base past 64 bits");
            rule.kind = RuleKind::Large;
            rule.exponent = base.size() - 1;
            if (rule.exponent > kLargestExponent) Fail(where, "a base past 10^" + std::to_string(kLargestExponent));
            return rule;
        }
        rule.base = ParseNumber(base, where);
        rule.radix = ParseNumber(radix, where);
        if (rule.radix < 2) Fail(where, "a radix below 2");
        rule.exponent = ExpectedExponent(rule.base, rule.radix);
        if (lowered > rule.exponent) Fail(where, "more '>' than the exponent");
        rule.exponent -= lowered;
    }
    return rule;
}

// The rule a line begins, with `body` left holding the rest: the rule its descriptor
// says, or for a line without one a normal rule at `nextBase`. None for a rule no text
// this converter reads names (Inf, NaN). `before` are the rules of the set so far.
std::optional<SourceRule> ParseRuleHead(std::string_view line, const std::vector<SourceRule>& before, std::uint64_t nextBase,
                                        std::string_view& body, std::string_view where) {
    if (!line.ends_with(';')) Fail(where, "a rule without its ';'");
    body = line.substr(0, line.size() - 1);
    const auto colon = body.find(':');
    SourceRule rule;
    const bool afterLarge = !before.empty() && before.back().kind == RuleKind::Large;
    if (colon == std::string_view::npos) {
        if (afterLarge) Fail(where, "a rule without a base after a base past 64 bits");
        rule.base = nextBase;
        rule.exponent = ExpectedExponent(rule.base, rule.radix);
    } else {
        const std::string_view descriptor = body.substr(0, colon);
        if (descriptor == "Inf" || descriptor == "NaN") return std::nullopt;
        rule = ParseDescriptor(descriptor, where);
        body.remove_prefix(colon + 1);
        if (afterLarge && rule.kind == RuleKind::Normal) Fail(where, "a base below one before it");
        if (afterLarge && rule.kind == RuleKind::Large && rule.exponent <= before.back().exponent) {
            Fail(where, "a base past 64 bits not above the one before it");
        }
    }
    while (!body.empty() && (body.front() == ' ' || body.front() == '\t')) body.remove_prefix(1);
    if (body.starts_with('\'')) body.remove_prefix(1);  // keeps the spaces after it
    return rule;
}

// The rules one line makes of `rule` and its body. "[...]" is shorthand for two rules:
// one without the bracketed text (at the base value, or 0.x for x.x) and one with it
// (at the next value, but in a set that formats fractions).
std::vector<SourceRule> ExpandBrackets(SourceRule rule, std::string_view body, bool formatsFractions, std::string_view where) {
    std::vector<SourceRule> made;
    const auto open = body.find('['), close = body.find(']');
    const bool brackets = open != std::string_view::npos && close != std::string_view::npos && open < close &&
                          rule.kind != RuleKind::Proper && rule.kind != RuleKind::Negative;
    if (!brackets) {
        rule.pieces = ParseBody(body, where);
        made.push_back(std::move(rule));
        return made;
    }
    const std::string before(body.substr(0, open)), inside(body.substr(open + 1, close - open - 1)), after(body.substr(close + 1));
    const bool onBase = rule.kind == RuleKind::Normal && rule.base > 0 && rule.base % RuleDivisor(rule.radix, rule.exponent) == 0;
    if (onBase || rule.kind == RuleKind::Large || rule.kind == RuleKind::Improper || rule.kind == RuleKind::Master) {
        SourceRule without = rule;
        if (rule.kind == RuleKind::Improper) without.kind = RuleKind::Proper;
        if (rule.kind == RuleKind::Master) without.kind = RuleKind::Improper;
        without.pieces = ParseBody(before + after, where);
        made.push_back(std::move(without));
        if (rule.kind == RuleKind::Normal && !formatsFractions) ++rule.base;
    }
    rule.pieces = ParseBody(before + inside + after, where);
    made.push_back(std::move(rule));
    return made;
}

// A rule set's name and its lines, as the rule text gives them.
struct SetText {
    std::string name;
    std::vector<std::string_view> lines;
};

// The rule text cut into rule sets: a line "%name:" opens one, and every other line
// not blank is a rule of the one before it.
std::vector<SetText> SplitRuleSets(const LocaleSource& locale) {
    std::vector<SetText> sets;
    std::string_view rest = locale.rules;
    while (!rest.empty()) {
        const auto end = rest.find('\n');
        std::string_view line = rest.substr(0, end);
        rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
        while (!line.empty() && (line.front() == ' ' || line.front() == '\t')) line.remove_prefix(1);
        if (line.empty()) continue;
        if (line.starts_with('%') && line.ends_with(':') && line.find(' ') == std::string_view::npos) {
            sets.push_back({std::string(line.substr(0, line.size() - 1)), {}});
            continue;
        }
        if (sets.empty()) Fail(locale.name + ": " + std::string(line), "a rule before any rule set");
        sets.back().lines.push_back(line);
    }
    // The rules for reading words back (lenient parse) are no rules for writing them.
    std::erase_if(sets, [](const SetText& set) { return set.name == "%%lenient-parse"; });
    return sets;
}

// Reads the rule sets as ICU parses them: in order, each rule set's rules in order. A
// rule set becomes one that formats fractions when a fraction rule of a set read
// before names it (>%set>); what that changes in a rule (the bracketed shorthand,
// the meaning of <<) follows what was known when the rule was read.
class RuleSetParser {
public:
    explicit RuleSetParser(const LocaleSource& locale)
        : locale_(locale), texts_(SplitRuleSets(locale)), formatsFractions_(texts_.size(), false) {
        for (std::size_t i = 0; i < texts_.size(); ++i) index_[texts_[i].name] = i;
    }

    std::vector<SourceRuleSet> Parse() {
        std::vector<SourceRuleSet> sets;
        for (std::size_t s = 0; s < texts_.size(); ++s) sets.push_back(ParseSet(s));
        for (std::size_t s = 0; s < sets.size(); ++s) sets[s].formatsFractions = formatsFractions_[s];
        return sets;
    }

private:
    SourceRuleSet ParseSet(std::size_t s) {
        SourceRuleSet set{texts_[s].name, false, {}};
        std::uint64_t nextBase = 0;
        for (const std::string_view line : texts_[s].lines) {
            const std::string where = locale_.name + ": " + std::string(line);
            std::string_view body;
            std::optional<SourceRule> rule = ParseRuleHead(line, set.rules, nextBase, body, where);
            if (!rule) continue;
            // >>> formats with the normal rule before this line's.
            const auto normalRules = static_cast<std::uint64_t>(std::count_if(
                set.rules.begin(), set.rules.end(), [](const SourceRule& r) { return r.kind == RuleKind::Normal; }));
            const std::uint64_t predecessor = normalRules == 0 ? 0 : normalRules - 1;
            for (SourceRule& made : ExpandBrackets(std::move(*rule), body, formatsFractions_[s], where)) {
                ResolveSubstitutions(made, s, predecessor, where);
                if (made.kind == RuleKind::Normal) nextBase = made.base + 1;
                set.rules.push_back(std::move(made));
            }
        }
        return set;
    }

    // What each substitution of a rule of set `s` formats with: a rule set of the locale
    // (one a fraction rule's >> names formats fractions from now on), a decimal pattern,
    // or its own set; << in a set that formats fractions is the numerator.
    void ResolveSubstitutions(SourceRule& rule, std::size_t s, std::uint64_t predecessor, std::string_view where) {
        const bool fractionRule = rule.kind == RuleKind::Improper || rule.kind == RuleKind::Proper || rule.kind == RuleKind::Master;
        for (SourcePiece& piece : rule.pieces) {
            if (piece.kind != PieceKind::Substitution) continue;
            if (piece.text.starts_with('%')) {
                const auto it = index_.find(piece.text);
                if (it == index_.end()) Fail(where, "no rule set " + piece.text);
                if (fractionRule && piece.sub == SubKind::Greater && it->second != s) formatsFractions_[it->second] = true;
                piece.set = it->second;
            } else if (!piece.text.empty()) {
                piece.pattern = ParsePattern(piece.text, where);
            }
            if (rule.kind == RuleKind::Normal && piece.sub == SubKind::Less && formatsFractions_[s]) {
                piece.sub = piece.withZeros ? SubKind::NumeratorWithZeros : SubKind::Numerator;
            }
            if (piece.sub == SubKind::GreaterRule) {
                if (rule.kind == RuleKind::Large) Fail(where, "'>>>' in a rule with a base past 64 bits");
                piece.ruleToUse = predecessor;
            }
        }
    }

    const LocaleSource& locale_;
    std::vector<SetText> texts_;
    std::vector<bool> formatsFractions_;
    std::map<std::string, std::size_t, std::less<>> index_;
};

std::string_view Trim(std::string_view s) {
    while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
    while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
    return s;
}

std::vector<std::string_view> Split(std::string_view s, std::string_view by) {
    std::vector<std::string_view> parts;
    for (std::size_t at; (at = s.find(by)) != std::string_view::npos; s.remove_prefix(at + by.size())) {
        parts.push_back(s.substr(0, at));
    }
    parts.push_back(s);
    return parts;
}

// "n % 10 in 3..4,9": an operand, perhaps a modulus ("mod" or "%"), a relation ("in",
// "not in", "=", "!=") and the values and ranges it names.
SourcePluralRelation ParsePluralRelation(std::string_view text, std::string_view where) {
    text = Trim(text);
    if (text.empty()) Fail(where, "an empty plural relation");
    SourcePluralRelation relation;
    const auto operand = kPluralOperandNames.find(text.front());
    if (operand == std::string_view::npos) Fail(where, "unknown plural operand in " + std::string(text));
    relation.operand = static_cast<PluralOperand>(operand);
    std::string_view rest = Trim(text.substr(1));
    if (rest.starts_with("mod ") || rest.starts_with("% ")) {
        rest = Trim(rest.substr(rest.find(' ') + 1));
        const auto space = rest.find(' ');
        relation.modulus = ParseNumber(rest.substr(0, space), where);
        rest = space == std::string_view::npos ? std::string_view() : Trim(rest.substr(space));
    }
    if (rest.starts_with("not in ")) {
        relation.negated = true;
        rest = rest.substr(7);
    } else if (rest.starts_with("in ")) {
        rest = rest.substr(3);
    } else if (rest.starts_with("!= ")) {
        relation.negated = true;
        rest = rest.substr(3);
    } else if (rest.starts_with("= ")) {
        rest = rest.substr(2);
    } else {
        Fail(where, "unknown plural relation " + std::string(text));
    }
    for (std::string_view range : Split(rest, ",")) {
        range = Trim(range);
        const auto dots = range.find("..");
        const std::uint64_t low = ParseNumber(range.substr(0, dots), where);
        const std::uint64_t high = dots == std::string_view::npos ? low : ParseNumber(range.substr(dots + 2), where);
        relation.ranges.emplace_back(low, high);
    }
    return relation;
}

}  // namespace

std::vector<SourcePluralCategory> ParsePluralRules(std::string_view text, std::string_view where) {
    std::vector<SourcePluralCategory> categories;
    for (std::string_view rule : Split(text, ";")) {
        rule = Trim(rule);
        if (rule.empty()) continue;
        const auto colon = rule.find(':');
        if (colon == std::string_view::npos) Fail(where, "a plural rule without ':'");
        SourcePluralCategory category{CategoryOf(Trim(rule.substr(0, colon)), where), {}};
        const std::string_view condition = Trim(rule.substr(colon + 1));
        if (!condition.empty()) {
            for (const std::string_view alternative : Split(condition, " or ")) {
                std::vector<SourcePluralRelation> relations;
                for (const std::string_view relation : Split(alternative, " and ")) {
                    relations.push_back(ParsePluralRelation(relation, where));
                }
                category.conditions.push_back(std::move(relations));
            }
        }
        categories.push_back(std::move(category));
    }
    return categories;
}

ParsedLocale ParseLocale(const LocaleSource& locale) {
    ParsedLocale parsed{locale.name, locale.decimal, locale.grouping, locale.minus, locale.digits, {}, {}, {}};
    parsed.sets = RuleSetParser(locale).Parse();
    parsed.cardinal = ParsePluralRules(locale.cardinalPlurals, locale.name + " cardinal plurals");
    parsed.ordinal = ParsePluralRules(locale.ordinalPlurals, locale.name + " ordinal plurals");
    return parsed;
}

}  // namespace zorv::spell
