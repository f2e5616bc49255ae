#include "style.h"

#include <algorithm>
#include <map>
#include <optional>

#include "speller.h"

namespace zorv::spell {
namespace {

constexpr Currency kCurrencies[] = {
#include "currencies.inc"
};

// --- Reading a description --------------------------------------------------------

[[noreturn]] void Bad(const std::string& what) { throw StyleError(what); }

}  // namespace

std::string Shown(std::string_view part) {
    static constexpr char kHex[] = "0123456789abcdef";
    std::string shown;
    for (const char c : part) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte < 0x7F) {
            shown += c;
        } else {
            shown += {'\\', 'x', kHex[byte >> 4], kHex[byte & 0xF]};
        }
    }
    return shown;
}

namespace {

bool OnOff(std::string_view key, std::string_view value) {
    if (value == "on") return true;
    if (value == "off") return false;
    Bad("the option " + std::string(key) + "= takes on or off, not '" + Shown(value) + "'");
}

template <typename T, std::size_t N>
T OneOf(std::string_view key, std::string_view value, const std::pair<std::string_view, T> (&choices)[N]) {
    std::string names;
    for (const auto& [name, choice] : choices) {
        if (name == value) return choice;
        names += names.empty() ? "" : ", ";
        names += name;
    }
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

// The number of code points in UTF-8 text.
std::size_t CodePoints(std::string_view text) {
    return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
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

// --- Reading a number -------------------------------------------------------------

struct Amount {
    bool negative = false;
    bool point = false;
    std::string whole;     // digits, no leading zero ("0" for zero)
    std::string fraction;  // the digits written after the point
};

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Commas every three digits ("1,234,567") or in the Indian way ("12,34,567"): the
// last group three digits, each before it three (or two), the first one to three (or two).
bool WellGrouped(std::string_view whole) {
    std::vector<std::size_t> sizes;
    for (std::size_t start = 0;;) {
        const auto comma = whole.find(',', start);
        sizes.push_back((comma == std::string_view::npos ? whole.size() : comma) - start);
        if (comma == std::string_view::npos) break;
        start = comma + 1;
    }
    if (sizes.back() != 3 || sizes.front() == 0) return false;
    const auto middle = std::span(sizes).subspan(1, sizes.size() - 2);
    const bool threes = sizes.front() <= 3 && std::all_of(middle.begin(), middle.end(), [](std::size_t n) { return n == 3; });
    const bool indian = sizes.front() <= 2 && std::all_of(middle.begin(), middle.end(), [](std::size_t n) { return n == 2; });
    return threes || indian;
}

Amount ReadAmount(std::string_view text) {
    if (text.size() > kLongestText) throw SpellError(std::string(kTooLong));
    const auto first = text.find_first_not_of(" \t"), last = text.find_last_not_of(" \t");
    text = first == std::string_view::npos ? std::string_view() : text.substr(first, last - first + 1);
    Amount amount;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        amount.negative = text.front() == '-';
        text.remove_prefix(1);
    }
    const auto point = text.find('.');
    std::string_view whole = text.substr(0, point), fraction;
    if (point != std::string_view::npos) {
        amount.point = true;
        fraction = text.substr(point + 1);
    }
    const bool wholeOk = std::all_of(whole.begin(), whole.end(), [](char c) { return IsDigit(c) || c == ','; });
    const bool fractionOk = std::all_of(fraction.begin(), fraction.end(), IsDigit);
    if (!wholeOk || !fractionOk || (whole.empty() && fraction.empty()) || whole.starts_with(',')) {
        throw SpellError("not a number");
    }
    if (whole.find(',') != std::string_view::npos && !WellGrouped(whole)) {
        throw SpellError("the commas do not group the digits in threes or in the Indian way (1,234,567 or 12,34,567)");
    }
    const auto significant = whole.find_first_not_of("0,");
    if (significant != std::string_view::npos) {
        for (const char c : whole.substr(significant)) {
            if (c != ',') amount.whole.push_back(c);
        }
    }
    if (amount.whole.empty()) amount.whole.push_back('0');
    amount.fraction = fraction;
    if (amount.whole.size() > kMostDigits || amount.fraction.size() > kMostDigits) {
        throw SpellError("more than 1,000 digits before or after the point");
    }
    // A zero has no sign: "-0" and "-0.00" are written and read as zero.
    if (amount.whole == "0" && amount.fraction.find_first_not_of('0') == std::string::npos) amount.negative = false;
    return amount;
}

// Adds one to a text of digits, which may gain a digit.
void Increment(std::string& digits) {
    auto at = digits.rbegin();
    for (; at != digits.rend() && *at == '9'; ++at) *at = '0';
    if (at == digits.rend()) {
        digits.insert(digits.begin(), '1');
    } else {
        ++*at;
    }
}

// Cuts the fraction to `places` digits by the rounding rule, on the decimal digits.
void Round(Amount& amount, std::size_t places, Rounding rounding) {
    const std::string dropped = amount.fraction.substr(places);
    amount.fraction.resize(places);
    const bool pastHalf = dropped[0] > '5' || (dropped[0] == '5' && dropped.find_first_not_of('0', 1) != std::string::npos);
    const bool half = dropped[0] == '5' && !pastHalf;
    const char lastKept = places == 0 ? amount.whole.back() : amount.fraction.back();
    const bool up = pastHalf || (half && (rounding == Rounding::HalfUp || (lastKept - '0') % 2 == 1));
    if (!up) return;
    std::string all = amount.whole + amount.fraction;
    Increment(all);
    amount.whole = all.substr(0, all.size() - places);
    amount.fraction = all.substr(all.size() - places);
}

// --- Writing -------------------------------------------------------------------------

// The words of a whole number, or of a number with its fraction, by the style's rules.
void Words(const Style& style, bool negative, std::string_view whole, std::string_view fraction, std::string& out) {
    std::string number;
    if (negative) number += '-';
    number += whole;
    if (!fraction.empty()) {
        number += '.';
        number += fraction;
    }
    const std::size_t start = out.size();
    SpellInto(*style.locale, *style.rules, number, out);
    if (!style.hyphens) std::replace(out.begin() + static_cast<std::ptrdiff_t>(start), out.end(), '-', ' ');
}

void Money(const Style& style, Amount& amount, std::string& out) {
    if (amount.negative && style.cheque) throw SpellError("a cheque is not written for a negative amount");
    if (amount.fraction.size() > style.digits) {
        if (style.rounding == Rounding::None) {
            throw SpellError("more digits after the point than the currency's " + std::to_string(style.digits) +
                             " (round=half-up or round=half-even rounds them)");
        }
        Round(amount, style.digits, style.rounding);
    }
    const bool hasMinor = style.digits > 0 && (amount.point || style.minor == MinorForm::Digits);
    std::string minor = amount.fraction;
    minor.resize(style.digits, '0');
    const bool minorZero = minor.find_first_not_of('0') == std::string::npos;
    if (style.minor == MinorForm::None && !minorZero) {
        throw SpellError("an amount with a minor part, which minor=none leaves out");
    }
    const bool one = amount.whole == "1";
    const bool negative = amount.negative && (amount.whole != "0" || !minorZero);  // "-0.001" rounded to zero
    if (style.currencyFirst) {
        if (negative) throw SpellError("a negative amount is not written with the currency first");
        out += style.units;
        out += ' ';
        Words(style, false, amount.whole, {}, out);
    } else {
        if (negative) {
            // The rules write no sign on zero ("-0.50"): the sign is the words they put
            // before a negative number, the difference between their -1 and 1.
            std::string minusOne, one;
            Words(style, true, "1", {}, minusOne);
            Words(style, false, "1", {}, one);
            out += std::string_view(minusOne).substr(0, minusOne.size() - one.size());
        }
        Words(style, false, amount.whole, {}, out);
        if (!(hasMinor && style.minor == MinorForm::Digits)) {
            out += ' ';
            out += one ? style.unit : style.units;
        }
    }
    if (hasMinor && style.minor == MinorForm::Words) {
        out += " and ";
        const bool oneMinor = minor.find_first_not_of('0') == minor.size() - 1 && minor.back() == '1';
        if (style.currencyFirst) {
            out += style.subunits;
            out += ' ';
            Words(style, false, minor, {}, out);
        } else {
            Words(style, false, minor, {}, out);
            out += ' ';
            out += oneMinor ? style.subunit : style.subunits;
        }
    } else if (hasMinor && style.minor == MinorForm::Digits) {
        out += " and ";
        out += minor;
        out += "/1";
        out.append(style.digits, '0');
        if (!style.currencyFirst) {
            out += ' ';
            out += style.units;
        }
    }
    if (style.only) out += " only";
}

bool IsLower(char c) { return c >= 'a' && c <= 'z'; }
char Upper(char c) { return IsLower(c) ? static_cast<char>(c - 'a' + 'A') : c; }

void ApplyCase(LetterCase letterCase, std::string& text) {
    bool wordStart = true;
    for (char& c : text) {
        switch (letterCase) {
        case LetterCase::Lower: return;
        case LetterCase::Upper: c = Upper(c); break;
        case LetterCase::Title:
            // Every word but "and", which stays lower case as in a title.
            if (wordStart && !std::string_view(&c, static_cast<std::size_t>(text.data() + text.size() - &c)).starts_with("and ")) {
                c = Upper(c);
            }
            wordStart = c == ' ' || c == '-' || c == '\n';
            break;
        case LetterCase::Sentence:
            if (IsLower(c) || (c >= 'A' && c <= 'Z')) {
                c = Upper(c);
                return;
            }
            break;
        }
    }
}

// The words broken into lines of at most `width` code points at spaces (a longer word
// stands alone), each line filled to the width with `fill`.
std::string Wrap(std::string_view words, std::size_t width, std::string_view fill) {
    std::string out, line;
    std::size_t lineWidth = 0;
    const auto finish = [&] {
        out += line;
        if (!fill.empty()) {
            for (std::size_t n = lineWidth; n < width; ++n) out += fill;
        }
        line.clear();
        lineWidth = 0;
    };
    while (!words.empty()) {
        const auto space = words.find(' ');
        const std::string_view word = words.substr(0, space);
        words.remove_prefix(space == std::string_view::npos ? words.size() : space + 1);
        const std::size_t wordWidth = CodePoints(word);
        if (lineWidth > 0 && lineWidth + 1 + wordWidth > width) {
            finish();
            out += '\n';
        }
        if (lineWidth > 0) {
            line += ' ';
            ++lineWidth;
        }
        line += word;
        lineWidth += wordWidth;
    }
    finish();
    return out;
}

}  // namespace

std::span<const Currency> Currencies() { return kCurrencies; }

namespace {

constexpr std::string_view kPresets[] = {"classic", "plain", "british", "ordinal", "indian", "money", "cheque"};

constexpr StyleOption kOptions[] = {
    {"locale", "TAG", "plain and ordinal: the words of a locale (a BCP 47 tag: de, sr-Latn, en_GB)"},
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

}  // namespace

std::span<const std::string_view> StylePresets() { return kPresets; }
std::span<const StyleOption> StyleOptions() { return kOptions; }

Style ParseStyle(std::string_view description) {
    // The preset, then each option once.
    std::string_view preset;
    std::map<std::string_view, std::string_view> options;
    for (bool first = true;; first = false) {
        const auto comma = description.find(',');
        const std::string_view item = description.substr(0, comma);
        if (first) {
            preset = item;
        } else {
            const auto equals = item.find('=');
            const std::string_view key = item.substr(0, equals);
            const bool known = std::any_of(std::begin(kOptions), std::end(kOptions), [&](const StyleOption& o) { return o.name == key; });
            if (equals == std::string_view::npos || !known) {
                Bad("unknown style option '" + Shown(item) + "' (there are: " + NameList(kOptions, [](const StyleOption& o) { return o.name; }, "=") + ")");
            }
            if (!options.emplace(key, item.substr(equals + 1)).second) Bad("the option " + std::string(key) + "= is given twice");
        }
        if (comma == std::string_view::npos) break;
        description.remove_prefix(comma + 1);
    }
    const auto option = [&](std::string_view key) -> std::optional<std::string_view> {
        const auto it = options.find(key);
        if (it == options.end()) return std::nullopt;
        return it->second;
    };
    const auto refuse = [&](std::string_view key, std::string_view why) {
        if (options.count(key) != 0) Bad("the option " + std::string(key) + "= " + std::string(why));
    };

    Style style;
    if (std::find(std::begin(kPresets), std::end(kPresets), preset) == std::end(kPresets)) {
        Bad("unknown style preset '" + Shown(preset) + "' (there are: " + NameList(kPresets, [](std::string_view preset) { return preset; }, "") + ")");
    }
    if (preset == "classic") {
        if (!options.empty()) Bad("the preset classic takes no options");
        style.classic = true;
        return style;
    }
    style.ordinal = preset == "ordinal";
    style.money = preset == "money" || preset == "cheque";
    style.cheque = preset == "cheque";
    bool indian = preset == "indian", andWord = preset == "british";

    if (style.money) {
        const std::string_view code = option("currency").value_or("USD");
        const auto currency = std::find_if(std::begin(kCurrencies), std::end(kCurrencies), [&](const Currency& c) { return c.code == code; });
        if (currency == std::end(kCurrencies)) Bad("unknown currency '" + Shown(code) + "'");
        style.currency = currency->code;
        style.unit = currency->unit;
        style.units = currency->units;
        style.subunit = currency->subunit;
        style.subunits = currency->subunits;
        style.digits = currency->digits;
        // The Indian form: lakh and crore, the currency first, and on a cheque the
        // paise in words and "only" at the end.
        const bool indianForm = code == "INR";
        indian = indianForm;
        style.currencyFirst = indianForm;
        style.only = indianForm && style.cheque;
        style.minor = style.cheque && !indianForm ? MinorForm::Digits : MinorForm::Words;
        style.letterCase = style.cheque ? LetterCase::Title : LetterCase::Lower;
        if (const auto unit = option("unit")) {
            std::tie(style.unit, style.units) = Names("unit", *unit);
            style.currency = style.units;
        }
        if (const auto subunit = option("subunit")) std::tie(style.subunit, style.subunits) = Names("subunit", *subunit);
        if (const auto digits = option("digits")) {
            style.digits = OneOf<unsigned>("digits", *digits, {{"0", 0u}, {"2", 2u}, {"3", 3u}});
        }
        if (const auto minor = option("minor")) {
            style.minor = OneOf<MinorForm>("minor", *minor, {{"words", MinorForm::Words}, {"digits", MinorForm::Digits}, {"none", MinorForm::None}});
        }
        if (const auto only = option("only")) style.only = OnOff("only", *only);
        if (const auto first = option("first")) style.currencyFirst = OnOff("first", *first);
        if (const auto round = option("round")) {
            style.rounding = OneOf<Rounding>("round", *round, {{"none", Rounding::None}, {"half-up", Rounding::HalfUp}, {"half-even", Rounding::HalfEven}});
        }
    } else {
        for (const std::string_view key : {"currency", "unit", "subunit", "digits", "minor", "only", "first", "round"}) {
            refuse(key, "goes with the presets money and cheque");
        }
    }
    if (const auto numbering = option("numbering")) indian = OneOf<bool>("numbering", *numbering, {{"short", false}, {"indian", true}});
    if (const auto andOption = option("and")) andWord = OnOff("and", *andOption);
    if (const auto hyphens = option("hyphens")) style.hyphens = OnOff("hyphens", *hyphens);
    if (const auto letterCase = option("case")) {
        style.letterCase = OneOf<LetterCase>("case", *letterCase, {{"lower", LetterCase::Lower}, {"upper", LetterCase::Upper},
                                                                   {"title", LetterCase::Title}, {"sentence", LetterCase::Sentence}});
    }
    if (const auto width = option("width")) {
        std::size_t value = 0;
        const bool digits = !width->empty() && width->size() <= 4 && std::all_of(width->begin(), width->end(), IsDigit);
        for (const char c : digits ? *width : std::string_view()) value = value * 10 + static_cast<std::size_t>(c - '0');
        if (!digits || value < 10) Bad("the option width= takes a number of characters from 10 to 9999");
        style.width = value;
    }
    if (const auto fill = option("fill")) {
        if (style.width == 0) Bad("the option fill= needs width=");
        if (fill->size() != 1 || fill->front() <= ' ' || fill->front() >= '\x7F') {
            Bad("the option fill= takes one printable ASCII character, as in fill=*");
        }
        style.fill = *fill;
    }

    // The rules: the English document rules, or a locale's own.
    const std::optional<std::string_view> locale = option("locale"), rules = option("rules");
    if ((locale || rules) && preset != "plain" && preset != "ordinal") {
        Bad("the options locale= and rules= go with the presets plain and ordinal");
    }
    if (!rules && IsEnglish(locale.value_or("en"))) {
        style.locale = RuleBook::Document().Find("en");
        style.rules = style.locale->Find(DocumentSetName(indian, style.ordinal, andWord));
        return style;
    }
    for (const std::string_view key : {"numbering", "and", "hyphens", "case"}) refuse(key, "applies to the English document rules only");
    style.english = false;
    style.locale = RuleBook::Builtin().Find(locale.value_or("en"));
    if (style.locale == nullptr) Bad("unknown locale '" + Shown(*locale) + "'");
    const std::string_view name = rules.value_or(style.ordinal ? "spellout-ordinal" : "spellout-numbering");
    style.rules = style.locale->Find(name);
    if (style.rules == nullptr || !style.rules->isPublic) {
        Bad("the locale '" + std::string(style.locale->name) + "' has no rule set '" + Shown(name) + "'");
    }
    return style;
}

void SpellInStyleInto(const Style& style, std::string_view number, std::string& out) {
    Amount amount = ReadAmount(number);
    const std::size_t start = out.size();
    if (style.ordinal) {
        if (amount.point) throw SpellError("an ordinal is a whole number: no point");
        if (amount.negative && amount.whole != "0") throw SpellError("an ordinal is not negative");
        Words(style, false, amount.whole, {}, out);
    } else if (style.money) {
        Money(style, amount, out);
    } else {
        Words(style, amount.negative, amount.whole, amount.fraction, out);
    }
    if (style.letterCase == LetterCase::Lower && style.width == 0) return;
    std::string words = out.substr(start);
    ApplyCase(style.letterCase, words);
    if (style.width != 0) words = Wrap(words, style.width, style.fill);
    out.replace(start, std::string::npos, words);
}

std::string PlainNumber(std::string_view number) {
    const Amount amount = ReadAmount(number);
    std::string plain = amount.negative ? "-" + amount.whole : amount.whole;
    if (amount.point) plain += "." + amount.fraction;
    return plain;
}

std::string SpellInStyle(const Style& style, std::string_view number) {
    std::string out;
    SpellInStyleInto(style, number, out);
    return out;
}

}  // namespace zorv::spell
