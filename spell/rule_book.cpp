#include "rule_book.h"

#include <algorithm>
#include <array>
#include <memory>
#include <stdexcept>

#include "locale_tags.h"
#include "varint.h"

namespace zorv::spell {
namespace {

class ByteReader {
public:
    ByteReader(std::string_view data, std::size_t at) : data_(data), at_(at) {}

    std::uint64_t Number() { return ReadVarint(data_, at_); }
    // A count of things that follow, each at least a byte: more than the bytes left
    // is corrupt data, refused before anything is made for them.
    std::size_t Count() {
        const std::uint64_t count = Number();
        if (count > data_.size() - at_) throw std::runtime_error("compiled rules: a count past the end");
        return static_cast<std::size_t>(count);
    }
    std::uint8_t Byte() {
        if (at_ >= data_.size()) throw std::runtime_error("compiled rules: truncated");
        return static_cast<std::uint8_t>(data_[at_++]);
    }
    std::string_view Bytes(std::size_t n) {
        if (n > data_.size() - at_) throw std::runtime_error("compiled rules: truncated");
        const auto bytes = data_.substr(at_, n);
        at_ += n;
        return bytes;
    }
    std::uint64_t Offset() { return ReadOffset(Bytes(kOffsetBytes)); }

private:
    std::string_view data_;
    std::size_t at_;
};

// The text of a pooled index.
std::string_view Text(ByteReader& in, const std::vector<std::string_view>& pool) {
    const auto index = in.Number();
    if (index >= pool.size()) throw std::runtime_error("compiled rules: no such text");
    return pool[index];
}

PluralCategory CategoryOf(std::uint8_t byte) {
    if (byte > static_cast<std::uint8_t>(PluralCategory::Other)) throw std::runtime_error("compiled rules: no such plural category");
    return static_cast<PluralCategory>(byte);
}

PluralRules ReadPlurals(ByteReader& in) {
    PluralRules rules;
    rules.categories.resize(in.Count());
    for (auto& category : rules.categories) {
        category.category = CategoryOf(in.Byte());
        category.conditions.resize(in.Count());
        for (auto& relations : category.conditions) {
            relations.resize(in.Count());
            for (auto& relation : relations) {
                const auto operand = in.Byte();
                if (operand > static_cast<std::uint8_t>(PluralOperand::C)) throw std::runtime_error("compiled rules: no such plural operand");
                relation.operand = static_cast<PluralOperand>(operand);
                relation.modulus = in.Number();
                relation.negated = in.Byte() != 0;
                relation.ranges.resize(in.Count());
                for (auto& [low, high] : relation.ranges) {
                    low = in.Number();
                    high = in.Number();
                }
            }
        }
    }
    return rules;
}

// Reads one locale (`locale` in rule_data.h), checking each field as it goes: corrupt
// data is refused with std::runtime_error before anything reads past it.
class LocaleLoader {
public:
    LocaleLoader(ByteReader& in, const std::vector<std::string_view>& pool) : in_(in), pool_(pool) {}

    std::unique_ptr<Locale> Read(std::string_view name) {
        auto locale = std::make_unique<Locale>();
        locale->name = name;
        locale->decimal = Text();
        locale->grouping = Text();
        locale->minus = Text();
        locale->digits = Digits(Text());
        locale->cardinal = ReadPlurals(in_);
        locale->ordinal = ReadPlurals(in_);
        locale->sets.resize(in_.Count());
        for (RuleSet& set : locale->sets) ReadSet(set, locale->sets.size());
        return locale;
    }

private:
    std::string_view Text() { return spell::Text(in_, pool_); }

    // The ten digits, each one code point: a lead byte and its continuation bytes.
    static std::array<std::string_view, 10> Digits(std::string_view digits) {
        std::array<std::string_view, 10> each;
        for (std::size_t d = 0, at = 0; d < 10; ++d) {
            if (at >= digits.size()) throw std::runtime_error("compiled rules: fewer than ten digits");
            std::size_t end = at + 1;
            while (end < digits.size() && (static_cast<std::uint8_t>(digits[end]) & 0xC0) == 0x80) ++end;
            each[d] = digits.substr(at, end - at);
            at = end;
        }
        return each;
    }

