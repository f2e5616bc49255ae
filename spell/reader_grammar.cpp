#include "reader_grammar.h"

#include <algorithm>
#include <optional>
#include <utility>
#include <vector>

#include "spell_error.h"
#include "written_number.h"

namespace zorv::spell {
namespace {

using Kind = WordKind;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// A whole number as a sum of small values times powers of ten: what the words name
// part by part ("twelve lakh" is 12 x 10^5), shifted as a scale word multiplies them.
using Terms = std::vector<std::pair<unsigned, unsigned>>;  // value (below 10,000), power of ten

// The decimal digits of the sum, without leading zeros ("0" for none).
std::string DigitsOf(const Terms& terms) {
    unsigned most = 0;
    for (const auto& [value, power] : terms) most = std::max(most, power);
    std::vector<unsigned> digits(most + 8, 0);  // lowest first
    for (const auto& [value, power] : terms) {
        unsigned carry = value;
        for (std::size_t at = power; carry != 0; ++at) {
            carry += digits[at];
            digits[at] = carry % 10;
            carry /= 10;
        }
    }
    while (digits.size() > 1 && digits.back() == 0) digits.pop_back();
    std::string text;
    for (auto at = digits.rbegin(); at != digits.rend(); ++at) text.push_back(static_cast<char>('0' + *at));
    return text;
}

// A part of the words as a message quotes it (see Shown), a long one by its beginning
// and its end, so that a message stays short whatever was read.
std::string Quoted(std::string_view part) {
    constexpr std::size_t kHead = 40, kTail = 20;
    if (part.size() <= kHead + kTail + 5) return Shown(part);
    return Shown(part.substr(0, kHead)) + " ... " + Shown(part.substr(part.size() - kTail));
}

// The length of a sign written in figures at the start of `text` ("-", "+", U+2212
// MINUS SIGN, the dashes U+2012 to U+2015), or 0. Words are read without a sign of
// figures: a negative number has its word ("minus"), and a dash before the words
// dropped as a separator would turn -5 into 5.
std::size_t SignAt(std::string_view text) {
    if (text.starts_with('-') || text.starts_with('+')) return 1;
    for (const std::string_view sign : {"\xE2\x88\x92", "\xE2\x80\x92", "\xE2\x80\x93", "\xE2\x80\x94", "\xE2\x80\x95"}) {
        if (text.starts_with(sign)) return sign.size();
    }
    return 0;
}

// "12" and "05": "12.05".
std::string WithFraction(std::string whole, std::string_view fraction) {
    whole.push_back('.');
    whole.append(fraction);
    return whole;
}

// A word of the text read, or a fraction written in figures ("05/100").
struct WordToken {
    const NumberWord* word = nullptr;    // in the vocabulary's trie
    std::string numerator, denominator;  // the fraction, when no word
    std::size_t begin = 0, end = 0;      // where it stands in the text
};

// Whether a fraction in figures counts units of its numerator's last digit: its
// denominator is a 1 and a zero for each digit of the numerator ("05/100", "5/10").
bool InNumeratorsDigits(const WordToken& figures) {
    const std::string& denominator = figures.denominator;
    return denominator.size() == figures.numerator.size() + 1 && denominator[0] == '1' &&
           denominator.find_first_not_of('0', 1) == std::string::npos;
}

// The fraction in figures that starts at `at`, digits, "/", digits; `at` is moved past it.
WordToken FractionInFigures(std::string_view text, std::size_t& at) {
    WordToken token;
    token.begin = at;
    while (at < text.size() && IsDigit(text[at])) token.numerator.push_back(text[at++]);
    if (at < text.size() && text[at] == '/') {
        ++at;
        while (at < text.size() && IsDigit(text[at])) token.denominator.push_back(text[at++]);
    }
    token.end = at;
    if (token.denominator.empty()) {
        throw SpellError("'" + Quoted(text.substr(token.begin, at - token.begin)) + "' is not a number word");
    }
    return token;
}

// The words of the run of letters that starts at `at`, added to `tokens`; `at` is moved
// past it. A run is a word, or words run together ("Zeropoint"): the longest known word
// first, each time.
void AddWordsOfRun(std::string_view text, std::size_t& at, const ReaderVocabulary& vocabulary, std::vector<WordToken>& tokens) {
    std::size_t end = at;
    std::string run;
    while (end < text.size() && IsWordLetter(text[end])) run.push_back(LowerLetter(text[end++]));
    std::size_t from = 0;
    while (from < run.size()) {
        const auto [length, word] = vocabulary.LongestWord(std::string_view(run).substr(from));
        if (length == 0) throw SpellError("'" + Quoted(text.substr(at, end - at)) + "' is not a number word");
        tokens.push_back({word, {}, {}, at + from, at + from + length});
        from += length;
    }
    at = end;
}

// The words and fractions of `text`, in order; anything else between them separates them.
std::vector<WordToken> TokensOf(std::string_view text, const ReaderVocabulary& vocabulary) {
    std::vector<WordToken> tokens;
    for (std::size_t at = 0; at < text.size();) {
        const char c = text[at];
        if (const std::size_t sign = tokens.empty() ? SignAt(text.substr(at)) : 0; sign != 0) {
            throw SpellError("'" + Shown(text.substr(at, sign)) + "' before the words: a negative number is written with its word, as in 'minus five'");
        }
        if (IsDigit(c)) {
            tokens.push_back(FractionInFigures(text, at));
        } else if (IsWordLetter(c)) {
            AddWordsOfRun(text, at, vocabulary, tokens);
        } else {
            ++at;
        }
    }
    return tokens;
}

// Parses the words of a number: a sign, then a whole number with an optional point and
// digits, or an amount of money, and an "only" at the end.
class NumberWordsParser {
public:
    // `currencies`: those the words may name, the style's own first when
    // `styleCurrency` (a money style, whose currency the words must name if any).
    NumberWordsParser(std::string_view text, const std::vector<WordToken>& tokens, const std::vector<NamedCurrency>& currencies,
                      bool styleCurrency)
        : text_(text), tokens_(tokens), currencies_(currencies), styleCurrency_(styleCurrency) {}

