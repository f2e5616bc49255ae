// The compact binary form of compiled number-spelling rules: what the rule compiler
// writes at build time and RuleBook reads at run time. Every number is an unsigned
// LEB128 varint but a locale's offset and the bytes named below; every text is the
// varint index of a UTF-8 text in the string pool. Whatever the writer and the reader
// must agree on is here.
//
//   data     := "ZRB1" pool locales aliases locale*
//   pool     := count (length bytes)*             the texts, indexed from 0 in order
//   locales  := count (name offset)*              offset: kOffsetBytes bytes (ReadOffset,
//                                                 WriteOffset) from the start of the data;
//                                                 locales of the same bytes share one
//   aliases  := count (from to)*                  locale names ICU resolves elsewhere
//                                                 ("" for a name without rules)
//   locale   := decimal grouping minus digits plurals plurals sets
//               four texts (digits: the ten digits, one code point each), then the
//               cardinal and the ordinal plural rules
//   plurals  := count (category count (count relation*)*)*
//               category: a byte, PluralCategory; an OR of ANDs of relations, none for
//               a category that always applies
//   relation := operand modulus negated count (low high)*
//               operand: a byte, PluralOperand; modulus: 0 for none; negated: a byte,
//               1 for "not in" and "!=", else 0; the ranges the value lies in
//   sets     := count (name flags count rule*)*
//               name: without its leading % or %%; flags: a byte of RuleSetFlags; the
//               normal and Large rules in order, then at most one rule of each other kind
//   rule     := head [base] [radix] [exponent] [count] piece*
//               head: a byte, RuleHead(kind, radix follows, exponent follows, pieces):
//               else radix 10 and ExpectedExponent; a count of pieces of
//               kPieceCountFollows or more follows the head;
//               base: the difference from the base of the normal rule before (from 0
//               for the first); a Large rule has its exponent (kLargeExponent or more)
//               instead, and other kinds none
//   piece    := PieceHead(Text, 0) text
//             | PieceHead(Substitution, SubKind) [rule] target [pattern]
//             | PieceHead(Plural, PluralType) count (category text)*
//               rule: for >>> only, the index of its normal rule; target: kOwningSet,
//               kPattern or kFirstSet + the index of a set of the locale
//   pattern  := minInteger minFraction maxFraction group secondaryGroup   PatternNumbers
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace zorv::spell {

inline constexpr std::string_view kRuleDataMagic = "ZRB1";

enum class RuleKind : std::uint8_t {
    Normal = 0,    // a base value and what it and the values up to the next base are
    Negative = 1,  // -x
    Improper = 2,  // x.x (or x,x): a value with a fraction
    Proper = 3,    // 0.x (or 0,x): a value between 0 and 1
    Master = 4,    // x.0: every value not an integer, when no fraction rule applies
    Large = 5,     // a base value of 10^exponent past 64 bits ("sextillion" and beyond), after
                   // the normal rules: its own rule when the rest below it is zero, then
                   // the rule for the other values up to the next
};

// A Large rule's base is 10^kLargeExponent or more: past 64 bits; and at most
// 10^kLargestExponent, past any number the rules spell.
inline constexpr std::uint64_t kLargeExponent = 20, kLargestExponent = 4096;

// The most digits a decimal pattern counts (least integer digits, fraction digits,
// group sizes).
inline constexpr std::uint32_t kMostPatternDigits = 64;

// The exponent of a normal rule unless its head says another follows: the largest e
// with radix^e <= base.
constexpr std::uint64_t ExpectedExponent(std::uint64_t base, std::uint64_t radix) {
    std::uint64_t exponent = 0;
    for (std::uint64_t power = 1; power <= base / radix; power *= radix) ++exponent;
    return exponent;
}

// The divisor of a normal rule, radix^exponent: << formats the value divided by it,
// >> the rest. It is at most the base (the exponent is at most the expected one).
constexpr std::uint64_t RuleDivisor(std::uint64_t radix, std::uint64_t exponent) {
    std::uint64_t divisor = 1;
    for (std::uint64_t e = 0; e < exponent; ++e) divisor *= radix;
    return divisor;
}

// A rule's head byte: its kind in the low three bits, whether a radix (other than 10)
// and an exponent (other than the expected one) follow, and the count of its pieces
// in the top three bits, kPieceCountFollows standing for "the count follows".
inline constexpr unsigned kRuleKindMask = 0x07, kRadixFollows = 0x08, kExponentFollows = 0x10, kPieceCountShift = 5;
inline constexpr std::uint64_t kPieceCountFollows = 7;

constexpr std::uint8_t RuleHead(RuleKind kind, bool radixFollows, bool exponentFollows, std::uint64_t pieces) {
    return static_cast<std::uint8_t>(static_cast<unsigned>(kind) | (radixFollows ? kRadixFollows : 0u) |
                                     (exponentFollows ? kExponentFollows : 0u) |
                                     (pieces < kPieceCountFollows ? pieces : kPieceCountFollows) << kPieceCountShift);
}
constexpr RuleKind KindOfRule(std::uint8_t head) { return static_cast<RuleKind>(head & kRuleKindMask); }
// The count of pieces the head holds, or kPieceCountFollows.
constexpr std::uint64_t PieceCountOfRule(std::uint8_t head) { return head >> kPieceCountShift; }

enum class PieceKind : std::uint8_t { Text = 0, Substitution = 1, Plural = 2 };

// A piece's head byte: its kind in the low two bits, its SubKind or PluralType above.
inline constexpr unsigned kPieceKindMask = 0x03, kPieceTypeShift = 2;
constexpr std::uint8_t PieceHead(PieceKind kind, unsigned type) {
    return static_cast<std::uint8_t>(static_cast<unsigned>(kind) | type << kPieceTypeShift);
}
constexpr PieceKind KindOfPiece(std::uint8_t head) { return static_cast<PieceKind>(head & kPieceKindMask); }
constexpr unsigned TypeOfPiece(std::uint8_t head) { return head >> kPieceTypeShift; }

// A locale's offset in the data: 8 bytes, least significant first.
inline constexpr std::size_t kOffsetBytes = 8;

// The offset held in the first kOffsetBytes bytes of `bytes`, which has that many.
constexpr std::uint64_t ReadOffset(std::string_view bytes) {
    std::uint64_t offset = 0;
    for (std::size_t i = kOffsetBytes; i-- > 0;) offset = offset << 8 | static_cast<std::uint8_t>(bytes[i]);
    return offset;
}

// Writes `offset` over the kOffsetBytes bytes from `at`.
constexpr void WriteOffset(char* at, std::uint64_t offset) {
    for (std::size_t i = 0; i < kOffsetBytes; ++i) at[i] = static_cast<char>(offset >> (8 * i));
}

// The token of a substitution: << (the part above the divisor, or the integral part),
// >> (the rest, or the fraction), == (the same value), >>> (the rest through the rule
// before this one, whose index follows), and << in a rule set that formats fractions
// (the numerator: the value times the base; <%set<< also spells its leading zeros).
enum class SubKind : std::uint8_t { Less = 0, Greater = 1, Equal = 2, GreaterRule = 3, Numerator = 4, NumeratorWithZeros = 5 };

// What a substitution formats with: the rule set that holds it, a rule set of the
// locale (index + 2), or a decimal pattern such as "#,##0" (followed by its numbers).
inline constexpr std::uint32_t kOwningSet = 0;
inline constexpr std::uint32_t kPattern = 1;
inline constexpr std::uint32_t kFirstSet = 2;

// The numbers that follow kPattern, in this order: what a decimal pattern such as
// "#,##0.#" or "#,##,##0" writes. The least integer digits, the least and most
// fraction digits, and the sizes of the first group and of the groups above it (0 for
// no grouping).
struct PatternNumbers {
    std::uint64_t minInteger = 0, minFraction = 0, maxFraction = 0, group = 0, secondaryGroup = 0;
};

enum class PluralType : std::uint8_t { Cardinal = 0, Ordinal = 1 };
// CLDR plural categories, in this order everywhere.
enum class PluralCategory : std::uint8_t { Zero = 0, One = 1, Two = 2, Few = 3, Many = 4, Other = 5 };
inline constexpr std::string_view kPluralCategoryNames[] = {"zero", "one", "two", "few", "many", "other"};

// The operands of a plural rule, and the letters CLDR's rules name them by, in the
// same order.
enum class PluralOperand : std::uint8_t { N = 0, I = 1, V = 2, W = 3, F = 4, T = 5, E = 6, C = 7 };
inline constexpr std::string_view kPluralOperandNames = "nivwftec";

enum RuleSetFlags : std::uint8_t { kPublicSet = 1, kFractionSet = 2 };

}  // namespace zorv::spell
