#include "rule_dump.h"

namespace zorv::spell {
namespace {

// A rule set's name as rule text writes it: "%" before a public one, "%%" a private one.
std::string NameOf(const RuleSet& set) { return (set.isPublic ? "%" : "%%") + std::string(set.name); }

std::string KindOf(const Rule& rule) {
    switch (rule.kind) {
    case RuleKind::Negative: return "-x";
    case RuleKind::Improper: return "x.x";
    case RuleKind::Proper: return "0.x";
    case RuleKind::Master: return "x.0";
    case RuleKind::Large: return "10^" + std::to_string(rule.exponent);
    case RuleKind::Normal: break;
    }
    std::string text = std::to_string(rule.base);
    if (rule.radix != 10) text += " radix " + std::to_string(rule.radix);
    if (rule.exponent != ExpectedExponent(rule.base, rule.radix)) text += " exponent " + std::to_string(rule.exponent);
    return text;
}

std::string SubstitutionOf(const Locale& locale, const Piece& piece) {
    std::string text;
    switch (piece.sub) {
    case SubKind::Less: text = "<<"; break;
    case SubKind::Greater: text = ">>"; break;
    case SubKind::Equal: text = "=="; break;
    case SubKind::GreaterRule: text = ">>> rule " + std::to_string(piece.ruleToUse); break;
    case SubKind::Numerator: text = "numerator"; break;
    case SubKind::NumeratorWithZeros: text = "numerator with zeros"; break;
    }
    if (piece.target == kPattern) {
        const PatternNumbers& p = piece.pattern;
        text += " pattern(integer " + std::to_string(p.minInteger) + ", fraction " + std::to_string(p.minFraction) + "-" +
                std::to_string(p.maxFraction) + ", groups " + std::to_string(p.group) + "/" + std::to_string(p.secondaryGroup) + ")";
    } else if (piece.target >= kFirstSet) {
        text += ' ';
        text += NameOf(locale.sets[piece.target - kFirstSet]);
    }
    return text;
}

std::string PiecesOf(const Locale& locale, const Rule& rule) {
    std::string text;
    for (const Piece& piece : rule.pieces) {
        text += text.empty() ? "" : " ";
        switch (piece.kind) {
        case PieceKind::Text:
            text += '"';
            text += piece.text;
            text += '"';
            break;
        case PieceKind::Substitution: text += SubstitutionOf(locale, piece); break;
        case PieceKind::Plural:
            text += piece.plural == PluralType::Cardinal ? "$(cardinal" : "$(ordinal";
            for (const auto& [category, form] : piece.forms) {
                if (&form == &piece.forms.front().second) text += ',';
                text += kPluralCategoryNames[static_cast<std::size_t>(category)];
                text += '{';
                text += form;
                text += '}';
            }
            text += ")$";
            break;
        }
    }
    return text;
}

}  // namespace

std::string DumpRuleSet(const Locale& locale, const RuleSet& set) {
    std::string text = NameOf(set);
    if (set.isFraction) text += " fraction";
    text += '\n';
    const auto dump = [&](const Rule& rule) { text += "  " + KindOf(rule) + ": " + PiecesOf(locale, rule) + "\n"; };
    for (const Rule* special : {set.negative, set.improper, set.proper, set.master}) {
        if (special != nullptr) dump(*special);
    }
    for (const Rule& rule : set.rules) dump(rule);
    for (const Rule& rule : set.large) dump(rule);
    return text;
}

}  // namespace zorv::spell