    std::string Parse() {
        std::size_t end = tokens_.size();
        if (end == 0) throw SpellError("no number words");
        if (IsWord(end - 1, Kind::Only)) --end;
        const bool money = std::any_of(tokens_.begin(), tokens_.begin() + static_cast<std::ptrdiff_t>(end), [](const WordToken& t) {
            return !t.word || t.word->kind == Kind::Major || t.word->kind == Kind::Minor;
        });
        std::size_t begin = 0;
        std::string sign;
        if (IsWord(0, Kind::Minus)) {
            sign = "-";
            begin = 1;
        }
        return sign + (money ? Money(begin, end) : Plain(begin, end));
    }

private:
    [[nodiscard]] bool IsWord(std::size_t i, Kind kind) const {
        return i < tokens_.size() && tokens_[i].word && tokens_[i].word->kind == kind;
    }
    // The first word of `kind` from `i` on, or `end`.
    [[nodiscard]] std::size_t Next(std::size_t i, std::size_t end, Kind kind) const {
        while (i < end && !IsWord(i, kind)) ++i;
        return i;
    }

    [[noreturn]] void Fail(std::size_t from, std::size_t to, const std::string& why) const {
        const std::size_t begin = tokens_[from].begin, end = tokens_[std::min(to, tokens_.size() - 1)].end;
        throw SpellError("'" + Quoted(text_.substr(begin, end - begin)) + "' is not a number: " + why);
    }
    [[noreturn]] void CannotFollow(std::size_t i) const {
        if (i == 0 || i == first_) Fail(i, i, "'" + Shown(i) + "' cannot begin a number");
        Fail(i - 1, i, "'" + Shown(i) + "' cannot follow '" + Shown(i - 1) + "'");
    }
    [[nodiscard]] std::string Shown(std::size_t i) const {
        return Quoted(text_.substr(tokens_[i].begin, tokens_[i].end - tokens_[i].begin));
    }

