#include "rule_writer.h"

#include <functional>
#include <map>
#include <string_view>

#include "varint.h"

namespace zorv::spell {
namespace {

// Writes varints, bytes and pooled texts; the pool is written in front at the end.
class ByteWriter {
public:
    void Number(std::uint64_t value) { AppendVarint(body_, value); }
    void Byte(std::uint8_t value) { body_.push_back(static_cast<char>(value)); }
    void Text(std::string_view text) {
        auto [it, added] = pool_.try_emplace(std::string(text), order_.size());
        if (added) order_.push_back(&it->first);
        Number(it->second);
    }
    [[nodiscard]] std::size_t Size() const { return body_.size(); }
    [[nodiscard]] std::string_view WrittenSince(std::size_t at) const { return std::string_view(body_).substr(at); }
    void Truncate(std::size_t size) { body_.resize(size); }

    // Room for a locale's offset, filled in by SetOffset; its place in the body.
    std::size_t ReserveOffset() {
        const std::size_t slot = body_.size();
        body_.append(kOffsetBytes, '\0');
        return slot;
    }
    // `offset` is a place in the body; Finish makes it one in the data.
    void SetOffset(std::size_t slot, std::uint64_t offset) { WriteOffset(body_.data() + slot, offset); }

    // The magic, the pool and the body, each offset in `slots` moved past the pool.
    [[nodiscard]] std::string Finish(const std::vector<std::size_t>& slots) {
        std::string pool(kRuleDataMagic);
        ByteWriter head;
        head.Number(order_.size());
        for (const std::string* text : order_) {
            head.Number(text->size());
            head.body_ += *text;
        }
        pool += head.body_;
        for (const std::size_t slot : slots) SetOffset(slot, ReadOffset(WrittenSince(slot)) + pool.size());
        return pool + body_;
    }

private:
    std::string body_;
    std::map<std::string, std::size_t> pool_;
    std::vector<const std::string*> order_;
};

void WritePlurals(ByteWriter& out, const std::vector<SourcePluralCategory>& categories) {
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

void WritePattern(ByteWriter& out, const PatternNumbers& pattern) {
    out.Number(pattern.minInteger);
    out.Number(pattern.minFraction);
    out.Number(pattern.maxFraction);
    out.Number(pattern.group);
    out.Number(pattern.secondaryGroup);
}

void WritePiece(ByteWriter& out, const SourcePiece& piece) {
    switch (piece.kind) {
    case PieceKind::Text:
        out.Byte(PieceHead(piece.kind, 0));
        out.Text(piece.text);
        break;
    case PieceKind::Substitution:
        out.Byte(PieceHead(piece.kind, static_cast<unsigned>(piece.sub)));
        if (piece.sub == SubKind::GreaterRule) out.Number(piece.ruleToUse);
        if (piece.set) {
            out.Number(kFirstSet + *piece.set);
        } else if (piece.pattern) {
            out.Number(kPattern);
            WritePattern(out, *piece.pattern);
        } else {
            out.Number(kOwningSet);
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

// `previousBase` is the base of the normal rule written before in the set, and
// becomes this one's if it is normal.
void WriteRule(ByteWriter& out, const SourceRule& rule, std::uint64_t& previousBase) {
    const bool radix = rule.kind == RuleKind::Normal && rule.radix != 10;
    const bool exponent = rule.kind == RuleKind::Normal && rule.exponent != ExpectedExponent(rule.base, rule.radix);
    out.Byte(RuleHead(rule.kind, radix, exponent, rule.pieces.size()));
    if (rule.kind == RuleKind::Normal) {
        out.Number(rule.base - previousBase);
        previousBase = rule.base;
        if (radix) out.Number(rule.radix);
        if (exponent) out.Number(rule.exponent);
    } else if (rule.kind == RuleKind::Large) {
        out.Number(rule.exponent);
    }
    if (rule.pieces.size() >= kPieceCountFollows) out.Number(rule.pieces.size());
    for (const SourcePiece& piece : rule.pieces) WritePiece(out, piece);
}

// The rules of a set the compiled form keeps: every normal and Large rule, in order,
// then one fraction or negative rule of each kind, in the order of their kinds. Among
// those of one kind the one written with the locale's decimal separator wins, else the
// first.
std::vector<const SourceRule*> RulesToWrite(const SourceRuleSet& set, const std::string& decimal) {
    std::vector<const SourceRule*> kept;
    const SourceRule* chosen[static_cast<int>(RuleKind::Master) + 1] = {};
    for (const SourceRule& rule : set.rules) {
        if (rule.kind == RuleKind::Normal || rule.kind == RuleKind::Large) {
            kept.push_back(&rule);
            continue;
        }
        const SourceRule*& slot = chosen[static_cast<int>(rule.kind)];
        if (slot == nullptr || (rule.decimalPoint != 0 && decimal.size() == 1 && rule.decimalPoint == decimal[0])) slot = &rule;
    }
    for (const SourceRule* rule : chosen) {
        if (rule != nullptr) kept.push_back(rule);
    }
    return kept;
}

void WriteRuleSet(ByteWriter& out, const SourceRuleSet& set, const std::string& decimal) {
    const bool isPrivate = set.name.starts_with("%%");
    out.Text(set.name.substr(isPrivate ? 2 : 1));
    out.Byte((isPrivate ? 0 : kPublicSet) | (set.formatsFractions ? kFractionSet : 0));
    const std::vector<const SourceRule*> rules = RulesToWrite(set, decimal);
    out.Number(rules.size());
    std::uint64_t previousBase = 0;
    for (const SourceRule* rule : rules) WriteRule(out, *rule, previousBase);
}

void WriteLocale(ByteWriter& out, const ParsedLocale& locale) {
    out.Text(locale.decimal);
    out.Text(locale.grouping);
    out.Text(locale.minus);
    out.Text(locale.digits);
    WritePlurals(out, locale.cardinal);
    WritePlurals(out, locale.ordinal);
    out.Number(locale.sets.size());
    for (const SourceRuleSet& set : locale.sets) WriteRuleSet(out, set, locale.decimal);
}

}  // namespace

std::string WriteRuleData(const std::vector<ParsedLocale>& locales,
                          const std::vector<std::pair<std::string, std::string>>& aliases) {
    ByteWriter out;
    std::vector<std::size_t> slots;
    out.Number(locales.size());
    for (const ParsedLocale& locale : locales) {
        out.Text(locale.name);
        slots.push_back(out.ReserveOffset());
    }
    out.Number(aliases.size());
    for (const auto& [from, to] : aliases) {
        out.Text(from);
        out.Text(to);
    }
    // Locales whose compiled rules are the same bytes (es_MX and es_US, zh_Hant and
    // zh_Hant_TW, ...) share one copy.
    std::map<std::string, std::uint64_t, std::less<>> written;
    for (std::size_t i = 0; i < locales.size(); ++i) {
        std::uint64_t offset = out.Size();
        WriteLocale(out, locales[i]);
        const auto [it, added] = written.try_emplace(std::string(out.WrittenSince(offset)), offset);
        if (!added) {
            out.Truncate(offset);
            offset = it->second;
        }
        out.SetOffset(slots[i], offset);
    }
    return out.Finish(slots);
}

}  // namespace zorv::spell
