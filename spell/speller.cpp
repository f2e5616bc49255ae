#include "speller.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <optional>
#include <utility>

namespace zorv::spell {
namespace {

using u64 = std::uint64_t;
__extension__ typedef unsigned __int128 u128;

// Substitutions within substitutions before the rules are held to loop: enough for a
// number of kMostDigits digits through rules that pass each rest through a helper set.
constexpr int kDeepest = 1024;

// --- Exact arithmetic on decimal digit strings ----------------------------------

std::string_view StripZeros(std::string_view digits) {
    while (digits.size() > 1 && digits.front() == '0') digits.remove_prefix(1);
    return digits.empty() ? "0" : digits;
}

// a < b, for digit strings without leading zeros.
bool Less(std::string_view a, std::string_view b) { return a.size() != b.size() ? a.size() < b.size() : a < b; }

std::string MultiplySmall(std::string_view digits, u64 factor) {
    std::string product(digits.size() + 20, '0');
    u128 carry = 0;
    std::size_t at = product.size();
    for (std::size_t i = digits.size(); i-- > 0;) {
        carry += static_cast<u128>(static_cast<unsigned>(digits[i] - '0')) * factor;
        product[--at] = static_cast<char>('0' + static_cast<unsigned>(carry % 10));
        carry /= 10;
    }
    while (carry != 0) {
        product[--at] = static_cast<char>('0' + static_cast<unsigned>(carry % 10));
        carry /= 10;
    }
    return std::string(StripZeros(product));
}

std::string AddDigits(std::string_view a, std::string_view b) {
    std::string sum;
    unsigned carry = 0;
    for (std::size_t i = 0; i < a.size() || i < b.size() || carry != 0; ++i) {
        unsigned digit = carry;
        if (i < a.size()) digit += static_cast<unsigned>(a[a.size() - 1 - i] - '0');
        if (i < b.size()) digit += static_cast<unsigned>(b[b.size() - 1 - i] - '0');
        sum.push_back(static_cast<char>('0' + digit % 10));
        carry = digit / 10;
    }
    return std::string(sum.rbegin(), sum.rend());
}

// `digit` followed by `zeros` zeros: "5000" for ('5', 3).
std::string DigitThenZeros(char digit, std::size_t zeros) {
    std::string text(zeros + 1, '0');
    text[0] = digit;
    return text;
}

// A whole number: in 64 bits while it fits, else its decimal digits. Cheap to copy:
// most numbers spelled never leave 64 bits.
struct Whole {
    u64 small = 0;
    std::shared_ptr<const std::string> big;  // 20 digits or more, no leading zero; null while `small` holds it

    [[nodiscard]] bool IsBig() const { return big != nullptr; }
    [[nodiscard]] bool IsZero() const { return !IsBig() && small == 0; }
    [[nodiscard]] std::string Digits() const { return IsBig() ? *big : std::to_string(small); }
};

Whole WholeOf(std::string_view digits) {
    digits = StripZeros(digits);
    constexpr std::string_view kMost = "18446744073709551615";
    if (digits.size() < kMost.size() || (digits.size() == kMost.size() && digits <= kMost)) {
        u64 value = 0;
        for (const char c : digits) value = value * 10 + static_cast<unsigned>(c - '0');
        return {value, {}};
    }
    return {0, std::make_shared<const std::string>(digits)};
}

// n / d and n % d, for d > 0.
std::pair<Whole, u64> DivMod(const Whole& n, u64 d) {
    if (!n.IsBig()) return {Whole{n.small / d, {}}, n.small % d};
    std::string quotient;
    u128 rest = 0;
    for (const char c : *n.big) {
        rest = rest * 10 + static_cast<unsigned>(c - '0');
        quotient.push_back(static_cast<char>('0' + static_cast<unsigned>(rest / d)));
        rest %= d;
    }
    return {WholeOf(quotient), static_cast<u64>(rest)};
}

// floor(digits × 10^-scale × factor + 1/2): a fraction's digits times a whole number,
// rounded half up, as ICU rounds numerators.
Whole RoundScaled(std::string_view digits, std::size_t scale, u64 factor) {
    std::string product = MultiplySmall(digits, factor);
    if (scale == 0) return WholeOf(product);
    product = AddDigits(product, DigitThenZeros('5', scale - 1));
    return product.size() <= scale ? Whole{} : WholeOf(std::string_view(product).substr(0, product.size() - scale));
}

// An exact value: its sign, its whole part and the digits written after its point
// (a view of the text spelled).
struct Value {
    Whole whole;
    std::string_view fraction;
    bool negative = false;