    // A number with an optional point: "one hundred five point zero five".
    std::string Plain(std::size_t begin, std::size_t end) {
        const std::size_t point = Next(begin, end, Kind::Point);
        std::string number = Whole(begin, point);
        if (point == end) return number;
        if (ordinal_) CannotFollow(point);
        if (point + 1 == end) Fail(begin, point, "no digits after '" + Shown(point) + "'");
        // Digit by digit ("two five"), or zeros and then a number of its own, as the
        // classic answer names them ("zero Twenty Five").
        const auto digit = [&](std::size_t i) {
            return tokens_[i].word && tokens_[i].word->kind == Kind::Unit && tokens_[i].word->value <= 9 && !tokens_[i].word->ordinal;
        };
        bool allDigits = true;
        for (std::size_t i = point + 1; i < end; ++i) allDigits = allDigits && digit(i);
        std::string digits;
        std::size_t at = point + 1;
        while (at < end && digit(at) && (allDigits || tokens_[at].word->value == 0)) {
            digits.push_back(static_cast<char>('0' + tokens_[at].word->value));
            ++at;
        }
        if (at < end) digits += Whole(at, end);
        if (ordinal_) Fail(begin, end - 1, "an ordinal after the point");
        return WithFraction(number, digits);
    }

    // The digits of an amount's major and minor units as its words name them; no minor
    // digits when the words name no minor unit.
    using Units = std::pair<std::string, std::string>;

    // An amount: "rupees twelve and paise five", "twelve dollars and five cents",
    // "twelve and 05/100 dollars", "twelve dollars and 05/100".
    std::string Money(std::size_t begin, std::size_t end) {
        if (IsWord(begin, Kind::Major)) return Amount(begin, end, CurrencyFirst(begin, end));
        std::size_t fraction = begin;
        while (fraction < end && tokens_[fraction].word) ++fraction;
        const std::size_t unit = Next(begin, end, Kind::Major);
        if (fraction < end) return AmountWithFigures(begin, end, fraction, unit);
        return Amount(begin, end, unit == end ? MinorUnitsOnly(begin, end) : CurrencyAfter(begin, end, unit));
    }

    // "rupees twelve", "rupees twelve and paise five".
    Units CurrencyFirst(std::size_t begin, std::size_t end) {
        const std::size_t minorAt = Next(begin + 1, end, Kind::Minor);
        if (minorAt == end) return {Whole(begin + 1, end), ""};
        if (!IsWord(minorAt - 1, Kind::And)) CannotFollow(minorAt);
        std::string major = Whole(begin + 1, minorAt - 1);
        return {std::move(major), Whole(minorAt + 1, end)};
    }

    // "five cents": no major unit.
    Units MinorUnitsOnly(std::size_t begin, std::size_t end) {
        const std::size_t minorAt = Next(begin, end, Kind::Minor);
        if (minorAt == end) Fail(begin, end - 1, "no currency");
        std::string minor = Whole(begin, minorAt);
        if (minorAt + 1 != end) CannotFollow(minorAt + 1);
        return {"0", std::move(minor)};
    }

    // "twelve dollars", "twelve dollars and five cents": the major unit at `unit`.
    Units CurrencyAfter(std::size_t begin, std::size_t end, std::size_t unit) {
        std::string major = Whole(begin, unit);
        if (unit + 1 == end) return {std::move(major), ""};
        if (!IsWord(unit + 1, Kind::And)) CannotFollow(unit + 1);
        const std::size_t minorAt = Next(unit + 2, end, Kind::Minor);
        if (minorAt + 1 != end) CannotFollow(std::min(minorAt + 1, end - 1));
        return {std::move(major), Whole(unit + 2, minorAt)};
    }

    // The amount that `units` name: the minor digits padded with zeros in front to the
    // currency's minor digits, which they may not outnumber.
    std::string Amount(std::size_t begin, std::size_t end, const Units& units) const {
        const auto& [major, minor] = units;
        const auto digits = CurrencyDigits(begin, end, !minor.empty());
        if (minor.empty()) return major;
        if (minor.size() > *digits) Fail(begin, end - 1, "more minor units than make one major unit");
        return WithFraction(major, std::string(*digits - minor.size(), '0').append(minor));
    }

