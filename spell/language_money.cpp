#include "language_money.h"

#include <algorithm>

#include "decimal.h"
#include "interpreter.h"

namespace zorv::spell {
namespace {

// The plural category of a whole number written as digits. Past 18 digits the rules
// read 10^18 plus its last 18 digits: every modulus CLDR's rules take divides 10^18,
// and no equality with a small number holds, as none holds for the whole number.
PluralCategory CategoryOf(const PluralRules& rules, std::string_view digits) {
    constexpr std::size_t kKept = 18;
    std::uint64_t value = 0;
    for (const char c : digits.substr(digits.size() > kKept ? digits.size() - kKept : 0)) {
        value = value * 10 + static_cast<unsigned>(c - '0');
    }
    return rules.Select(digits.size() > kKept ? value + 1'000'000'000'000'000'000ULL : value);
}

// Whether a name begins with a vowel (or a silent h), before which "of" is elided.
bool BeginsWithVowel(std::string_view name) {
    static constexpr std::string_view kVowels[] = {"a", "e", "i", "o", "u", "y", "h", "A", "E", "I", "O", "U", "Y", "H",
                                                   "à", "â", "é", "è", "ê", "î", "ô", "û", "É"};
    return std::any_of(std::begin(kVowels), std::end(kVowels), [&](std::string_view vowel) { return name.starts_with(vowel); });
}

class AmountWriter {
public:
    AmountWriter(const Style& style, const AmountParts& amount)
        : style_(style), language_(*style.moneyLanguage), currency_(*style.currencyWords), amount_(amount) {}

    void WriteInto(std::string& out) {
        const bool places = !language_.places.empty();
        const bool hasMinor = !amount_.minor.empty();
        std::string_view pattern = !hasMinor && !places ? language_.whole
                                   : style_.minor == MinorForm::Digits && !places ? language_.digits
                                                                                 : language_.words;
        const bool spaced = pattern.find(' ') != std::string_view::npos;
        if (amount_.negative) out += style_.minusWords;
        if (style_.currencyFirst) {
            out += currency_.name.empty() ? currency_.unit.FormFor(PluralCategory::Other) : currency_.name;
            if (spaced) out += ' ';
        }
        // By places, an amount below one unit is its minor part alone (柒角).
        const bool minorZero = amount_.minor.find_first_not_of('0') == std::string_view::npos;
        if (places && amount_.whole == "0" && hasMinor && !minorZero) pattern = "{places}";
        // Without places, the complete word follows a whole amount (สามบาทถ้วน).
        const bool complete = !places && !language_.complete.empty() && minorZero;
        if (complete) pattern = language_.whole;
        std::string amount;
        Render(pattern, amount);
        if (complete) {
            if (spaced) amount += ' ';
            amount += language_.complete;
        }
        // A phrase that stands for number and noun leaves the noun's place empty.
        if (phrase_) {
            for (auto at = amount.find("  "); at != std::string::npos; at = amount.find("  ", at)) amount.erase(at, 1);
            while (amount.ends_with(' ')) amount.pop_back();
        }
        out += amount;
    }

private:
    void Render(std::string_view pattern, std::string& out) {
        while (!pattern.empty()) {
            const auto open = pattern.find('{');
            out += pattern.substr(0, open);
            if (open == std::string_view::npos) return;
            const auto close = pattern.find('}', open);
            Field(pattern.substr(open + 1, close - open - 1), out);
            pattern.remove_prefix(close + 1);
        }
    }

    void Field(std::string_view name, std::string& out) {
        const std::string_view minor = StripZeros(amount_.minor);
        if (name == "major") {
            if (const std::string_view phrase = Exactly(currency_.unit, amount_.whole); !phrase.empty()) {
                out += phrase;
            } else {
                out += Major();
            }
        } else if (name == "unit") {
            if (Exactly(currency_.unit, amount_.whole).empty()) Unit(out);
        } else if (name == "minor") {
            if (style_.minor == MinorForm::Digits) {
                out += amount_.minor;
            } else if (const std::string_view phrase = Exactly(currency_.minor, minor); !phrase.empty()) {
                out += phrase;
            } else {
                out += NumberWords(*style_.minorRules, currency_.minor.gender, amount_.minor);
            }
        } else if (name == "subunit") {
            if (style_.minor == MinorForm::Digits || Exactly(currency_.minor, minor).empty()) {
                out += currency_.minor.FormFor(CategoryOf(style_.locale->cardinal, minor));
            }
        } else if (name == "base") {
            out += DigitThenZeros('1', amount_.minor.size());
        } else if (name == "suffix") {
            if (!currency_.suffix.empty()) out += ' ';
            out += currency_.suffix;
        } else if (name == "places") {
            Places(out);
        }
    }

