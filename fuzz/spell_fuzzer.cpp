// Fuzzes the rule interpreter through the C interface: the first two bytes choose a
// locale and one of its public rule sets, the rest is the text spelled. Every run
// must end in exactly one outcome (words in valid UTF-8, or a message), answer the
// same text the same way twice, and leave nothing allocated once released.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include <zorv/words.h>
#include <zorv/words.hpp>

#include "check.h"

namespace {

using zorv::fuzz::Check;
using zorv::fuzz::IsUtf8;

// Every style of the compiled rules: "plain,locale=de,rules=spellout-ordinal", ...
const std::vector<std::vector<std::string>>& Styles() {
    static const std::vector<std::vector<std::string>> styles = [] {
        std::vector<std::vector<std::string>> all;
        const std::string list = zorv::Speller::ListLocales();
        for (std::size_t at = 0; at < list.size();) {
            const std::size_t end = list.find('\n', at);
            const std::string listed = list.substr(at, end - at);
            const std::string line = listed.substr(0, listed.find(" (money:"));
            at = end + 1;
            const std::size_t colon = line.find(':');
            std::vector<std::string> sets;
            for (std::size_t from = colon + 2; from < line.size();) {
                const std::size_t space = std::min(line.find(' ', from), line.size());
                sets.push_back("plain,locale=" + line.substr(0, colon) + ",rules=" + line.substr(from, space - from));
                from = space + 1;
            }
            all.push_back(std::move(sets));
        }
        return all;
    }();
    return styles;
}

std::pair<int, std::string> Spell(const std::string& style, std::string_view text) {
    return zorv::fuzz::Answer([&](char** out, std::size_t* length) {
        return zorv_spell(style.c_str(), text.data(), text.size(), out, length);
    });
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    const auto& locales = Styles();
    const auto& sets = locales[data[0] % locales.size()];
    const std::string& style = sets[data[1] % sets.size()];
    const std::string_view text(reinterpret_cast<const char*>(data + 2), size - 2);

    const auto [status, answer] = Spell(style, text);
    Check(status == ZORV_WORDS || status == ZORV_MESSAGE);
    Check(!answer.empty());
    Check(IsUtf8(answer));
    Check(Spell(style, text) == std::make_pair(status, answer));
    return 0;
}
