// The rule generator: reads the spelling rules of every locale from ICU's own data,
// with each locale's plural rules and number symbols, compiles them with the rule
// compiler and writes them as a C++ source file holding the binary form.
//   zorv_rules_generator OUTPUT.cpp
#include <unicode/dcfmtsym.h>
#include <unicode/locid.h>
#include <unicode/plurrule.h>
#include <unicode/rbnf.h>
#include <unicode/uenum.h>
#include <unicode/uloc.h>
#include <unicode/ures.h>
#include <unicode/utypes.h>

#include <cstdio>
#include <fstream>
#include <iostream>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "locale_tags.h"
#include "packing.h"
#include "rule_compiler.h"

namespace {

std::string Utf8(const icu::UnicodeString& text) {
    std::string out;
    text.toUTF8String(out);
    return out;
}

void Check(UErrorCode status, const std::string& what) {
    if (U_FAILURE(status)) throw std::runtime_error(what + ": " + u_errorName(status));
}

// The locales with spelling rules in ICU's data, by their ICU IDs.
std::vector<std::string> RuleLocales() {
    UErrorCode status = U_ZERO_ERROR;
    UEnumeration* names = ures_openAvailableLocales(U_ICUDATA_NAME "-rbnf", &status);
    Check(status, "the list of locales with spelling rules");
    std::set<std::string> sorted;
    for (const char* name; (name = uenum_next(names, nullptr, &status)) != nullptr;) sorted.insert(name);
    uenum_close(names);
    return {sorted.begin(), sorted.end()};
}

bool HasRules(const std::string& name, const char* kind) {
    UErrorCode status = U_ZERO_ERROR;
    UResourceBundle* bundle = ures_open(U_ICUDATA_NAME "-rbnf", name.c_str(), &status);
    UResourceBundle* all = ures_getByKey(bundle, "RBNFRules", nullptr, &status);
    UResourceBundle* rules = ures_getByKey(all, kind, nullptr, &status);
    const bool found = U_SUCCESS(status) && status != U_USING_DEFAULT_WARNING;
    ures_close(rules);
    ures_close(all);
    ures_close(bundle);
    return found || name == "root";
}

// The rules of a kind ("SpelloutRules", "OrdinalRules") as ICU's data holds them, one
// rule a line: the text RuleBasedNumberFormat itself reads. A locale without rules of
// that kind takes its parent's, and at the last the root locale's, as ICU does.
std::string RulesOf(const std::string& name, const char* kind) {
    UErrorCode status = U_ZERO_ERROR;
    if (!HasRules(name, kind)) {
        char parent[ULOC_FULLNAME_CAPACITY] = "";
        uloc_getParent(name.c_str(), parent, sizeof parent, &status);
        return RulesOf(U_SUCCESS(status) && parent[0] != '\0' ? parent : "root", kind);
    }
    UResourceBundle* bundle = ures_open(U_ICUDATA_NAME "-rbnf", name.c_str(), &status);
    UResourceBundle* all = ures_getByKey(bundle, "RBNFRules", nullptr, &status);
    UResourceBundle* rules = ures_getByKey(all, kind, nullptr, &status);
    std::string text;
    for (int i = 0; U_SUCCESS(status) && i < ures_getSize(rules); ++i) {
        int32_t length = 0;
        const UChar* rule = ures_getStringByIndex(rules, i, &length, &status);
        if (U_SUCCESS(status)) text += Utf8(icu::UnicodeString(rule, length)) + "\n";
    }
    ures_close(rules);
    ures_close(all);
    ures_close(bundle);
    Check(status, std::string(kind) + " of " + name);
    return text;
}

std::string PluralsOf(const icu::Locale& locale, UPluralType type) {
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<icu::PluralRules> rules(icu::PluralRules::forLocale(locale, type, status));
    Check(status, std::string("the plural rules of ") + locale.getName());
    return Utf8(rules->getRules());
}

zorv::spell::LocaleSource SourceOf(const std::string& name) {
    const icu::Locale locale(name.c_str());
    zorv::spell::LocaleSource source;
    source.name = name;
    source.rules = RulesOf(name, "SpelloutRules") + RulesOf(name, "OrdinalRules");
    UErrorCode status = U_ZERO_ERROR;
    const icu::DecimalFormatSymbols symbols(locale, status);
    Check(status, "the number symbols of " + name);
    source.decimal = Utf8(symbols.getSymbol(icu::DecimalFormatSymbols::kDecimalSeparatorSymbol));
    source.grouping = Utf8(symbols.getSymbol(icu::DecimalFormatSymbols::kGroupingSeparatorSymbol));
    source.minus = Utf8(symbols.getSymbol(icu::DecimalFormatSymbols::kMinusSignSymbol));
    source.digits = Utf8(symbols.getSymbol(icu::DecimalFormatSymbols::kZeroDigitSymbol));
    for (int d = icu::DecimalFormatSymbols::kOneDigitSymbol; d <= icu::DecimalFormatSymbols::kNineDigitSymbol; ++d) {
        source.digits += Utf8(symbols.getSymbol(static_cast<icu::DecimalFormatSymbols::ENumberFormatSymbol>(d)));
    }
    source.cardinalPlurals = PluralsOf(locale, UPLURAL_TYPE_CARDINAL);
    source.ordinalPlurals = PluralsOf(locale, UPLURAL_TYPE_ORDINAL);
    return source;
}

// The locale whose rules a name gets by cutting its last part off again and again,
// as RuleBook does; empty when none has rules.
std::string ByCutting(const std::string& name, const std::set<std::string>& ruled) {
    for (std::string id = name; !id.empty(); id = zorv::spell::TruncatedParent(id)) {
        if (ruled.count(id) != 0) return id;
    }
    return {};
}

// Every locale ICU knows whose rules ICU finds elsewhere than by cutting parts off
// (CLDR's parent locales: es_AR takes es_419's rules, not es's), each also by its
// shortest ID, which people write and ICU resolves through its aliases: zh_TW takes
// zh_Hant_TW's rules (traditional characters), not zh's. A name whose language has
// rules only in another script stands for no rules, as in ICU.
std::vector<std::pair<std::string, std::string>> Aliases(const std::set<std::string>& ruled) {
    std::vector<std::pair<std::string, std::string>> aliases;
    std::set<std::string> seen;
    const auto consider = [&](const std::string& name) {
        const std::string cut = ByCutting(name, ruled);
        if (cut.empty() || !seen.insert(name).second) return;
        UErrorCode status = U_ZERO_ERROR;
        icu::RuleBasedNumberFormat format(icu::URBNF_SPELLOUT, icu::Locale(name.c_str()), status);
        if (U_FAILURE(status)) return;
        const std::string actual = format.getLocale(ULOC_ACTUAL_LOCALE, status).getName();
        if (U_FAILURE(status) || actual == cut) return;
        // A name ICU gives no locale's rules (az_Cyrl: Azerbaijani's are in the Latin
        // script) stands for none here either: an empty name.
        aliases.emplace_back(name, ruled.count(actual) != 0 ? actual : "");
    };
    for (int i = 0; i < uloc_countAvailable(); ++i) {
        const std::string name = uloc_getAvailable(i);
        consider(name);
        char shortest[ULOC_FULLNAME_CAPACITY] = "";
        UErrorCode status = U_ZERO_ERROR;
        uloc_minimizeSubtags(name.c_str(), shortest, sizeof shortest, &status);
        if (U_SUCCESS(status) && shortest[0] != '\0') consider(shortest);
    }
    return aliases;
}

// The Conway-Wechsler name of the n-th -illion (10^(3n+3)), for 1 <= n <= 999: the
// Latin prefixes of its units, tens and hundreds, in that order, the unit changed by
// the marks of the prefix that follows it, the last vowel dropped, then "illion".
std::string ConwayWechslerName(unsigned n) {
    static const char* const kSmall[] = {"", "m", "b", "tr", "quadr", "quint", "sext", "sept", "oct", "non"};
    if (n < 10) return std::string(kSmall[n]) + "illion";
    static const char* const kUnits[] = {"", "un", "duo", "tre", "quattuor", "quin", "se", "septe", "octo", "nove"};
    // Each tens and hundreds prefix with the marks that change a unit before it.
    static const std::pair<const char*, const char*> kTens[] = {
        {"", ""}, {"deci", "n"}, {"viginti", "ms"}, {"triginta", "ns"}, {"quadraginta", "ns"}, {"quinquaginta", "ns"},
        {"sexaginta", "n"}, {"septuaginta", "n"}, {"octoginta", "mx"}, {"nonaginta", ""}};
    static const std::pair<const char*, const char*> kHundreds[] = {
        {"", ""}, {"centi", "nx"}, {"ducenti", "n"}, {"trecenti", "ns"}, {"quadringenti", "ns"}, {"quingenti", "ns"},
        {"sescenti", "n"}, {"septingenti", "n"}, {"octingenti", "mx"}, {"nongenti", ""}};
    const unsigned unit = n % 10, ten = n / 10 % 10, hundred = n / 100;
    const std::string_view marks = ten != 0 ? kTens[ten].second : kHundreds[hundred].second;
    std::string name = kUnits[unit];
    const auto marked = [&](char mark) { return marks.find(mark) != std::string_view::npos; };
    if (unit == 3 && (marked('s') || marked('x'))) name += 's';
    if (unit == 6 && marked('s')) name += 's';
    if (unit == 6 && marked('x')) name += 'x';
    if ((unit == 7 || unit == 9) && (marked('m') || marked('n'))) name += marked('m') ? 'm' : 'n';
    name += kTens[ten].first;
    name += kHundreds[hundred].first;
    if (name.back() == 'a' || name.back() == 'i') name.pop_back();
    return name + "illion";
}

constexpr unsigned kMostDigits = 1000;  // in a whole number the speller takes

// The English document rules: the text of `path` without its comments, its
// "CONWAY-WECHSLER: BODY;" lines written out as one rule a scale from 10^66 to
// 10^999, and en's symbols and plural rules.
zorv::spell::LocaleSource DocumentSource(const char* path) {
    std::ifstream in(path);
    if (!in) throw std::runtime_error(std::string("cannot read ") + path);
    zorv::spell::LocaleSource source = SourceOf("en");
    source.rules.clear();
    constexpr std::string_view kScales = "CONWAY-WECHSLER:";
    for (std::string line; std::getline(in, line);) {
        if (line.empty() || line.starts_with('#')) continue;
        if (!line.starts_with(kScales)) {
            source.rules += line + '\n';
            continue;
        }
        const std::string body = line.substr(kScales.size());
        const auto slot = body.find("{name}");
        if (slot == std::string::npos) throw std::runtime_error("a CONWAY-WECHSLER line without {name}");
        for (unsigned n = 21; 3 * n + 3 < kMostDigits; ++n) {
            source.rules += '1' + std::string(3 * n + 3, '0') + ':' + body.substr(0, slot) + ConwayWechslerName(n) +
                            body.substr(slot + 6) + '\n';
        }
    }
    return source;
}

// The packed rules as the definition of a byte array `name` and its size `name`Size.
void WriteArray(std::ostream& out, const std::string& name, const std::string& compiled) {
    const std::string data = zorv::spell::Pack(compiled);
    if (zorv::spell::Unpack(data) != compiled) throw std::runtime_error("the packed rules do not unpack to the rules");
    out << "extern const unsigned char " << name << "[];\n"
        << "extern const std::size_t " << name << "Size;\n"
        << "alignas(8) const unsigned char " << name << "[] = {";
    for (std::size_t i = 0; i < data.size(); ++i) {
        out << (i % 24 == 0 ? "\n    " : "") << static_cast<unsigned>(static_cast<unsigned char>(data[i])) << ',';
    }
    out << "\n};\nconst std::size_t " << name << "Size = " << data.size() << ";\n\n";
    std::cerr << "zorv_rules_generator: " << name << ": " << compiled.size() << " bytes, packed " << data.size() << '\n';
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: zorv_rules_generator OUTPUT.cpp DOCUMENT-RULES.txt\n";
        return 2;
    }
    try {
        const std::vector<std::string> names = RuleLocales();
        std::vector<zorv::spell::LocaleSource> sources;
        for (const std::string& name : names) sources.push_back(SourceOf(name));
        std::ofstream out(argv[1], std::ios::binary);
        out << "// Generated by zorv_rules_generator from ICU " U_ICU_VERSION "'s data and " << argv[2]
            << ": do not edit.\n#include <cstddef>\n\nnamespace zorv::spell {\n\n";
        WriteArray(out, "kCompiledRules", zorv::spell::CompileRules(sources, Aliases({names.begin(), names.end()})));
        WriteArray(out, "kDocumentRules", zorv::spell::CompileRules({DocumentSource(argv[2])}));
        out << "}  // namespace zorv::spell\n";
        if (!out.flush()) throw std::runtime_error(std::string("cannot write ") + argv[1]);
        std::cerr << "zorv_rules_generator: " << sources.size() << " locales\n";
    } catch (const std::exception& error) {
        std::cerr << "zorv_rules_generator: " << error.what() << '\n';
        std::remove(argv[1]);
        return 1;
    }
    return 0;
}
