#include "interpreter.h"

#include <algorithm>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "decimal.h"
#include "written_number.h"

namespace zorv::spell {
namespace {

using u64 = std::uint64_t;
__extension__ typedef unsigned __int128 u128;

// Substitutions within substitutions before the rules are held to loop: enough for a
// number of kMostDigits digits through rules that pass each rest through a helper set.
constexpr int kDeepest = 1024;

// The words of each value below kSmallValues in one rule set, as offsets and lengths
// in `text` (kNoWords for a value whose spelling fails).
struct SmallNumberWords {
    static constexpr u64 kSmallValues = 1000;
    static constexpr std::uint32_t kNoWords = 0xFFFFFFFF;
    std::string text;
    std::vector<std::pair<std::uint32_t, std::uint32_t>> words;
};

// The small numbers' words of every rule set of a locale, by the set's index. Intended
// for speed: the groups of two and three digits that make up larger numbers are then
// copied, not spelled again, which makes spelling the mixed benchmark corpus 1.4
// (Hindi) to 2.3 (German) times as fast (bench/spell_bench.cpp, en, de, ru and hi).
struct LocaleSmallWords {
    std::vector<SmallNumberWords> sets;
};

// An exact value: its sign, its whole part and the digits written after its point.
struct SignedValue {
    WholeNumber whole;
    std::string_view fraction;
    bool negative = false;

    [[nodiscard]] bool HasFraction() const { return !fraction.empty(); }
};

class RuleInterpreter {
public:
    RuleInterpreter(const Locale& locale, const LocaleSmallWords& small, std::string& out)
        : locale_(locale), small_(small), out_(out) {}

    void FormatWhole(const RuleSet& set, const WholeNumber& n, bool negative, int depth) {
        if (++depth > kDeepest) throw SpellError("the rules call themselves without end");
        if (!negative && !n.IsBig() && CopySmallWords(set, n.small)) return;
        if (set.isFraction) {  // only zero reaches a fraction rule set this way
            FormatValue(set, SignedValue{n, "0", negative}, depth);
            return;
        }
        if (negative && set.negative != nullptr) {
            ApplyWhole(set, *set.negative, n, false, depth);
            return;
        }
        if (n.IsBig() && !set.large.empty()) {
            if (const Rule* rule = LargeRuleFor(set, *n.big)) {
                ApplyLarge(set, *rule, n, negative, depth);
                return;
            }
        }
        ApplyWhole(set, set.rules[FindNormal(set, n)], n, negative, depth);
    }

    void FormatValue(const RuleSet& set, const SignedValue& v, int depth) {
        if (++depth > kDeepest) throw SpellError("the rules call themselves without end");
        if (set.isFraction) {
            ApplyValue(set, set.rules[FindFraction(set, v)], v, depth);
            return;
        }
        // A negative value without a -x rule is spelled by its magnitude's rule, which
        // passes the sign on through == and decimal patterns.
        if (v.negative && set.negative != nullptr) {
            ApplyValue(set, *set.negative, v, depth);
            return;
        }
        const Rule* rule = v.whole.IsZero() && set.proper != nullptr ? set.proper
                           : set.improper != nullptr                 ? set.improper
                                                                     : set.master;
        if (rule != nullptr) {
            ApplyValue(set, *rule, v, depth);
            return;
        }
        // No fraction rule: the rule of the nearest whole number spells the value.
        std::string whole = v.whole.Digits(), fraction(v.fraction);
        RoundToPlaces(whole, fraction, 0, Rounding::HalfUp);
        ApplyValue(set, set.rules[FindNormal(set, WholeOf(whole))], v, depth);
    }

private:
    // Appends the kept words of `n` in `set`; false when there are none.
    bool CopySmallWords(const RuleSet& set, u64 n) {
        const auto index = static_cast<std::size_t>(&set - locale_.sets.data());
        if (index >= small_.sets.size() || n >= small_.sets[index].words.size()) return false;
        const SmallNumberWords& small = small_.sets[index];
        const auto [offset, length] = small.words[n];
        if (length == SmallNumberWords::kNoWords) return false;
        out_.append(small.text.data() + offset, length);
        return true;
    }