    void ReadSet(RuleSet& set, std::size_t setCount) {
        set.name = Text();
        const auto flags = in_.Byte();
        set.isPublic = (flags & kPublicSet) != 0;
        set.isFraction = (flags & kFractionSet) != 0;
        const auto count = in_.Count();
        std::uint64_t previousBase = 0;
        std::vector<std::uint32_t> greaterRules;
        for (std::uint64_t r = 0; r < count; ++r) {
            Rule rule = ReadRule(set, previousBase, setCount, greaterRules);
            (rule.kind == RuleKind::Normal ? set.rules : rule.kind == RuleKind::Large ? set.large : set.special).push_back(std::move(rule));
        }
        for (const Rule& rule : set.rules) set.bases.push_back(rule.base);
        for (const std::uint32_t rule : greaterRules) {
            if (rule >= set.rules.size()) throw std::runtime_error("compiled rules: no such rule");
        }
        for (const Rule& rule : set.special) {
            switch (rule.kind) {
            case RuleKind::Negative: set.negative = &rule; break;
            case RuleKind::Improper: set.improper = &rule; break;
            case RuleKind::Proper: set.proper = &rule; break;
            case RuleKind::Master: set.master = &rule; break;
            default: break;
            }
        }
    }

    // A rule; the index of each rule a >>> substitution names goes to `greaterRules`,
    // checked once the set's rules are known.
    Rule ReadRule(const RuleSet& set, std::uint64_t& previousBase, std::size_t setCount, std::vector<std::uint32_t>& greaterRules) {
        Rule rule;
        const auto head = in_.Byte();
        rule.kind = KindOfRule(head);
        if (rule.kind > RuleKind::Large) throw std::runtime_error("compiled rules: no such rule kind");
        if (rule.kind == RuleKind::Normal) {
            rule.base = previousBase + in_.Number();
            previousBase = rule.base;
            if ((head & kRadixFollows) != 0) rule.radix = in_.Number();
            if (rule.radix < 2) throw std::runtime_error("compiled rules: a radix below 2");
            const std::uint64_t expected = ExpectedExponent(rule.base, rule.radix);
            rule.exponent = (head & kExponentFollows) != 0 ? in_.Number() : expected;
            if (rule.exponent > expected) throw std::runtime_error("compiled rules: an exponent above the base's");
            rule.divisor = RuleDivisor(rule.radix, rule.exponent);
        } else if (rule.kind == RuleKind::Large) {
            rule.exponent = in_.Number();
            if (rule.exponent < kLargeExponent || rule.exponent > kLargestExponent ||
                (!set.large.empty() && rule.exponent < set.large.back().exponent)) {
                throw std::runtime_error("compiled rules: a large base out of order");
            }
        }
        const std::uint64_t count = PieceCountOfRule(head);
        rule.pieces.resize(count == kPieceCountFollows ? in_.Count() : count);
        for (Piece& piece : rule.pieces) {
            ReadPiece(piece, setCount);
            const bool rest = piece.kind == PieceKind::Substitution && (piece.sub == SubKind::Greater || piece.sub == SubKind::GreaterRule);
            rule.hasRest = rule.hasRest || rest;
            if (piece.kind == PieceKind::Substitution && piece.sub == SubKind::GreaterRule) greaterRules.push_back(piece.ruleToUse);
        }
        return rule;
    }

    void ReadPiece(Piece& piece, std::size_t setCount) {
        const auto type = in_.Byte();
        piece.kind = KindOfPiece(type);
        switch (piece.kind) {
        case PieceKind::Text:
            piece.text = Text();
            break;
        case PieceKind::Substitution:
            ReadSubstitution(piece, TypeOfPiece(type), setCount);
            break;
        case PieceKind::Plural:
            if (TypeOfPiece(type) > static_cast<unsigned>(PluralType::Ordinal)) throw std::runtime_error("compiled rules: no such plural type");
            piece.plural = static_cast<PluralType>(TypeOfPiece(type));
            piece.forms.resize(in_.Count());
            for (auto& [category, text] : piece.forms) {
                category = CategoryOf(in_.Byte());
                text = Text();
            }
            break;
        default:
            throw std::runtime_error("compiled rules: no such piece");
        }
    }