    // "... and 05/100 dollars" or "... dollars and 05/100": the fraction in figures at
    // `fraction`, the major unit at `unit` (or `end` for none). The numerator's digits
    // are the minor digits as written.
    std::string AmountWithFigures(std::size_t begin, std::size_t end, std::size_t fraction, std::size_t unit) {
        const WordToken& figures = tokens_[fraction];
        if (fraction == begin || !IsWord(fraction - 1, Kind::And)) CannotFollow(fraction);
        const bool unitAfter = unit == fraction + 1 && unit + 1 == end;
        const bool unitBefore = unit + 2 == fraction && fraction + 1 == end;
        if (!(unitAfter || unitBefore || (unit == end && fraction + 1 == end))) CannotFollow(std::min(fraction + 1, end - 1));
        if (!InNumeratorsDigits(figures)) {
            Fail(fraction, fraction, "the fraction is not in hundredths or thousandths of its numerator's digits");
        }
        const auto digits = CurrencyDigits(begin, end, true);
        if (digits && figures.numerator.size() > *digits) {
            Fail(fraction, fraction, "more digits than the currency's " + std::to_string(*digits));
        }
        return WithFraction(Whole(begin, unitBefore ? unit : fraction - 1), figures.numerator);
    }

    // The minor digits of the currency that the currency words between `begin` and
    // `end` name, none when there are none. Every such word must name that one
    // currency, and a money style's words its own; a minor part needs a currency with
    // a minor unit, and one whose minor digits are known (the style's, or the same
    // in every currency the words may name: "fils" is a thousandth of a dinar but a
    // hundredth of a dirham).
    std::optional<unsigned> CurrencyDigits(std::size_t begin, std::size_t end, bool minorPart) const {
        CurrencySet named;
        named.set();
        bool any = false;
        for (std::size_t i = begin; i < end; ++i) {
            if (IsWord(i, Kind::Major) || IsWord(i, Kind::Minor)) {
                named &= tokens_[i].word->currencies;
                any = true;
            }
        }
        if (!any) return std::nullopt;
        if (named.none()) Fail(begin, end - 1, "its currency words are not of one currency");
        if (styleCurrency_ && !named[0]) {
            throw SpellError("the words are in another currency (" + Codes(named) + ") than the style's " + currencies_[0].code);
        }
        if (named[0]) named = CurrencySet().set(0);
        std::optional<unsigned> digits;
        for (std::size_t i = 0; i < currencies_.size(); ++i) {
            if (!named[i]) continue;
            if (digits && *digits != currencies_[i].digits) {
                if (minorPart) Fail(begin, end - 1, "its minor unit is worth another fraction in each of " + Codes(named) + "; a style with currency= says which");
                return digits;
            }
            digits = currencies_[i].digits;
        }
        if (minorPart && *digits == 0) Fail(begin, end - 1, Codes(named) + " has no minor unit");
        return digits;
    }

    // The codes of the currencies in `set`, the first few of them.
    [[nodiscard]] std::string Codes(const CurrencySet& set) const {
        constexpr std::size_t kShown = 4;
        std::string codes;
        std::size_t shown = 0;
        for (std::size_t i = 0; i < currencies_.size(); ++i) {
            if (!set[i]) continue;
            if (shown == kShown) return codes + ", ...";
            codes += shown++ == 0 ? "" : ", ";
            codes += currencies_[i].code;
        }
        return codes;
    }

    // The terms that a scale word multiplied, and its power of ten.
    struct ScaledTerms {
        Terms terms;
        unsigned scale;
    };
    // A whole number as read so far: what the last word was, the terms of each scale
    // word (larger scales first), and the value below a thousand since the last one.
    struct WholeSoFar {
        enum class State { Start, Unit, Ten, TenUnit, Hundred, Scale, And } state = State::Start;
        std::vector<ScaledTerms> scaled;
        unsigned small = 0;
        bool hundred = false;
    };
    using State = WholeSoFar::State;

    // A whole number, exact up to kMostDigits digits: each scale word multiplies what
    // stands before it since a larger scale ("twelve lakh", "one lakh crore"). No
    // style writes a longer number, and the bound keeps the work linear: a crore
    // multiplies all the terms before it, which can happen only so many times.
    std::string Whole(std::size_t begin, std::size_t end) {
        first_ = begin;
        if (begin >= end) {
            if (begin < tokens_.size()) CannotFollow(begin);
            Fail(tokens_.size() - 1, tokens_.size() - 1, "a number is missing");
        }
        WholeSoFar whole;
        for (std::size_t i = begin; i < end; ++i) {
            if (!tokens_[i].word || ordinal_) CannotFollow(i);
            const NumberWord& word = *tokens_[i].word;
            if (word.kind == Kind::Scale) {
                ScaleWord(begin, i, whole);
            } else {
                SmallWord(begin, end, i, whole);
            }
            if (word.ordinal) ordinal_ = true;
        }
        if (whole.state == State::And) Fail(begin, end - 1, "it ends after '" + Shown(end - 1) + "'");
        Terms all = {{whole.small, 0}};
        for (const ScaledTerms& scaled : whole.scaled) all.insert(all.end(), scaled.terms.begin(), scaled.terms.end());
        std::string digits = DigitsOf(all);
        if (digits.size() > kMostDigits) Fail(begin, end - 1, "more than 1,000 digits");
        return digits;
    }

