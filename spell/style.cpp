#include "style.h"

#include "speller.h"

namespace zorv::spell {

Style ParseStyle(std::string_view description, const RuleBook& book) {
    std::string_view localeTag = "en", rulesName = "spellout-numbering";
    bool first = true;
    while (true) {
        const auto comma = description.find(',');
        const std::string_view item = description.substr(0, comma);
        if (first) {
            if (item != "plain") throw StyleError("unknown style preset '" + std::string(item) + "' (there is: plain)");
            first = false;
        } else if (item.starts_with("locale=")) {
            localeTag = item.substr(7);
        } else if (item.starts_with("rules=")) {
            rulesName = item.substr(6);
        } else {
            throw StyleError("unknown style option '" + std::string(item) + "' (there are: locale=, rules=)");
        }
        if (comma == std::string_view::npos) break;
        description.remove_prefix(comma + 1);
    }
    Style style;
    style.locale = book.Find(localeTag);
    if (style.locale == nullptr) throw StyleError("unknown locale '" + std::string(localeTag) + "'");
    style.rules = style.locale->Find(rulesName);
    if (style.rules == nullptr || !style.rules->isPublic) {
        throw StyleError("the locale '" + std::string(style.locale->name) + "' has no rule set '" + std::string(rulesName) + "'");
    }
    return style;
}

std::string SpellInStyle(const Style& style, std::string_view number) { return Spell(*style.locale, *style.rules, number); }

}  // namespace zorv::spell
