// Reading number words of any locale back into the number, driven by the compiled rules
// themselves: no word list is written by hand. Words agree with figures when the rules
// write the figures so, in the style's rule set or another public one of the locale
// (masculine for feminine, "vingt-et-un" for "vingt et un"), compared in a form that
// ignores what people vary: letter case, spaces, hyphens, soft hyphens and zero-width
// spaces, apostrophe variants and ё for е. A whole number is read from words by the
// spellings of the numbers below 1,000 and of their multiples of each power of 1,000,
// and then written again by the rules: a reading is only ever a number whose words
// they are, never a guess.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "style.h"

namespace zorv::spell {

struct Reading;

class LocaleWordReader {
public:
    // Reads words of `style` (a style with the rules of a locale other than English).
    explicit LocaleWordReader(const Style& style);
    ~LocaleWordReader();

    [[nodiscard]] Reading Read(std::string_view words) const;
    [[nodiscard]] Reading Verify(std::string_view figures, std::string_view words) const;

    // `text` in the form in which words are compared.
    [[nodiscard]] static std::string Comparable(std::string_view text);

    // What the reader learns of one rule set, on its first Read.
    struct RuleSetWords;

private:

    // `words` without the style's fill character.
    [[nodiscard]] std::string WithoutFill(std::string_view words) const;

    // The words of `figures` in the style and in each other public rule set tried.
    [[nodiscard]] std::vector<std::string> Spellings(std::string_view figures) const;

    const Style& style_;
    std::vector<const RuleSet*> sets_;  // the style's own first
    mutable std::vector<std::unique_ptr<RuleSetWords>> words_;  // learnt on first Read, by set
};

}  // namespace zorv::spell