    // The word at `i` of the whole number between `begin` and `end`, when it is a word
    // of a value below a thousand: a unit, a ten, "hundred" or "and".
    void SmallWord(std::size_t begin, std::size_t end, std::size_t i, WholeSoFar& whole) const {
        const NumberWord& word = *tokens_[i].word;
        State& state = whole.state;
        switch (word.kind) {
        case Kind::Unit:
            if (word.value == 0) {
                if (i != begin || end - begin != 1) CannotFollow(i);
            } else if (state == State::Ten ? word.value > 9 : state == State::Unit || state == State::TenUnit) {
                CannotFollow(i);
            }
            whole.small += word.value;
            state = state == State::Ten ? State::TenUnit : State::Unit;
            break;
        case Kind::Ten:
            if (state == State::Unit || state == State::Ten || state == State::TenUnit) CannotFollow(i);
            whole.small += word.value;
            state = State::Ten;
            break;
        case Kind::Hundred:
            if (whole.hundred || whole.small == 0 || whole.small >= 100 || state == State::Start || state == State::Scale ||
                state == State::And) {
                CannotFollow(i);
            }
            whole.small *= 100;
            whole.hundred = true;
            state = State::Hundred;
            break;
        case Kind::And:
            if (state != State::Hundred && state != State::Scale) CannotFollow(i);
            state = State::And;
            break;
        default:
            CannotFollow(i);
        }
    }

    // The scale word at `i` of the whole number that starts at `begin`: it multiplies
    // the value since the last scale word and the terms of the smaller scales before it.
    void ScaleWord(std::size_t begin, std::size_t i, WholeSoFar& whole) const {
        const unsigned scale = tokens_[i].word->value;
        const bool adjacent = whole.state == State::Scale;
        if (whole.state == State::Start || whole.state == State::And) CannotFollow(i);
        // A crore multiplies all that stands before it, crores included: the count of
        // crores is itself in lakh and crore ("one lakh crore", "one crore crore", "...
        // nine crore fifteen lakh seven hundred crore"). Any other scale word takes a
        // smaller one just before it ("one thousand million") and otherwise follows
        // only larger ones.
        constexpr unsigned kCrore = 7;
        Terms terms;
        if (whole.small != 0) terms.emplace_back(whole.small, 0);
        bool multiplied = false;
        auto& scaled = whole.scaled;
        while (!scaled.empty() && (scale == kCrore ? scaled.back().scale <= kCrore : scaled.back().scale < scale)) {
            if (!adjacent && scale != kCrore) CannotFollow(i);
            terms.insert(terms.end(), scaled.back().terms.begin(), scaled.back().terms.end());
            scaled.pop_back();
            multiplied = true;
        }
        if (!scaled.empty() && scaled.back().scale == scale) CannotFollow(i);
        if (adjacent && !multiplied) CannotFollow(i);
        for (auto& term : terms) {
            term.second += scale;
            if (term.second >= kMostDigits) Fail(begin, i, "more than 1,000 digits");
        }
        scaled.push_back({std::move(terms), scale});
        whole.small = 0;
        whole.hundred = false;
        whole.state = State::Scale;
    }

    std::string_view text_;
    const std::vector<WordToken>& tokens_;
    const std::vector<NamedCurrency>& currencies_;
    bool styleCurrency_;
    std::size_t first_ = 0;  // where the whole number being read begins
    bool ordinal_ = false;   // an ordinal word has been read: nothing may follow it
};

}  // namespace

std::string ReadNumberWords(std::string_view text, const ReaderVocabulary& vocabulary, bool styleCurrency) {
    const std::vector<WordToken> tokens = TokensOf(text, vocabulary);
    return NumberWordsParser(text, tokens, vocabulary.KnownCurrencies(), styleCurrency).Parse();
}

}  // namespace zorv::spell