    void ReadSubstitution(Piece& piece, unsigned type, std::size_t setCount) {
        if (type > static_cast<unsigned>(SubKind::NumeratorWithZeros)) throw std::runtime_error("compiled rules: no such substitution");
        piece.sub = static_cast<SubKind>(type);
        if (piece.sub == SubKind::GreaterRule) piece.ruleToUse = static_cast<std::uint32_t>(in_.Number());
        piece.target = static_cast<std::uint32_t>(in_.Number());
        if (piece.target == kPattern) {
            PatternNumbers& p = piece.pattern;
            for (std::uint64_t* field : {&p.minInteger, &p.minFraction, &p.maxFraction, &p.group, &p.secondaryGroup}) {
                *field = in_.Number();
                if (*field > kMostPatternDigits) throw std::runtime_error("compiled rules: a decimal pattern past its bounds");
            }
        } else if (piece.target >= kFirstSet + setCount) {
            throw std::runtime_error("compiled rules: no such rule set");
        }
    }

    ByteReader& in_;
    const std::vector<std::string_view>& pool_;
};

}  // namespace

PluralCategory PluralRules::Select(std::uint64_t n) const {
    for (const Category& category : categories) {
        if (category.conditions.empty()) return category.category;
        for (const auto& relations : category.conditions) {
            bool all = true;
            for (const Relation& relation : relations) {
                // A whole number: n and i are the number, the rest are zero.
                std::uint64_t value = relation.operand == PluralOperand::N || relation.operand == PluralOperand::I ? n : 0;
                if (relation.modulus != 0) value %= relation.modulus;
                bool in = false;
                for (const auto& [low, high] : relation.ranges) in = in || (value >= low && value <= high);
                if (in == relation.negated) {
                    all = false;
                    break;
                }
            }
            if (all) return category.category;
        }
    }
    return PluralCategory::Other;
}

std::size_t RuleSet::RuleFor(std::uint64_t n) const {
    const auto at = std::lower_bound(bases.begin(), bases.end(), n);
    const auto hi = static_cast<std::size_t>(at - bases.begin());
    if (at != bases.end() && *at == n) return hi;
    if (hi == 0) return kNoRule;
    const Rule& rule = rules[hi - 1];
    if (rule.RollsBack(n % rule.divisor == 0)) return hi == 1 ? kNoRule : hi - 2;
    return hi - 1;
}

const RuleSet* Locale::Find(std::string_view name) const {
    for (const RuleSet& set : sets) {
        if (set.name == name) return &set;
    }
    return nullptr;
}

RuleBook::RuleBook(std::string_view data) : data_(data) {
    if (!data.starts_with(kRuleDataMagic)) throw std::runtime_error("compiled rules: not of this form");
    ByteReader in(data, kRuleDataMagic.size());
    pool_.resize(in.Count());
    for (auto& text : pool_) text = in.Bytes(in.Number());
    locales_.resize(in.Count());
    for (auto& [name, offset] : locales_) {
        name = Text(in, pool_);
        offset = in.Offset();
    }
    aliases_.resize(in.Count());
    for (auto& [from, to] : aliases_) {
        from = Text(in, pool_);
        to = Text(in, pool_);
    }
    loaded_.resize(locales_.size());
}

const Locale& RuleBook::Load(std::size_t index) const {
    const std::lock_guard lock(mutex_);
    if (loaded_[index]) return *loaded_[index];
    ByteReader in(data_, locales_[index].second);
    auto locale = LocaleLoader(in, pool_).Read(locales_[index].first);
    loaded_[index] = std::move(locale);
    return *loaded_[index];
}

const Locale* RuleBook::Find(std::string_view tag) const {
    const auto compiled = [this](std::string_view name) -> const Locale* {
        for (std::size_t i = 0; i < locales_.size(); ++i) {
            if (locales_[i].first == name) return &Load(i);
        }
        return nullptr;
    };
    for (std::string id = LocaleId(tag); !id.empty(); id = TruncatedParent(id)) {
        // An alias names the compiled locale itself, or none: it ends the search.
        for (const auto& [from, to] : aliases_) {
            if (from == id) return to.empty() ? nullptr : compiled(to);
        }
        if (const Locale* locale = compiled(id)) return locale;
    }
    return nullptr;
}

std::vector<std::string_view> RuleBook::Names() const {
    std::vector<std::string_view> names;
    for (const auto& [name, offset] : locales_) names.push_back(name);
    return names;
}

}  // namespace zorv::spell
