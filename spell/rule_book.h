// The compiled rules of every locale, read from their binary form (rule_data.h): the
// rule sets, their rules, the plural rules they consult and the symbols their decimal
// patterns write. A locale is read on first use.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "rule_data.h"

namespace zorv::spell {

struct Piece {
    PieceKind kind = PieceKind::Text;
    std::string_view text;                 // Text
    SubKind sub = SubKind::Less;           // Substitution
    std::uint32_t ruleToUse = 0;           // Substitution >>>: the index of its rule
    std::uint32_t target = kOwningSet;     // Substitution: kOwningSet, kPattern or kFirstSet + set
    PatternNumbers pattern;                // Substitution with kPattern
    PluralType plural = PluralType::Cardinal;  // Plural
    std::vector<std::pair<PluralCategory, std::string_view>> forms;
};

struct Rule {
    RuleKind kind = RuleKind::Normal;
    std::uint64_t base = 0, radix = 10, exponent = 0;
    std::uint64_t divisor = 1;     // radix^exponent
    bool hasRest = false;          // a >> or >>> substitution
    std::vector<Piece> pieces;

    // Whether a number that is a multiple of the divisor takes the rule before this
    // one: so when the rule spells a rest and its own base is no such multiple (200
    // is "two hundred", not "two hundred zero").
    [[nodiscard]] bool RollsBack(bool multipleOfDivisor) const { return hasRest && base % divisor != 0 && multipleOfDivisor; }
};

struct RuleSet {
    std::string_view name;  // without its leading % or %%
    bool isPublic = false, isFraction = false;
    std::vector<Rule> rules;    // the rules with a base value, ascending
    std::vector<std::uint64_t> bases;  // their base values, in the same order
    // The rules with a base of 10^exponent past 64 bits, ascending; where two share a
    // base, the first is for a number whose rest below the base is zero.
    std::vector<Rule> large;
    std::vector<Rule> special;  // -x, x.x, 0.x and x.0, reached through the pointers
    const Rule* negative = nullptr;
    const Rule* improper = nullptr;
    const Rule* proper = nullptr;
    const Rule* master = nullptr;

    static constexpr std::size_t kNoRule = static_cast<std::size_t>(-1);

    // The index of the rule for a whole number: the last whose base value is not
    // above it, or the one before that when the number is a multiple of the rule's
    // divisor and the rule's own base is not (so that 200 is "two hundred", not "two
    // hundred zero"). kNoRule when no rule applies.
    [[nodiscard]] std::size_t RuleFor(std::uint64_t n) const;
};

class PluralRules {
public:
    struct Relation {
        PluralOperand operand;
        std::uint64_t modulus;
        bool negated;
        std::vector<std::pair<std::uint64_t, std::uint64_t>> ranges;
    };
    struct Category {
        PluralCategory category;
        std::vector<std::vector<Relation>> conditions;  // an OR of ANDs; none: always
    };

    // The category of a whole number (its sign does not count), as CLDR's rules give.
    [[nodiscard]] PluralCategory Select(std::uint64_t n) const;

    std::vector<Category> categories;
};

// A table that a user of the rules derives from a locale and keeps with it (the
// interpreter's words of the small numbers): made once, by the first caller that asks,
// and freed with the locale. The rule book itself never makes one. Each locale keeps
// one table, of the one type its user asks for.
class DerivedTable {
public:
    // The table, made by `make()` (a std::unique_ptr<const T>) on the first call.
    template <typename T, typename Make>
    const T& Get(Make make) const {
        std::call_once(once_, [&] { table_ = std::shared_ptr<const T>(make()); });
        return *static_cast<const T*>(table_.get());
    }

private:
    mutable std::once_flag once_;
    mutable std::shared_ptr<const void> table_;
};

struct Locale {
    std::string_view name;
    std::string_view decimal, grouping, minus;
    std::array<std::string_view, 10> digits;
    PluralRules cardinal, ordinal;
    std::vector<RuleSet> sets;
    DerivedTable derived;

    // The rule set of that name, public or private; null when there is none.
    [[nodiscard]] const RuleSet* Find(std::string_view name) const;
};

class RuleBook {
public:
    // Reads the binary form; the data must outlive the book. Throws std::runtime_error
    // for data that is not of this form.
    explicit RuleBook(std::string_view data);

    // The rules compiled into the converter, from every locale CLDR spells.
    static const RuleBook& Builtin();

    // The English rules for documents (one locale, "en"), from spell/rules/en.txt.
    static const RuleBook& Document();

    // The locale for a language tag ("de", "de-CH", "sr-Latn-RS", "en_GB"), through the
    // locale's parents as CLDR gives them; null when no locale of the language has rules.
    [[nodiscard]] const Locale* Find(std::string_view tag) const;

    // The names of the compiled locales, in order ("af", "ak", ...).
    [[nodiscard]] std::vector<std::string_view> Names() const;

private:
    const Locale& Load(std::size_t index) const;

    std::string_view data_;
    std::vector<std::string_view> pool_;
    std::vector<std::pair<std::string_view, std::size_t>> locales_;  // name, offset
    // A locale ID and the compiled locale whose rules it takes, or "" for none.
    std::vector<std::pair<std::string_view, std::string_view>> aliases_;
    mutable std::vector<std::unique_ptr<Locale>> loaded_;
    mutable std::mutex mutex_;
};

}  // namespace zorv::spell
