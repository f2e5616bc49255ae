#include "rule_compiler.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <map>
#include <optional>
#include <string_view>

#include "rule_data.h"
#include "varint.h"

namespace zorv::spell {
namespace {

// Writes varints and pooled texts; the pool is written in front at the end.
class Writer {
public:
    void Number(std::uint64_t value) { AppendVarint(body_, value); }
    void Byte(std::uint8_t value) { body_.push_back(static_cast<char>(value)); }
    void Text(std::string_view text) {
        auto [it, added] = pool_.try_emplace(std::string(text), order_.size());
        if (added) order_.push_back(&it->first);
        Number(it->second);
    }
    [[nodiscard]] std::size_t Size() const { return body_.size(); }
    std::string& Body() { return body_; }

    // The pool followed by the body; `offsets` (positions in the body) are shifted
    // by the pool's size and written where `slots` marks them, as fixed 8-byte fields.
    [[nodiscard]] std::string Finish(const std::vector<std::size_t>& slots) {
        std::string pool(kRuleDataMagic);
        Writer head;
        head.Number(order_.size());
        for (const std::string* text : order_) {
            head.Number(text->size());
            head.body_ += *text;
        }
        pool += head.body_;
        for (const std::size_t slot : slots) {
            std::uint64_t offset = 0;
            for (std::size_t i = kOffsetBytes; i-- > 0;) offset = offset << 8 | static_cast<std::uint8_t>(body_[slot + i]);
            offset += pool.size();
            for (std::size_t i = 0; i < kOffsetBytes; ++i) body_[slot + i] = static_cast<char>(offset >> (8 * i));
        }
        return pool + body_;
    }

private:
    std::string body_;
    std::map<std::string, std::size_t> pool_;
    std::vector<const std::string*> order_;
};

struct Piece {
    PieceKind kind = PieceKind::Text;
    std::string text;  // the text, the pattern, or the rule set's name
    SubKind sub = SubKind::Less;
    bool named = false;
    std::uint64_t ruleToUse = 0;  // >>>: the index of the rule it formats with
    bool zeros = false;           // <%set<<: a numerator with its leading zeros
    PluralType plural = PluralType::Cardinal;
    std::vector<std::pair<PluralCategory, std::string>> forms;
};

struct Rule {
    RuleKind kind = RuleKind::Normal;
    std::uint64_t base = 0, radix = 10, exponent = 0;
    char decimalPoint = 0;  // of a fraction rule: '.' or ','
    std::vector<Piece> pieces;
};

struct RuleSet {
    std::string name;
    std::vector<Rule> rules;
};

[[noreturn]] void Fail(std::string_view where, std::string_view what) {
    throw CompileError(std::string(where) + ": " + std::string(what));
}

// Whether a decimal pattern is one this converter writes: digits "#" and "0", grouped
// by commas, and optionally a point and more "#" and "0".
bool IsWrittenPattern(std::string_view pattern) {
    const auto point = pattern.find('.');
    const std::string_view integer = pattern.substr(0, point);
    const std::string_view fraction = point == std::string_view::npos ? std::string_view() : pattern.substr(point + 1);
    return integer.find_first_not_of("#,0") == std::string_view::npos && fraction.find_first_not_of("#0") == std::string_view::npos;
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

// "cardinal,one{day}other{days}"
Piece ParsePlural(std::string_view body, std::string_view where) {
    Piece piece;
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

std::vector<Piece> ParseBody(std::string_view body, std::string_view where) {
    std::vector<Piece> pieces;
    std::string text;
    const auto flush = [&] {
        if (text.empty()) return;
        Piece piece;
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
        Piece piece;
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
            const auto description = body.substr(i + 1, end - i - 1);
            piece.named = description.starts_with('%');
            piece.text = std::string(description);
            i = end + 1;
            // "<%set<<" in a fraction rule set: the numerator with its leading zeros.
            if (c == '<' && i < body.size() && body[i] == '<') {
                piece.zeros = true;
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
Rule ParseDescriptor(std::string_view descriptor, std::string_view where) {
    Rule rule;
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

struct SetSource {
    std::string name;
    std::vector<std::string_view> lines;
};

// Reads the rule sets as ICU parses them: in order, each rule set's rules in order. A
// rule set becomes one that formats fractions when a fraction rule of a set read
// before names it (>%set>); what that changes in a rule (the bracketed shorthand,
// the meaning of <<) follows what was known when the rule was read.
std::vector<RuleSet> ParseRuleSets(const LocaleSource& locale, std::vector<bool>& fraction) {
    std::vector<SetSource> sources;
    std::string_view rest = locale.rules;
    while (!rest.empty()) {
        const auto end = rest.find('\n');
        std::string_view line = rest.substr(0, end);
        rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
        while (!line.empty() && (line.front() == ' ' || line.front() == '\t')) line.remove_prefix(1);
        if (line.empty()) continue;
        if (line.starts_with('%') && line.ends_with(':') && line.find(' ') == std::string_view::npos) {
            sources.push_back({std::string(line.substr(0, line.size() - 1)), {}});
            continue;
        }
        if (sources.empty()) Fail(locale.name + ": " + std::string(line), "a rule before any rule set");
        sources.back().lines.push_back(line);
    }
    // The rules for reading words back (lenient parse) are no rules for writing them.
    std::erase_if(sources, [](const SetSource& set) { return set.name == "%%lenient-parse"; });

    std::map<std::string, std::size_t, std::less<>> index;
    for (std::size_t i = 0; i < sources.size(); ++i) index[sources[i].name] = i;
    fraction.assign(sources.size(), false);

    std::vector<RuleSet> sets;
    for (std::size_t s = 0; s < sources.size(); ++s) {
        RuleSet set{sources[s].name, {}};
        std::uint64_t nextBase = 0;
        for (const std::string_view line : sources[s].lines) {
            const std::string where = locale.name + ": " + std::string(line);
            if (!line.ends_with(';')) Fail(where, "a rule without its ';'");
            std::string_view text = line.substr(0, line.size() - 1);
            const auto colon = text.find(':');
            Rule rule;
            const bool afterLarge = !set.rules.empty() && set.rules.back().kind == RuleKind::Large;
            if (colon == std::string_view::npos) {
                if (afterLarge) Fail(where, "a rule without a base after a base past 64 bits");
                rule.base = nextBase;
                rule.exponent = ExpectedExponent(rule.base, rule.radix);
            } else {
                const std::string_view descriptor = text.substr(0, colon);
                if (descriptor == "Inf" || descriptor == "NaN") continue;  // no text this converter reads names them
                rule = ParseDescriptor(descriptor, where);
                text.remove_prefix(colon + 1);
                if (afterLarge && rule.kind == RuleKind::Normal) Fail(where, "a base below one before it");
                if (afterLarge && rule.kind == RuleKind::Large && rule.exponent <= set.rules.back().exponent) {
                    Fail(where, "a base past 64 bits not above the one before it");
                }
            }
            while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
            if (text.starts_with('\'')) text.remove_prefix(1);  // keeps the spaces after it

            // "[...]" is shorthand for two rules: one without the bracketed text (at
            // the base value, or 0.x for x.x) and one with it (at the next value).
            const auto open = text.find('['), close = text.find(']');
            const bool brackets = open != std::string_view::npos && close != std::string_view::npos && open < close &&
                                  rule.kind != RuleKind::Proper && rule.kind != RuleKind::Negative;
            const auto normalRules = static_cast<std::uint64_t>(std::count_if(
                set.rules.begin(), set.rules.end(), [](const Rule& r) { return r.kind == RuleKind::Normal; }));
            const std::uint64_t predecessor = normalRules == 0 ? 0 : normalRules - 1;
            std::vector<Rule> made;
            if (brackets) {
                std::uint64_t divisor = 1;
                for (std::uint64_t e = 0; rule.kind == RuleKind::Normal && e < rule.exponent; ++e) divisor *= rule.radix;
                if ((rule.kind == RuleKind::Normal && rule.base > 0 && rule.base % divisor == 0) || rule.kind == RuleKind::Large ||
                    rule.kind == RuleKind::Improper || rule.kind == RuleKind::Master) {
                    Rule without = rule;
                    if (rule.kind == RuleKind::Improper) without.kind = RuleKind::Proper;
                    if (rule.kind == RuleKind::Master) without.kind = RuleKind::Improper;
                    without.pieces = ParseBody(std::string(text.substr(0, open)) + std::string(text.substr(close + 1)), where);
                    made.push_back(std::move(without));
                    if (rule.kind == RuleKind::Normal && !fraction[s]) ++rule.base;
                }
                rule.pieces = ParseBody(std::string(text.substr(0, open)) + std::string(text.substr(open + 1, close - open - 1)) +
                                            std::string(text.substr(close + 1)),
                                        where);
            } else {
                rule.pieces = ParseBody(text, where);
            }
            made.push_back(std::move(rule));

            for (Rule& each : made) {
                const bool fractionRule = each.kind == RuleKind::Improper || each.kind == RuleKind::Proper || each.kind == RuleKind::Master;
                for (Piece& piece : each.pieces) {
                    if (piece.kind != PieceKind::Substitution) continue;
                    if (piece.named) {
                        const auto it = index.find(piece.text);
                        if (it == index.end()) Fail(where, "no rule set " + piece.text);
                        if (fractionRule && piece.sub == SubKind::Greater && it->second != s) fraction[it->second] = true;
                    } else if (!piece.text.empty() && !IsWrittenPattern(piece.text)) {
                        Fail(where, "a decimal pattern this converter does not write: " + piece.text);
                    }
                    if (each.kind == RuleKind::Normal && piece.sub == SubKind::Less && fraction[s]) {
                        piece.sub = piece.zeros ? SubKind::NumeratorWithZeros : SubKind::Numerator;
                    }
                    if (piece.sub == SubKind::GreaterRule) {
                        if (each.kind == RuleKind::Large) Fail(where, "'>>>' in a rule with a base past 64 bits");
                        piece.ruleToUse = predecessor;
                    }
                }
                if (each.kind == RuleKind::Normal) nextBase = each.base + 1;
                set.rules.push_back(std::move(each));
            }
        }
        sets.push_back(std::move(set));
    }
    return sets;
}

// "one: i in 1..1 and v in 0..0; other: " → categories with OR of ANDs of relations.
void WritePlurals(Writer& out, std::string_view text, std::string_view where) {
    struct Relation {
        PluralOperand operand;
        std::uint64_t modulus = 0;
        bool negated = false;
        std::vector<std::pair<std::uint64_t, std::uint64_t>> ranges;
    };
    std::vector<std::pair<PluralCategory, std::vector<std::vector<Relation>>>> categories;
    const auto trim = [](std::string_view s) {
        while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
        while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
        return s;
    };
    const auto split = [](std::string_view s, std::string_view by) {
        std::vector<std::string_view> parts;
        for (std::size_t at; (at = s.find(by)) != std::string_view::npos; s.remove_prefix(at + by.size())) {
            parts.push_back(s.substr(0, at));
        }
        parts.push_back(s);
        return parts;
    };
    for (std::string_view rule : split(text, ";")) {
        rule = trim(rule);
        if (rule.empty()) continue;
        const auto colon = rule.find(':');
        if (colon == std::string_view::npos) Fail(where, "a plural rule without ':'");
        const PluralCategory category = CategoryOf(trim(rule.substr(0, colon)), where);
        std::vector<std::vector<Relation>> conditions;
        const std::string_view condition = trim(rule.substr(colon + 1));
        if (!condition.empty()) {
            for (std::string_view alternative : split(condition, " or ")) {
                std::vector<Relation> relations;
                for (std::string_view relationText : split(alternative, " and ")) {
                    relationText = trim(relationText);
                    Relation relation{};
                    static constexpr std::string_view kOperands = "nivwftec";
                    const auto operand = kOperands.find(relationText.front());
                    if (operand == std::string_view::npos) Fail(where, "unknown plural operand in " + std::string(relationText));
                    relation.operand = static_cast<PluralOperand>(operand);
                    std::string_view rest = trim(relationText.substr(1));
                    if (rest.starts_with("mod ") || rest.starts_with("% ")) {
                        rest = trim(rest.substr(rest.find(' ') + 1));
                        const auto space = rest.find(' ');
                        relation.modulus = ParseNumber(rest.substr(0, space), where);
                        rest = trim(rest.substr(space));
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
                        Fail(where, "unknown plural relation " + std::string(relationText));
                    }
                    for (std::string_view range : split(rest, ",")) {
                        range = trim(range);
                        const auto dots = range.find("..");
                        const std::uint64_t low = ParseNumber(range.substr(0, dots), where);
                        const std::uint64_t high = dots == std::string_view::npos ? low : ParseNumber(range.substr(dots + 2), where);
                        relation.ranges.emplace_back(low, high);
                    }
                    relations.push_back(std::move(relation));
                }
                conditions.push_back(std::move(relations));
            }
        }
        categories.emplace_back(category, std::move(conditions));
    }
    out.Number(categories.size());
    for (const auto& [category, conditions] : categories) {
        out.Byte(static_cast<std::uint8_t>(category));
        out.Number(conditions.size());
        for (const auto& relations : conditions) {
            out.Number(relations.size());
            for (const auto& relation : relations) {
                out.Byte(static_cast<std::uint8_t>(relation.operand));
                out.Number(relation.modulus);
                out.Byte(relation.negated ? 1 : 0);
                out.Number(relation.ranges.size());
                for (const auto& [low, high] : relation.ranges) {
                    out.Number(low);
                    out.Number(high);
                }
            }
        }
    }
}

// A decimal pattern such as "#,##0.#" or "#,##,##0", as the numbers that say what it
// writes: the least integer digits, the least and most fraction digits, and the sizes
// of the first group and of the groups above it (0 for no grouping). The pattern is
// one IsWrittenPattern accepts, as the rules were checked when read.
void WritePattern(Writer& out, std::string_view pattern) {
    const auto point = pattern.find('.');
    const std::string_view integer = pattern.substr(0, point);
    const std::string_view fraction = point == std::string_view::npos ? std::string_view() : pattern.substr(point + 1);
    const auto lastComma = integer.rfind(',');
    std::uint64_t primary = 0, secondary = 0;
    if (lastComma != std::string_view::npos) {
        primary = integer.size() - lastComma - 1;
        const auto before = integer.rfind(',', lastComma - 1);
        secondary = before == std::string_view::npos ? primary : lastComma - before - 1;
    }
    out.Number(static_cast<std::uint64_t>(std::count(integer.begin(), integer.end(), '0')));
    out.Number(static_cast<std::uint64_t>(std::count(fraction.begin(), fraction.end(), '0')));
    out.Number(fraction.size());
    out.Number(primary);
    out.Number(secondary);
}

void WriteLocale(Writer& out, const LocaleSource& locale) {
    std::vector<bool> fraction;
    const std::vector<RuleSet> sets = ParseRuleSets(locale, fraction);
    std::map<std::string, std::size_t, std::less<>> index;
    for (std::size_t i = 0; i < sets.size(); ++i) index[sets[i].name] = i;

    out.Text(locale.decimal);
    out.Text(locale.grouping);
    out.Text(locale.minus);
    out.Text(locale.digits);
    WritePlurals(out, locale.cardinalPlurals, locale.name + " cardinal plurals");
    WritePlurals(out, locale.ordinalPlurals, locale.name + " ordinal plurals");
    out.Number(sets.size());
    for (std::size_t s = 0; s < sets.size(); ++s) {
        const RuleSet& set = sets[s];
        out.Text(set.name.starts_with("%%") ? set.name.substr(2) : set.name.substr(1));
        out.Byte((set.name.starts_with("%%") ? 0 : kPublicSet) | (fraction[s] ? kFractionSet : 0));

        // Among fraction rules of one kind, the one written with the locale's decimal
        // separator wins, else the first.
        std::vector<const Rule*> kept;
        const Rule* chosen[5] = {};
        for (const Rule& rule : set.rules) {
            if (rule.kind == RuleKind::Normal || rule.kind == RuleKind::Large) {
                kept.push_back(&rule);
                continue;
            }
            const Rule*& slot = chosen[static_cast<int>(rule.kind)];
            if (slot == nullptr || (rule.decimalPoint != 0 && locale.decimal.size() == 1 && rule.decimalPoint == locale.decimal[0])) {
                slot = &rule;
            }
        }
        for (const Rule* rule : chosen) {
            if (rule != nullptr) kept.push_back(rule);
        }
        out.Number(kept.size());
        std::uint64_t previousBase = 0;
        for (const Rule* rule : kept) {
            const bool radix = rule->kind == RuleKind::Normal && rule->radix != 10;
            const bool exponent = rule->kind == RuleKind::Normal && rule->exponent != ExpectedExponent(rule->base, rule->radix);
            out.Byte(RuleHead(rule->kind, radix, exponent, rule->pieces.size()));
            if (rule->kind == RuleKind::Normal) {
                out.Number(rule->base - previousBase);
                previousBase = rule->base;
                if (radix) out.Number(rule->radix);
                if (exponent) out.Number(rule->exponent);
            } else if (rule->kind == RuleKind::Large) {
                out.Number(rule->exponent);
            }
            if (rule->pieces.size() >= kPieceCountFollows) out.Number(rule->pieces.size());
            for (const Piece& piece : rule->pieces) {
                switch (piece.kind) {
                case PieceKind::Text:
                    out.Byte(static_cast<std::uint8_t>(piece.kind));
                    out.Text(piece.text);
                    break;
                case PieceKind::Substitution:
                    out.Byte(PieceHead(piece.kind, static_cast<unsigned>(piece.sub)));
                    if (piece.sub == SubKind::GreaterRule) out.Number(piece.ruleToUse);
                    if (piece.text.empty()) {
                        out.Number(kOwningSet);
                    } else if (piece.named) {
                        const auto it = index.find(piece.text);
                        if (it == index.end()) Fail(locale.name, "no rule set " + piece.text);
                        out.Number(kFirstSet + it->second);
                    } else {
                        out.Number(kPattern);
                        WritePattern(out, piece.text);
                    }
                    break;
                case PieceKind::Plural:
                    out.Byte(PieceHead(piece.kind, static_cast<unsigned>(piece.plural)));
                    out.Number(piece.forms.size());
                    for (const auto& [category, text] : piece.forms) {
                        out.Byte(static_cast<std::uint8_t>(category));
                        out.Text(text);
                    }
                    break;
                }
            }
        }
    }
}

}  // namespace

std::string CompileRules(const std::vector<LocaleSource>& locales,
                         const std::vector<std::pair<std::string, std::string>>& aliases) {
    Writer out;
    std::vector<std::size_t> slots;
    out.Number(locales.size());
    for (const LocaleSource& locale : locales) {
        out.Text(locale.name);
        slots.push_back(out.Size());
        out.Body().append(kOffsetBytes, '\0');
    }
    out.Number(aliases.size());
    for (const auto& [from, to] : aliases) {
        out.Text(from);
        out.Text(to);
    }
    // Locales whose compiled rules are the same bytes (es_MX and es_US, zh_Hant and
    // zh_Hant_TW, ...) share one copy.
    std::map<std::string, std::uint64_t> written;
    for (std::size_t i = 0; i < locales.size(); ++i) {
        std::uint64_t offset = out.Size();
        WriteLocale(out, locales[i]);
        std::string body = out.Body().substr(offset);
        const auto [it, added] = written.try_emplace(std::move(body), offset);
        if (!added) {
            out.Body().resize(offset);
            offset = it->second;
        }
        for (std::size_t b = 0; b < kOffsetBytes; ++b) out.Body()[slots[i] + b] = static_cast<char>(offset >> (8 * b));
    }
    return out.Finish(slots);
}

}  // namespace zorv::spell
