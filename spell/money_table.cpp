#include "money_table.h"

#include <map>
#include <memory>
#include <mutex>

#include "locale_tags.h"

namespace zorv::spell {
namespace {

struct MoneyLanguageRow {
    std::string_view locale, key, value;
};

struct MoneyCurrencyRow {
    std::string_view locale, code, gender;
    std::array<std::string_view, 6> forms;
    std::string_view minorGender;
    std::array<std::string_view, 6> minorForms;
    std::string_view name, suffix;
    std::array<std::string_view, 4> exactly;  // unit 1, unit 2, minor 1, minor 2
};

#include "money_words_data.inc"

std::vector<std::string_view> Words(std::string_view text) {
    std::vector<std::string_view> words;
    while (!text.empty()) {
        const auto space = text.find(' ');
        if (space != 0) words.push_back(text.substr(0, space));
        text.remove_prefix(space == std::string_view::npos ? text.size() : space + 1);
    }
    return words;
}

bool HasRows(std::string_view locale) {
    for (const MoneyLanguageRow& row : kMoneyLanguageRows) {
        if (row.locale == locale) return true;
    }
    for (const MoneyCurrencyRow& row : kMoneyCurrencyRows) {
        if (row.locale == locale) return true;
    }
    return false;
}

// Adds the rows of one locale to `language`, over what its parents gave.
void AddRows(std::string_view locale, MoneyLanguage& language) {
    for (const MoneyLanguageRow& row : kMoneyLanguageRows) {
        if (row.locale != locale) continue;
        const std::string_view key = row.key, value = row.value;
        if (key == "currencies") language.currencies = Words(value);
        if (key == "words") language.words = value;
        if (key == "digits") language.digits = value;
        if (key == "whole") language.whole = value;
        if (key == "of") language.of = value;
        if (key == "of-elided") language.ofElided = value;
        if (key == "of-after") language.ofAfter = Words(value);
        if (key == "rules") language.rules = value;
        if (key == "places") language.places = Words(value);
        if (key == "zero") language.zero = value;
        if (key == "complete") language.complete = value;
        if (key.starts_with("replace")) {
            const auto arrow = value.find("=>");
            MoneyLanguage::Replacements& list = key == "replace-masculine" ? language.masculine
                                                : key == "replace-feminine" ? language.feminine
                                                : key == "replace-neuter"   ? language.neuter
                                                                            : language.replacements;
            list.emplace_back(value.substr(0, arrow), value.substr(arrow + 2));
        }
    }
    for (const MoneyCurrencyRow& row : kMoneyCurrencyRows) {
        if (row.locale != locale) continue;
        MoneyCurrencyWords words{row.code, {row.gender, row.forms, {row.exactly[0], row.exactly[1]}},
                                 {row.minorGender, row.minorForms, {row.exactly[2], row.exactly[3]}}, row.name, row.suffix};
        bool replaced = false;
        for (MoneyCurrencyWords& known : language.currencyWords) {
            if (known.code == row.code) {
                known = words;
                replaced = true;
            }
        }
        if (!replaced) language.currencyWords.push_back(words);
    }
}

std::unique_ptr<const MoneyLanguage> Merge(const std::vector<std::string>& chain) {
    auto language = std::make_unique<MoneyLanguage>();
    language->locale = chain.front();
    for (auto it = chain.rbegin(); it != chain.rend(); ++it) AddRows(*it, *language);
    return language;
}

}  // namespace

std::string_view MoneyNoun::FormFor(PluralCategory category) const {
    const std::string_view form = forms[static_cast<std::size_t>(category)];
    return form.empty() ? forms[static_cast<std::size_t>(PluralCategory::Other)] : form;
}

const MoneyLanguage::Replacements* MoneyLanguage::ReplacementsOf(std::string_view gender) const {
    return gender == "masculine" ? &masculine : gender == "feminine" ? &feminine : gender == "neuter" ? &neuter : nullptr;
}

const MoneyCurrencyWords* MoneyLanguage::Find(std::string_view code) const {
    for (const MoneyCurrencyWords& words : currencyWords) {
        if (words.code == code) return &words;
    }
    return nullptr;
}

const MoneyLanguage* FindMoneyLanguage(std::string_view localeId) {
    // The locales of the chain that have rows, the most specific first.
    std::vector<std::string> chain;
    for (std::string id(localeId); !id.empty(); id = TruncatedParent(id)) {
        if (HasRows(id)) chain.push_back(id);
    }
    if (chain.empty()) return nullptr;
    static std::mutex mutex;
    static std::map<std::string, std::unique_ptr<const MoneyLanguage>, std::less<>> merged;
    const std::lock_guard lock(mutex);
    auto& language = merged[chain.front()];
    if (!language) language = Merge(chain);
    return language.get();
}

}  // namespace zorv::spell
