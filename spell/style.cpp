#include "style.h"

#include <algorithm>
#include <map>
#include <optional>

#include "locale_tags.h"
#include "number_words.h"

namespace zorv::spell {
namespace {

constexpr std::string_view kPresets[] = {"classic", "plain", "british", "ordinal", "indian", "money", "cheque"};

constexpr StyleOption kOptions[] = {
    {"locale", "TAG", "the words of a locale (a BCP 47 tag: de, sr-Latn, en_GB); money and cheque in the languages with money words"},
    {"rules", "NAME", "plain and ordinal: one of the locale's public rule sets (--list-locales)"},
    {"numbering", "short|indian", "thousand, million, ... or thousand, lakh, crore"},
    {"and", "on|off", "\"and\" before the last part below a hundred"},
    {"hyphens", "on|off", "\"twenty-one\" or \"twenty one\""},
    {"case", "lower|upper|title|sentence", "the letter case of the words"},
    {"currency", "CODE", "money and cheque: an ISO 4217 code (USD by default)"},
    {"unit", "NAME/NAMES", "money and cheque: the caller's own name of the unit"},
    {"subunit", "NAME/NAMES", "money and cheque: the caller's own name of the minor unit"},
    {"digits", "0|2|3", "money and cheque: the number of minor digits"},
    {"minor", "words|digits|none", "\"and five cents\", \"and 05/100\", or no minor part"},
    {"only", "on|off", "\"only\" at the end"},
    {"first", "on|off", "the currency before the amount"},
    {"round", "none|half-up|half-even", "more fraction digits than the currency's: refused or rounded"},
    {"width", "N", "lines of at most N characters (10 to 9999), broken at spaces"},
    {"fill", "C", "with width=: each line filled to the width with the character C"},
};

// The options that belong to the money presets, and those of the English document rules.
constexpr std::string_view kMoneyOptions[] = {"currency", "unit", "subunit", "digits", "minor", "only", "first", "round"};
constexpr std::string_view kEnglishOptions[] = {"numbering", "and", "hyphens", "case"};
// The options of English money that no other language's takes.
constexpr std::string_view kEnglishMoneyOptions[] = {"rules", "numbering", "and", "unit", "subunit", "only"};

[[noreturn]] void Bad(const std::string& what) { throw StyleError(what); }

// "a, b, c": the name of each item, `nameOf(item)`, followed by `suffix`.
template <typename Items, typename NameOf>
std::string NameList(const Items& items, NameOf nameOf, std::string_view suffix) {
    std::string list;
    for (const auto& item : items) {
        if (!list.empty()) list += ", ";
        list += nameOf(item);
        list += suffix;
    }
    return list;
}

bool OnOff(std::string_view key, std::string_view value) {
    if (value == "on") return true;
    if (value == "off") return false;
    Bad("the option " + std::string(key) + "= takes on or off, not '" + Shown(value) + "'");
}

template <typename T, std::size_t N>
T OneOf(std::string_view key, std::string_view value, const std::pair<std::string_view, T> (&choices)[N]) {
    for (const auto& [name, choice] : choices) {
        if (name == value) return choice;
    }
    const std::string names = NameList(choices, [](const auto& choice) { return choice.first; }, "");
    Bad("the option " + std::string(key) + "= takes " + names + ", not '" + Shown(value) + "'");
}

// "dollar/dollars": a name and its plural.
std::pair<std::string, std::string> Names(std::string_view key, std::string_view value) {
    const auto slash = value.find('/');
    const bool printable = std::all_of(value.begin(), value.end(), [](char c) { return c >= ' ' && c < '\x7F'; });
    if (slash == std::string_view::npos || slash == 0 || slash + 1 == value.size() || !printable ||
        value.find('/', slash + 1) != std::string_view::npos) {
        Bad("the option " + std::string(key) + "= takes a name and its plural in printable ASCII, as in dollar/dollars");
    }
    return {std::string(value.substr(0, slash)), std::string(value.substr(slash + 1))};
}

bool IsEnglish(std::string_view tag) { return tag.starts_with("en") && (tag.size() == 2 || tag[2] == '-' || tag[2] == '_'); }

// The name of the document rule set for these choices: "plain", "british",
// "indian-ordinal-british", ...
std::string DocumentSetName(bool indian, bool ordinal, bool andWord) {
    std::string name = indian ? "indian" : "";
    if (ordinal) name += name.empty() ? "ordinal" : "-ordinal";
    if (andWord) name += name.empty() ? "british" : "-british";
    return name.empty() ? "plain" : name;
}

// A description split into its preset and its options, each option named once.
class Description {
public:
    explicit Description(std::string_view description) {
        const auto comma = description.find(',');
        preset_ = description.substr(0, comma);
        for (std::string_view rest = description.substr(comma == std::string_view::npos ? description.size() : comma + 1);
             comma != std::string_view::npos;) {
            const auto next = rest.find(',');
            Add(rest.substr(0, next));
            if (next == std::string_view::npos) break;
            rest.remove_prefix(next + 1);
        }
        // The options are read before the preset is checked: a description with both
        // wrong is refused for its first wrong option.
        if (std::find(std::begin(kPresets), std::end(kPresets), preset_) == std::end(kPresets)) {
            Bad("unknown style preset '" + Shown(preset_) + "' (there are: " + NameList(kPresets, [](std::string_view p) { return p; }, "") + ")");
        }
    }