    const RuleSet& Target(const RuleSet& set, const Piece& piece) const {
        return piece.target == kOwningSet ? set : locale_.sets[piece.target - kFirstSet];
    }

    // Writes a rule's pieces: its texts, its plural forms by the count `countOf()`
    // gives, and each substitution through `substitute`.
    template <typename CountOf, typename Substitute>
    void WritePieces(const Rule& rule, CountOf countOf, Substitute substitute) {
        for (const Piece& piece : rule.pieces) {
            switch (piece.kind) {
            case PieceKind::Text: out_ += piece.text; break;
            case PieceKind::Plural: Plural(piece, countOf()); break;
            case PieceKind::Substitution: substitute(piece); break;
            }
        }
    }

    // The rule for a whole number (RuleSet::RuleFor); past 64 bits, the last rule.
    std::size_t FindNormal(const RuleSet& set, const WholeNumber& n) const {
        std::size_t index = RuleSet::kNoRule;
        if (!n.IsBig()) {
            index = set.RuleFor(n.small);
        } else if (!set.rules.empty()) {
            const Rule& rule = set.rules.back();
            const bool rollBack = rule.RollsBack(DivMod(n, rule.divisor).second == 0);
            index = rollBack ? set.rules.size() - 2 : set.rules.size() - 1;  // wraps to kNoRule for one rule
        }
        if (index == RuleSet::kNoRule) throw SpellError("no rule of " + std::string(set.name) + " spells " + n.Digits());
        return index;
    }

    // The Large rule for a number past 64 bits (its digits): the last whose power of
    // ten is not above it, or its twin for a rest of zero. Null below the first.
    static const Rule* LargeRuleFor(const RuleSet& set, const std::string& digits) {
        const auto above = std::upper_bound(set.large.begin(), set.large.end(), digits.size() - 1,
                                            [](std::size_t exponent, const Rule& rule) { return exponent < rule.exponent; });
        if (above == set.large.begin()) return nullptr;
        const Rule* rule = &*std::prev(above);
        const bool restIsZero = digits.find_first_not_of('0', digits.size() - rule->exponent) == std::string::npos;
        if (restIsZero && rule != set.large.data() && std::prev(rule)->exponent == rule->exponent) --rule;
        return rule;
    }

    // A number past 64 bits by a Large rule: << is the part above 10^exponent and >>
    // the rest below it, each cut from the digits.
    void ApplyLarge(const RuleSet& set, const Rule& rule, const WholeNumber& n, bool negative, int depth) {
        const std::string_view digits = *n.big;
        const std::size_t split = digits.size() - rule.exponent;
        const WholeNumber above = WholeOf(digits.substr(0, split)), rest = WholeOf(digits.substr(split));
        WritePieces(rule, [&] { return above; }, [&](const Piece& piece) {
            if (piece.sub == SubKind::Equal) {
                FormatWholeWith(set, piece, n, negative, depth);
            } else if (piece.sub == SubKind::Less) {
                FormatWholeWith(set, piece, above, negative, depth);
            } else if (piece.sub == SubKind::Greater) {
                FormatWholeWith(set, piece, rest, negative && !rest.IsZero(), depth);
            } else {
                throw SpellError("a rule of " + std::string(set.name) + " past 64 bits takes no numerator");
            }
        });
    }

    // The least common multiple of the base values of a fraction rule set's rules.
    static u64 CommonDenominator(const RuleSet& set) {
        u64 lcm = 1;
        for (const Rule& rule : set.rules) {
            if (rule.base == 0) continue;
            u64 a = lcm, b = rule.base;
            while (b != 0) a = std::exchange(b, a % b);
            const u128 next = static_cast<u128>(lcm / a) * rule.base;
            if (next > UINT64_MAX) throw SpellError("the fraction rule set " + std::string(set.name) + " is too large");
            lcm = static_cast<u64>(next);
        }
        return lcm;
    }