    const std::string& Major() {
        if (major_.empty()) major_ = NumberWords(*style_.rules, currency_.unit.gender, amount_.whole);
        return major_;
    }

    // The phrase of `noun` for exactly the number `digits` (1 or 2), or none.
    std::string_view Exactly(const MoneyNoun& noun, std::string_view digits) {
        const std::string_view phrase = digits == "1" ? noun.exactly[0] : digits == "2" ? noun.exactly[1] : std::string_view();
        phrase_ = phrase_ || !phrase.empty();
        return phrase;
    }

    // The unit in the form the whole number takes, with "of" after a round large number.
    void Unit(std::string& out) {
        const std::string_view unit = currency_.unit.FormFor(CategoryOf(style_.locale->cardinal, amount_.whole));
        if (!language_.of.empty()) {
            const std::string& major = Major();
            const std::string_view last = std::string_view(major).substr(major.rfind(' ') == std::string::npos ? 0 : major.rfind(' ') + 1);
            if (std::find(language_.ofAfter.begin(), language_.ofAfter.end(), last) != language_.ofAfter.end()) {
                if (!language_.ofElided.empty() && BeginsWithVowel(unit)) {
                    out += language_.ofElided;
                } else {
                    out += language_.of;
                    out += ' ';
                }
            }
        }
        out += unit;
    }

    // The minor part by places: each digit that is not zero with the name of its place,
    // the zero word once for the places skipped between two written ones, and the
    // complete word when the minor part is zero.
    void Places(std::string& out) {
        if (amount_.minor.find_first_not_of('0') == std::string_view::npos) {
            out += language_.complete;
            return;
        }
        bool written = amount_.whole != "0", skipped = false;
        for (std::size_t i = 0; i < amount_.minor.size() && i < language_.places.size(); ++i) {
            if (amount_.minor[i] == '0') {
                skipped = written;
                continue;
            }
            if (skipped) out += language_.zero;
            out += NumberWords(*style_.minorRules, currency_.minor.gender, amount_.minor.substr(i, 1));
            out += language_.places[i];
            written = true;
            skipped = false;
        }
    }

    // The words of a number by `rules`, hyphens as the style wants them, changed as the
    // language's documents write them.
    std::string NumberWords(const RuleSet& rules, std::string_view gender, std::string_view digits) const {
        std::string words;
        SpellDigitsInto(*style_.locale, rules, false, digits, {}, words);
        if (!style_.hyphens) std::replace(words.begin(), words.end(), '-', ' ');
        Replace(language_.replacements, words);
        if (const MoneyLanguage::Replacements* gendered = language_.ReplacementsOf(gender)) Replace(*gendered, words);
        return words;
    }

    static void Replace(const MoneyLanguage::Replacements& replacements, std::string& words) {
        for (const auto& [from, to] : replacements) {
            if (from.starts_with('^')) {
                if (words.starts_with(from.substr(1))) words.replace(0, from.size() - 1, to);
                continue;
            }
            for (auto at = words.find(from); at != std::string::npos; at = words.find(from, at + to.size())) {
                words.replace(at, from.size(), to);
            }
        }
    }

    const Style& style_;
    const MoneyLanguage& language_;
    const MoneyCurrencyWords& currency_;
    const AmountParts& amount_;
    std::string major_;
    bool phrase_ = false;  // a phrase stands for a number and its noun
};

}  // namespace

void LanguageMoneyInto(const Style& style, const AmountParts& amount, std::string& out) { AmountWriter(style, amount).WriteInto(out); }

}  // namespace zorv::spell