    [[nodiscard]] std::string_view Preset() const { return preset_; }
    [[nodiscard]] bool Empty() const { return options_.empty(); }

    [[nodiscard]] std::optional<std::string_view> Option(std::string_view key) const {
        const auto it = options_.find(key);
        if (it == options_.end()) return std::nullopt;
        return it->second;
    }

    // Refuses any of `keys` that is given, saying `why`.
    template <typename Keys>
    void Refuse(const Keys& keys, std::string_view why) const {
        for (const std::string_view key : keys) {
            if (options_.count(key) != 0) Bad("the option " + std::string(key) + "= " + std::string(why));
        }
    }

private:
    void Add(std::string_view item) {
        const auto equals = item.find('=');
        const std::string_view key = item.substr(0, equals);
        const bool known = std::any_of(std::begin(kOptions), std::end(kOptions), [&](const StyleOption& o) { return o.name == key; });
        if (equals == std::string_view::npos || !known) {
            Bad("unknown style option '" + Shown(item) + "' (there are: " + NameList(kOptions, [](const StyleOption& o) { return o.name; }, "=") + ")");
        }
        if (!options_.emplace(key, item.substr(equals + 1)).second) Bad("the option " + std::string(key) + "= is given twice");
    }

    std::string_view preset_;
    std::map<std::string_view, std::string_view> options_;
};

void ReadAmountOptions(const Description& d, Style& style);

// The currency and how an amount of it is written: the currency's own defaults (the
// Indian form for INR: lakh and crore, the currency first, and on a cheque the paise
// in words and "only" at the end), then the options.
void ReadMoneyOptions(const Description& d, Style& style, bool& indian) {
    const std::string_view code = d.Option("currency").value_or("USD");
    const Currency* currency = FindCurrency(code);
    if (currency == nullptr) Bad("unknown currency '" + Shown(code) + "'");
    style.currency = currency->code;
    style.unit = currency->unit;
    style.units = currency->units;
    style.subunit = currency->subunit;
    style.subunits = currency->subunits;
    style.digits = currency->digits;
    const bool indianForm = code == "INR";
    indian = indianForm;
    style.currencyFirst = indianForm;
    style.only = indianForm && style.cheque;
    style.minor = style.cheque && !indianForm ? MinorForm::Digits : MinorForm::Words;
    style.letterCase = style.cheque ? LetterCase::Title : LetterCase::Lower;
    if (const auto unit = d.Option("unit")) {
        std::tie(style.unit, style.units) = Names("unit", *unit);
        style.currency = style.units;
    }
    if (const auto subunit = d.Option("subunit")) std::tie(style.subunit, style.subunits) = Names("subunit", *subunit);
    ReadAmountOptions(d, style);
}

// The options of how an amount is written, in any language: digits, minor, only,
// first and round.
void ReadAmountOptions(const Description& d, Style& style) {
    if (const auto digits = d.Option("digits")) style.digits = OneOf<unsigned>("digits", *digits, {{"0", 0u}, {"2", 2u}, {"3", 3u}});
    if (const auto minor = d.Option("minor")) {
        style.minor = OneOf<MinorForm>("minor", *minor, {{"words", MinorForm::Words}, {"digits", MinorForm::Digits}, {"none", MinorForm::None}});
    }
    if (const auto only = d.Option("only")) style.only = OnOff("only", *only);
    if (const auto first = d.Option("first")) style.currencyFirst = OnOff("first", *first);
    if (const auto round = d.Option("round")) {
        style.rounding = OneOf<Rounding>("round", *round, {{"none", Rounding::None}, {"half-up", Rounding::HalfUp}, {"half-even", Rounding::HalfEven}});
    }
}

// The rule set that spells the numbers of a noun of `gender` in a language's money:
// the language's own, or the cardinal of that gender, or the plain cardinal.
const RuleSet& MoneyRules(const Locale& locale, const MoneyLanguage& language, std::string_view gender) {
    const std::string names[] = {std::string(language.rules), "spellout-cardinal-" + std::string(gender), "spellout-cardinal",
                                 "spellout-numbering"};
    for (const std::string& name : names) {
        if (name.empty()) continue;
        if (const RuleSet* set = locale.Find(name); set != nullptr && set->isPublic) return *set;
        if (!language.rules.empty()) break;
    }
    Bad("the locale '" + std::string(locale.name) + "' has no rule set for the money of " + language.locale);
}

// Money in a language other than English: the language's words of the currency (its
// own currency by default), the numbers in the gender of each noun.
void ReadLanguageMoney(const Description& d, Style& style, std::string_view tag) {
    d.Refuse(kEnglishMoneyOptions, "goes with English money");
    const MoneyLanguage* language = FindMoneyLanguage(LocaleId(tag));
    style.locale = RuleBook::Builtin().Find(tag);
    if (language == nullptr || style.locale == nullptr) {
        Bad("the locale '" + Shown(tag) + "' has no money words (--list-locales names the locales that have)");
    }
    const std::string_view code = d.Option("currency").value_or(language->currencies.empty() ? "" : language->currencies.front());
    const Currency* currency = FindCurrency(code);
    if (currency == nullptr) Bad("unknown currency '" + Shown(code) + "'");
    style.currencyWords = language->Find(code);
    if (style.currencyWords == nullptr) {
        Bad("the locale '" + language->locale + "' has no words for " + std::string(code) + " (it has: " +
            NameList(language->currencyWords, [](const MoneyCurrencyWords& w) { return w.code; }, "") + ")");
    }
    style.moneyLanguage = language;
    style.currency = currency->code;
    style.digits = currency->digits;
    style.english = false;
    style.minor = MinorForm::Words;
    style.letterCase = style.cheque ? LetterCase::Sentence : LetterCase::Lower;
    ReadAmountOptions(d, style);
    style.rules = &MoneyRules(*style.locale, *language, style.currencyWords->unit.gender);
    style.minorRules = &MoneyRules(*style.locale, *language, style.currencyWords->minor.gender);
}

// The letter case, the width of a line and the fill character.
void ReadLayoutOptions(const Description& d, Style& style) {
    if (const auto letterCase = d.Option("case")) {
        style.letterCase = OneOf<LetterCase>("case", *letterCase, {{"lower", LetterCase::Lower}, {"upper", LetterCase::Upper},
                                                                   {"title", LetterCase::Title}, {"sentence", LetterCase::Sentence}});
    }
    if (const auto width = d.Option("width")) {
        std::size_t value = 0;
        const bool digits = !width->empty() && width->size() <= 4 && std::all_of(width->begin(), width->end(), [](char c) { return c >= '0' && c <= '9'; });
        for (const char c : digits ? *width : std::string_view()) value = value * 10 + static_cast<std::size_t>(c - '0');
        if (!digits || value < 10) Bad("the option width= takes a number of characters from 10 to 9999");
        style.width = value;
    }
    if (const auto fill = d.Option("fill")) {
        if (style.width == 0) Bad("the option fill= needs width=");
        if (fill->size() != 1 || fill->front() <= ' ' || fill->front() >= '\x7F') {
            Bad("the option fill= takes one printable ASCII character, as in fill=*");
        }
        style.fill = *fill;
    }
}

// The rules: the English document rules for these choices, or a locale's own.
void ChooseRules(const Description& d, Style& style, bool indian, bool andWord) {
    const std::optional<std::string_view> locale = d.Option("locale"), rules = d.Option("rules");
    if (rules && d.Preset() != "plain" && d.Preset() != "ordinal") Bad("the option rules= goes with the presets plain and ordinal");
    if (locale && d.Preset() != "plain" && d.Preset() != "ordinal" && !style.money) {
        Bad("the option locale= goes with the presets plain, ordinal, money and cheque");
    }
    if (!rules && IsEnglish(locale.value_or("en"))) {
        style.locale = RuleBook::Document().Find("en");
        style.rules = style.locale->Find(DocumentSetName(indian, style.ordinal, andWord));
        return;
    }
    d.Refuse(kEnglishOptions, "applies to the English document rules only");
    style.english = false;
    style.locale = RuleBook::Builtin().Find(locale.value_or("en"));
    if (style.locale == nullptr) Bad("unknown locale '" + Shown(*locale) + "'");
    const std::string_view name = rules.value_or(style.ordinal ? "spellout-ordinal" : "spellout-numbering");
    style.rules = style.locale->Find(name);
    if (style.rules == nullptr || !style.rules->isPublic) {
        Bad("the locale '" + std::string(style.locale->name) + "' has no rule set '" + Shown(name) + "'");
    }
}

}  // namespace

std::span<const std::string_view> StylePresets() { return kPresets; }
std::span<const StyleOption> StyleOptions() { return kOptions; }

Style ParseStyle(std::string_view text) {
    const Description d(text);
    Style style;
    if (d.Preset() == "classic") {
        if (!d.Empty()) Bad("the preset classic takes no options");
        style.classic = true;
        return style;
    }
    style.ordinal = d.Preset() == "ordinal";
    style.money = d.Preset() == "money" || d.Preset() == "cheque";
    style.cheque = d.Preset() == "cheque";
    bool indian = d.Preset() == "indian", andWord = d.Preset() == "british";
    const std::optional<std::string_view> locale = d.Option("locale");
    if (style.money && locale && !IsEnglish(*locale)) {
        ReadLanguageMoney(d, style, *locale);
        if (const auto hyphens = d.Option("hyphens")) style.hyphens = OnOff("hyphens", *hyphens);
        ReadLayoutOptions(d, style);
        style.minusWords = MinusWords(style);
        return style;
    }
    if (style.money) {
        ReadMoneyOptions(d, style, indian);
    } else {
        d.Refuse(kMoneyOptions, "goes with the presets money and cheque");
    }
    if (const auto numbering = d.Option("numbering")) indian = OneOf<bool>("numbering", *numbering, {{"short", false}, {"indian", true}});
    if (const auto andOption = d.Option("and")) andWord = OnOff("and", *andOption);
    if (const auto hyphens = d.Option("hyphens")) style.hyphens = OnOff("hyphens", *hyphens);
    ReadLayoutOptions(d, style);
    ChooseRules(d, style, indian, andWord);
    if (style.money) style.minusWords = MinusWords(style);
    return style;
}

}  // namespace zorv::spell