    // The rule of a fraction rule set for a value below 1: the one whose base value
    // times the value comes nearest a whole number, as rule-based formats choose it.
    static std::size_t FindFraction(const RuleSet& set, const SignedValue& v) {
        if (set.rules.empty()) throw SpellError("the fraction rule set " + std::string(set.name) + " has no rules");
        const u64 lcm = CommonDenominator(set);
        const WholeNumber numerator = ScaledFraction(v.fraction, lcm);
        const u64 top = numerator.IsBig() ? 0 : numerator.small;
        std::size_t winner = 0;
        u64 difference = UINT64_MAX;
        for (std::size_t i = 0; i < set.rules.size(); ++i) {
            u64 temp = static_cast<u64>(static_cast<u128>(top) * set.rules[i].base % lcm);
            if (lcm - temp < temp) temp = lcm - temp;
            if (temp < difference) {
                difference = temp;
                winner = i;
                if (difference == 0) break;
            }
        }
        // Two rules with one base value: the first for a numerator of 1, the second
        // for any other ("one third", "two thirds").
        if (winner + 1 < set.rules.size() && set.rules[winner + 1].base == set.rules[winner].base) {
            const std::string product = MultiplySmall(v.fraction, set.rules[winner].base);
            const std::string half = DigitThenZeros('5', v.fraction.size() - 1);
            const std::string two = DigitThenZeros('2', v.fraction.size());
            if (LessDigits(product, half) || !LessDigits(product, two)) ++winner;
        }
        return winner;
    }

    void Plural(const Piece& piece, const WholeNumber& value) {
        // The value is cut to 32 bits and read as signed, as rule-based formats pass
        // it on; the plural rules read its magnitude.
        const auto low = static_cast<std::uint32_t>(DivMod(value, u64{1} << 32).second);
        const auto cut = static_cast<std::int32_t>(low);
        const u64 magnitude = cut < 0 ? u64{0} - static_cast<u64>(static_cast<std::int64_t>(cut)) : static_cast<u64>(cut);
        const PluralRules& rules = piece.plural == PluralType::Cardinal ? locale_.cardinal : locale_.ordinal;
        const PluralCategory category = rules.Select(magnitude);
        std::string_view other;
        for (const auto& [form, text] : piece.forms) {
            if (form == category) {
                out_ += text;
                return;
            }
            if (form == PluralCategory::Other) other = text;
        }
        out_ += other;
    }

    void FormatWholeWith(const RuleSet& set, const Piece& piece, const WholeNumber& n, bool negative, int depth) {
        if (piece.target == kPattern) {
            WritePattern(piece.pattern, SignedValue{n, {}, negative});
        } else {
            FormatWhole(Target(set, piece), n, negative, depth);
        }
    }

    void FormatValueWith(const RuleSet& set, const Piece& piece, const SignedValue& v, int depth) {
        if (piece.target == kPattern) {
            WritePattern(piece.pattern, v);
        } else if (v.HasFraction()) {
            FormatValue(Target(set, piece), v, depth);
        } else {
            FormatWhole(Target(set, piece), v.whole, v.negative, depth);
        }
    }

    // A whole number by one rule. A negative number reaches a rule other than -x when
    // its rule set has none: the rule is the magnitude's, and its substitutions get
    // signed parts (a quotient and a remainder with the number's sign), as 64-bit
    // arithmetic gives them.
    void ApplyWhole(const RuleSet& set, const Rule& rule, const WholeNumber& n, bool negative, int depth) {
        std::optional<std::pair<WholeNumber, u64>> parts;  // n / divisor and n % divisor, when a piece needs them
        const auto divided = [&]() -> const std::pair<WholeNumber, u64>& {
            if (!parts) parts = DivMod(n, rule.divisor);
            return *parts;
        };
        WritePieces(rule, [&] { return divided().first; }, [&](const Piece& piece) {
            if (rule.kind == RuleKind::Negative) {
                FormatWholeWith(set, piece, n, false, depth);
            } else if (piece.sub == SubKind::Equal) {
                FormatWholeWith(set, piece, n, negative, depth);
            } else if (piece.sub != SubKind::Greater && piece.sub != SubKind::GreaterRule) {
                const WholeNumber part = piece.sub != SubKind::Less ? WholeOf(MultiplySmall(n.Digits(), rule.base)) : divided().first;
                FormatWholeWith(set, piece, part, negative && !part.IsZero(), depth);
            } else {
                const WholeNumber rest{divided().second, {}};
                if (piece.sub == SubKind::GreaterRule) {
                    ApplyWhole(set, set.rules[piece.ruleToUse], rest, negative && !rest.IsZero(), depth + 1);
                } else {
                    FormatWholeWith(set, piece, rest, negative && !rest.IsZero(), depth);
                }
            }
        });
    }