    [[nodiscard]] bool HasFraction() const { return !fraction.empty(); }
};

// --- The interpreter --------------------------------------------------------------

class Speller {
public:
    Speller(const Locale& locale, std::string& out) : locale_(locale), out_(out) {}

    void FormatWhole(const RuleSet& set, const Whole& n, bool negative, int depth) {
        if (++depth > kDeepest) throw SpellError("the rules call themselves without end");
        if (!negative && !n.IsBig() && n.small < set.smallWords.size()) {
            const auto [offset, length] = set.smallWords[n.small];
            if (length != RuleSet::kNoWords) {
                out_.append(set.smallText.data() + offset, length);
                return;
            }
        }
        if (set.isFraction) {  // only zero reaches a fraction rule set this way
            FormatValue(set, Value{n, "0", negative}, depth);
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

    void FormatValue(const RuleSet& set, Value v, int depth) {
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
        Whole rounded = v.whole;
        if (v.fraction[0] >= '5') rounded = WholeOf(AddDigits(v.whole.Digits(), "1"));
        ApplyValue(set, set.rules[FindNormal(set, rounded)], v, depth);
    }

private:
    const RuleSet& Target(const RuleSet& set, const Piece& piece) const {
        return piece.target == kOwningSet ? set : locale_.sets[piece.target - kFirstSet];
    }

    // The rule for a whole number (RuleSet::RuleFor); past 64 bits, the last rule.
    std::size_t FindNormal(const RuleSet& set, const Whole& n) const {
        std::size_t index = RuleSet::kNoRule;
        if (!n.IsBig()) {
            index = set.RuleFor(n.small);
        } else if (!set.rules.empty()) {
            const Rule& rule = set.rules.back();
            const bool rollBack = rule.hasModulus && rule.base % rule.divisor != 0 && DivMod(n, rule.divisor).second == 0;
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
    void ApplyLarge(const RuleSet& set, const Rule& rule, const Whole& n, bool negative, int depth) {
        const std::string_view digits = *n.big;
        const std::size_t split = digits.size() - rule.exponent;
        const Whole above = WholeOf(digits.substr(0, split)), rest = WholeOf(digits.substr(split));
        for (const Piece& piece : rule.pieces) {
            switch (piece.kind) {
            case PieceKind::Text:
                out_ += piece.text;
                break;
            case PieceKind::Plural:
                Plural(piece, above);
                break;
            case PieceKind::Substitution:
                if (piece.sub == SubKind::Equal) {
                    FormatWholeWith(set, piece, n, negative, depth);
                } else if (piece.sub == SubKind::Less) {
                    FormatWholeWith(set, piece, above, negative, depth);
                } else if (piece.sub == SubKind::Greater) {
                    FormatWholeWith(set, piece, rest, negative && !rest.IsZero(), depth);
                } else {
                    throw SpellError("a rule of " + std::string(set.name) + " past 64 bits takes no numerator");
                }
                break;
            }
        }
    }

    // The rule of a fraction rule set for a value below 1: the one whose base value
    // times the value comes nearest a whole number, as ICU chooses it.
    std::size_t FindFraction(const RuleSet& set, const Value& v) const {
        if (set.rules.empty()) throw SpellError("the fraction rule set " + std::string(set.name) + " has no rules");
        u64 lcm = 1;
        for (const Rule& rule : set.rules) {
            if (rule.base == 0) continue;
            u64 a = lcm, b = rule.base;
            while (b != 0) a = std::exchange(b, a % b);
            const u128 next = static_cast<u128>(lcm / a) * rule.base;
            if (next > UINT64_MAX) throw SpellError("the fraction rule set " + std::string(set.name) + " is too large");
            lcm = static_cast<u64>(next);
        }
        const Whole numerator = RoundScaled(v.fraction, v.fraction.size(), lcm);
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
            if (Less(product, half) || !Less(product, two)) ++winner;
        }
        return winner;
    }

    void Plural(const Piece& piece, const Whole& value) {
        // The value is cut to 32 bits and read as signed, as ICU passes it on; the
        // plural rules read its magnitude.
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

    void FormatWholeWith(const RuleSet& set, const Piece& piece, const Whole& n, bool negative, int depth) {
        if (piece.target == kPattern) {
            WritePattern(piece.pattern, Value{n, {}, negative});
        } else {
            FormatWhole(Target(set, piece), n, negative, depth);
        }
    }

    void FormatValueWith(const RuleSet& set, const Piece& piece, const Value& v, int depth) {
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
    // signed parts (a quotient and a remainder with the number's sign), as ICU's
    // 64-bit arithmetic gives them.
    void ApplyWhole(const RuleSet& set, const Rule& rule, const Whole& n, bool negative, int depth) {
        std::optional<std::pair<Whole, u64>> parts;  // n / divisor and n % divisor, when a piece needs them
        const auto divided = [&]() -> const std::pair<Whole, u64>& {
            if (!parts) parts = DivMod(n, rule.divisor);
            return *parts;
        };
        for (const Piece& piece : rule.pieces) {
            switch (piece.kind) {
            case PieceKind::Text:
                out_ += piece.text;
                break;
            case PieceKind::Plural:
                Plural(piece, divided().first);
                break;
            case PieceKind::Substitution:
                if (rule.kind == RuleKind::Negative) {
                    FormatWholeWith(set, piece, n, false, depth);
                } else if (piece.sub == SubKind::Equal) {
                    FormatWholeWith(set, piece, n, negative, depth);
                } else if (piece.sub != SubKind::Greater && piece.sub != SubKind::GreaterRule) {
                    const Whole part = piece.sub != SubKind::Less ? WholeOf(MultiplySmall(n.Digits(), rule.base)) : divided().first;
                    FormatWholeWith(set, piece, part, negative && !part.IsZero(), depth);
                } else {
                    const Whole rest{divided().second, {}};
                    if (piece.sub == SubKind::GreaterRule) {
                        ApplyWhole(set, set.rules[piece.ruleToUse], rest, negative && !rest.IsZero(), depth + 1);
                    } else {
                        FormatWholeWith(set, piece, rest, negative && !rest.IsZero(), depth);
                    }
                }
                break;
            }
        }
    }

    void ApplyValue(const RuleSet& set, const Rule& rule, const Value& v, int depth) {
        const bool fractionRule = rule.kind == RuleKind::Improper || rule.kind == RuleKind::Proper || rule.kind == RuleKind::Master;
        for (const Piece& piece : rule.pieces) {
            switch (piece.kind) {
            case PieceKind::Text:
                out_ += piece.text;
                break;
            case PieceKind::Plural:
                // Below 1 (in a fraction rule set) the numerator counts, else the
                // number of divisors.
                Plural(piece, v.whole.IsZero() ? RoundScaled(v.fraction, v.fraction.size(), rule.divisor)
                                               : DivMod(v.whole, rule.divisor).first);
                break;
            case PieceKind::Substitution:
                if (piece.sub == SubKind::Equal) {
                    FormatValueWith(set, piece, v, depth);
                } else if (rule.kind == RuleKind::Negative) {
                    Value magnitude = v;
                    magnitude.negative = false;
                    FormatValueWith(set, piece, magnitude, depth);
                } else if (fractionRule && piece.sub == SubKind::Less) {
                    // The integral part is the floor: -479.2 has -480.
                    const bool below = v.negative && v.fraction.find_first_not_of('0') != std::string::npos;
                    FormatWholeWith(set, piece, below ? WholeOf(AddDigits(v.whole.Digits(), "1")) : v.whole, v.negative, depth);
                } else if (fractionRule) {
                    Fraction(set, piece, v, depth);
                } else if (piece.sub == SubKind::Numerator || piece.sub == SubKind::NumeratorWithZeros) {
                    const Whole numerator = RoundScaled(v.fraction, v.fraction.size(), rule.base);
                    if (piece.sub == SubKind::NumeratorWithZeros && piece.target != kPattern && !numerator.IsBig() &&
                        numerator.small != 0) {
                        // A "zero" for each place the numerator falls short of the base.
                        for (u64 shifted = numerator.small * 10; shifted < rule.base; shifted *= 10) {
                            FormatWhole(Target(set, piece), Whole{}, false, depth);
                            out_ += ' ';
                        }
                    }
                    FormatWholeWith(set, piece, numerator, false, depth);
                } else if (piece.sub == SubKind::Less) {
                    FormatWholeWith(set, piece, DivMod(v.whole, rule.divisor).first, false, depth);
                } else {
                    const Value rest{Whole{DivMod(v.whole, rule.divisor).second, {}}, v.fraction, false};
                    if (piece.sub == SubKind::GreaterRule) {
                        ApplyValue(set, set.rules[piece.ruleToUse], rest, depth + 1);
                    } else {
                        FormatValueWith(set, piece, rest, depth);
                    }
                }
                break;
            }
        }
    }

    // The fraction of a fraction rule: digit by digit, with spaces between them unless
    // the substitution is >>>, or as a whole through a fraction rule set.
    void Fraction(const RuleSet& set, const Piece& piece, const Value& v, int depth) {
        if (piece.target == kPattern) {
            WritePattern(piece.pattern, Value{Whole{}, v.fraction, false});
            return;
        }
        const RuleSet& target = Target(set, piece);
        if (piece.target != kOwningSet && &target != &set) {
            FormatValue(target, Value{Whole{}, v.fraction, false}, depth);
            return;
        }
        for (std::size_t i = 0; i < v.fraction.size(); ++i) {
            if (i > 0 && piece.sub != SubKind::GreaterRule) out_ += ' ';
            FormatWhole(target, Whole{static_cast<u64>(v.fraction[i] - '0'), {}}, false, depth);
        }
    }

    // A value as a decimal pattern writes it, in the locale's digits and separators,
    // rounded half to even at its last fraction digit.
    void WritePattern(const Pattern& pattern, const Value& v) {
        std::string whole = v.whole.Digits();
        std::string fraction(v.fraction);
        if (fraction.size() > pattern.maxFraction) {
            const std::string_view dropped = std::string_view(fraction).substr(pattern.maxFraction);
            const bool aboveHalf = dropped[0] > '5' || (dropped[0] == '5' && dropped.find_first_not_of('0', 1) != std::string_view::npos);
            const bool half = dropped[0] == '5' && !aboveHalf;
            fraction.resize(pattern.maxFraction);
            const char last = fraction.empty() ? whole.back() : fraction.back();
            if (aboveHalf || (half && (last - '0') % 2 == 1)) {
                std::string all = AddDigits(whole + fraction, "1");
                if (all.size() < whole.size() + fraction.size()) all.insert(0, whole.size() + fraction.size() - all.size(), '0');
                whole = all.substr(0, all.size() - fraction.size());
                fraction = all.substr(all.size() - fraction.size());
            }
        }
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
    std::string& out_;
};

bool AllDigits(std::string_view text) {
    for (const char c : text) {
        if (c < '0' || c > '9') return false;
    }
    return !text.empty();
}

}  // namespace

void SpellSmallValues(Locale& locale) {
    for (RuleSet& set : locale.sets) {
        if (set.isFraction) continue;
        std::vector<std::pair<std::uint32_t, std::uint32_t>> words;
        std::string text;
        for (u64 n = 0; n < kSmallValues; ++n) {
            const auto offset = static_cast<std::uint32_t>(text.size());
            try {
                Speller(locale, text).FormatWhole(set, Whole{n, {}}, false, 0);
                words.emplace_back(offset, static_cast<std::uint32_t>(text.size() - offset));
            } catch (const SpellError&) {
                text.resize(offset);
                words.emplace_back(offset, RuleSet::kNoWords);
            }
        }
        set.smallText = std::move(text);
        set.smallWords = std::move(words);
    }
}

void SpellInto(const Locale& locale, const RuleSet& set, std::string_view number, std::string& out) {
    const bool negative = number.starts_with('-');
    if (negative) number.remove_prefix(1);
    const auto point = number.find('.');
    const std::string_view whole = number.substr(0, point);
    const std::string_view fraction = point == std::string_view::npos ? std::string_view() : number.substr(point + 1);
    if (!AllDigits(whole) || (point != std::string_view::npos && !AllDigits(fraction))) {
        throw SpellError("not a number");
    }
    if (StripZeros(whole).size() > kMostDigits || fraction.size() > kMostDigits) {
        throw SpellError("more than 1,000 digits before or after the point");
    }
    Speller speller(locale, out);
    const Whole value = WholeOf(whole);
    if (fraction.empty()) {
        speller.FormatWhole(set, value, negative && !value.IsZero(), 0);
    } else {
        speller.FormatValue(set, Value{value, fraction, negative}, 0);
    }
}

std::string Spell(const Locale& locale, const RuleSet& set, std::string_view number) {
    std::string out;
    out.reserve(256);
    SpellInto(locale, set, number, out);
    return out;
}

}  // namespace zorv::spell