    void ApplyValue(const RuleSet& set, const Rule& rule, const SignedValue& v, int depth) {
        const bool fractionRule = rule.kind == RuleKind::Improper || rule.kind == RuleKind::Proper || rule.kind == RuleKind::Master;
        // Below 1 (in a fraction rule set) a plural counts the numerator, else the
        // number of divisors.
        const auto count = [&] {
            return v.whole.IsZero() ? ScaledFraction(v.fraction, rule.divisor) : DivMod(v.whole, rule.divisor).first;
        };
        WritePieces(rule, count, [&](const Piece& piece) {
            if (piece.sub == SubKind::Equal) {
                FormatValueWith(set, piece, v, depth);
            } else if (rule.kind == RuleKind::Negative) {
                SignedValue magnitude = v;
                magnitude.negative = false;
                FormatValueWith(set, piece, magnitude, depth);
            } else if (fractionRule && piece.sub == SubKind::Less) {
                // The integral part is the floor: -479.2 has -480.
                const bool below = v.negative && v.fraction.find_first_not_of('0') != std::string::npos;
                FormatWholeWith(set, piece, below ? Next(v.whole) : v.whole, v.negative, depth);
            } else if (fractionRule) {
                Fraction(set, piece, v, depth);
            } else if (piece.sub == SubKind::Numerator || piece.sub == SubKind::NumeratorWithZeros) {
                Numerator(set, rule, piece, v, depth);
            } else if (piece.sub == SubKind::Less) {
                FormatWholeWith(set, piece, DivMod(v.whole, rule.divisor).first, false, depth);
            } else {
                const SignedValue rest{WholeNumber{DivMod(v.whole, rule.divisor).second, {}}, v.fraction, false};
                if (piece.sub == SubKind::GreaterRule) {
                    ApplyValue(set, set.rules[piece.ruleToUse], rest, depth + 1);
                } else {
                    FormatValueWith(set, piece, rest, depth);
                }
            }
        });
    }

    // The numerator of a value below 1 over the rule's base, with a "zero" for each
    // place it falls short of the base where the substitution asks for them.
    void Numerator(const RuleSet& set, const Rule& rule, const Piece& piece, const SignedValue& v, int depth) {
        const WholeNumber numerator = ScaledFraction(v.fraction, rule.base);
        if (piece.sub == SubKind::NumeratorWithZeros && piece.target != kPattern && !numerator.IsBig() && numerator.small != 0) {
            for (u64 shifted = numerator.small * 10; shifted < rule.base; shifted *= 10) {
                FormatWhole(Target(set, piece), WholeNumber{}, false, depth);
                out_ += ' ';
            }
        }
        FormatWholeWith(set, piece, numerator, false, depth);
    }

    // The fraction of a fraction rule: digit by digit, with spaces between them unless
    // the substitution is >>>, or as a whole through a fraction rule set.
    void Fraction(const RuleSet& set, const Piece& piece, const SignedValue& v, int depth) {
        if (piece.target == kPattern) {
            WritePattern(piece.pattern, SignedValue{WholeNumber{}, v.fraction, false});
            return;
        }
        const RuleSet& target = Target(set, piece);
        if (piece.target != kOwningSet && &target != &set) {
            FormatValue(target, SignedValue{WholeNumber{}, v.fraction, false}, depth);
            return;
        }
        for (std::size_t i = 0; i < v.fraction.size(); ++i) {
            if (i > 0 && piece.sub != SubKind::GreaterRule) out_ += ' ';
            FormatWhole(target, WholeNumber{static_cast<u64>(v.fraction[i] - '0'), {}}, false, depth);
        }
    }

    // A value as a decimal pattern writes it, in the locale's digits and separators,
    // rounded half to even at its last fraction digit.
    void WritePattern(const PatternNumbers& pattern, const SignedValue& v) {
        std::string whole = v.whole.Digits();
        std::string fraction(v.fraction);
        RoundToPlaces(whole, fraction, static_cast<std::size_t>(pattern.maxFraction), Rounding::HalfEven);
        while (fraction.size() > pattern.minFraction && fraction.back() == '0') fraction.pop_back();
        while (fraction.size() < pattern.minFraction) fraction.push_back('0');
        whole = std::string(StripZeros(whole));
        if (whole == "0" && pattern.minInteger == 0) whole.clear();
        while (whole.size() < pattern.minInteger) whole.insert(0, 1, '0');

        if (v.negative) out_ += locale_.minus;
        for (std::size_t i = 0; i < whole.size(); ++i) {
            const std::size_t left = whole.size() - i;  // digits from here to the end
            if (i > 0 && pattern.group != 0 &&
                (left == pattern.group || (left > pattern.group && pattern.secondaryGroup != 0 &&
                                           (left - pattern.group) % pattern.secondaryGroup == 0))) {
                out_ += locale_.grouping;
            }
            out_ += locale_.digits[static_cast<std::size_t>(whole[i] - '0')];
        }
        if (!fraction.empty()) {
            out_ += locale_.decimal;
            for (const char c : fraction) out_ += locale_.digits[static_cast<std::size_t>(c - '0')];
        }
    }

    const Locale& locale_;
    const LocaleSmallWords& small_;
    std::string& out_;
};

// Spells the values below kSmallValues with every rule set of `locale`, each set in
// turn, a set's words found by the sets after it.
std::unique_ptr<const LocaleSmallWords> MakeSmallWords(const Locale& locale) {
    auto small = std::make_unique<LocaleSmallWords>();
    small->sets.resize(locale.sets.size());
    for (std::size_t s = 0; s < locale.sets.size(); ++s) {
        const RuleSet& set = locale.sets[s];
        if (set.isFraction) continue;
        SmallNumberWords words;
        for (u64 n = 0; n < SmallNumberWords::kSmallValues; ++n) {
            const auto offset = static_cast<std::uint32_t>(words.text.size());
            try {
                RuleInterpreter(locale, *small, words.text).FormatWhole(set, WholeNumber{n, {}}, false, 0);
                words.words.emplace_back(offset, static_cast<std::uint32_t>(words.text.size() - offset));
            } catch (const SpellError&) {
                words.text.resize(offset);
                words.words.emplace_back(offset, SmallNumberWords::kNoWords);
            }
        }
        small->sets[s] = std::move(words);
    }
    return small;
}

}  // namespace

void SpellDigitsInto(const Locale& locale, const RuleSet& set, bool negative, std::string_view whole,
                     std::string_view fraction, std::string& out) {
    const LocaleSmallWords& small = locale.derived.Get<LocaleSmallWords>([&] { return MakeSmallWords(locale); });
    RuleInterpreter interpreter(locale, small, out);
    const WholeNumber value = WholeOf(whole);
    if (fraction.empty()) {
        interpreter.FormatWhole(set, value, negative && !value.IsZero(), 0);
    } else {
        interpreter.FormatValue(set, SignedValue{value, fraction, negative}, 0);
    }
}

void SpellInto(const Locale& locale, const RuleSet& set, std::string_view number, std::string& out) {
    const WrittenNumber written = ReadWrittenNumber(number);
    SpellDigitsInto(locale, set, written.negative, written.whole, written.fraction, out);
}

std::string Spell(const Locale& locale, const RuleSet& set, std::string_view number) {
    std::string out;
    out.reserve(256);
    SpellInto(locale, set, number, out);
    return out;
}

}  // namespace zorv::spell
