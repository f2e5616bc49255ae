#include "locale_reader.h"

#include <algorithm>
#include <cstdint>
#include <mutex>
#include <set>
#include <unordered_map>

#include "interpreter.h"
#include "layout.h"
#include "reader.h"
#include "wording.h"

namespace zorv::spell {
namespace {

using u64 = std::uint64_t;

// The largest whole number read: eighteen digits.
constexpr u64 kMostRead = 999'999'999'999'999'999ULL;

// Characters people put in or leave out of number words at will: spaces and line
// breaks, hyphens, the soft hyphen, no-break and zero-width spaces and joiners.
constexpr std::string_view kIgnored[] = {" ",        "\t",       "\n",       "\r",       "-",        "\xC2\xA0", "\xC2\xAD",
                                         "\xE2\x80\x90", "\xE2\x80\x91", "\xE2\x80\x8B", "\xE2\x80\x8C", "\xE2\x80\x8D",
                                         "\xE2\x81\xA0", "\xE2\x80\xAF", "\xEF\xBB\xBF"};
// Apostrophes, written as the ASCII one.
constexpr std::string_view kApostrophes[] = {"\xE2\x80\x99", "\xCA\xBC", "\xE2\x80\x98", "`"};


}  // namespace

// What the reader knows of one rule set: the comparable words of the numbers below
// 1,000 and of their multiples of each power of 1,000 up to 10^15, the texts that join
// two such parts ("e", "零", none), and the words before a negative number.
struct LocaleWordReader::RuleSetWords {
    std::unordered_map<std::string, u64> parts;
    std::size_t longestPart = 0;
    std::vector<std::string> joins;
    std::string minus;
};

namespace {

std::string SpellComparable(const Locale& locale, const RuleSet& set, std::string_view number) {
    std::string words;
    try {
        SpellInto(locale, set, number, words);
    } catch (const SpellError&) {
        return {};
    }
    return LocaleWordReader::Comparable(words);
}

u64 Power(int exponent) {
    u64 power = 1;
    for (int i = 0; i < exponent; ++i) power *= 10;
    return power;
}

// Reads comparable words as parts, each below the power of ten the part before counts
// (thousands, then hundreds, then a number below a hundred), each part's words found
// whole (the longest first), joined by nothing or by a join the rules write.
struct PartReader {
    const LocaleWordReader::RuleSetWords& words;
    std::string_view text;

    // Reads from `at` with parts below the power `below`; each full reading's sum goes
    // to `sums`. True once enough readings are found to stop looking.
    bool Read(std::size_t at, u64 below, u64 sum, std::vector<u64>& sums) const {
        if (at == text.size()) {
            sums.push_back(sum);
            return sums.size() >= 4;  // enough readings to choose from
        }
        for (std::size_t length = std::min(words.longestPart, text.size() - at); length > 0; --length) {
            const auto found = words.parts.find(std::string(text.substr(at, length)));
            if (found == words.parts.end()) continue;
            const u64 value = found->second;
            const u64 scale = value < 100 ? 1 : ScaleOf(value);
            if (scale >= below) continue;
            const std::size_t next = at + length;
            if (Read(next, scale, sum + value, sums)) return true;
            if (value == 0) continue;  // zero stands alone
            for (const std::string& join : words.joins) {
                if (!join.empty() && text.substr(next).starts_with(join) && Read(next + join.size(), scale, sum + value, sums)) return true;
            }
        }
        return false;
    }

    // The power of ten a part counts: the largest that divides it.
    static u64 ScaleOf(u64 value) {
        u64 scale = 1;
        while (value % (scale * 10) == 0 && scale < Power(17)) scale *= 10;
        return scale;
    }
};

// Learns the words of the parts and the joins between them from the rules.
void Learn(const Locale& locale, const RuleSet& set, LocaleWordReader::RuleSetWords& words) {
    const auto add = [&](u64 value) {
        const std::string spelled = SpellComparable(locale, set, std::to_string(value));
        if (spelled.empty()) return;
        words.parts.emplace(spelled, value);
        words.longestPart = std::max(words.longestPart, spelled.size());
    };
    for (u64 n = 0; n < 1000; ++n) add(n);
    // Multiples of each power of 1,000, and the few of the other powers that counts in
    // lakh, crore or myriads make (12 lakh, 34 crore, 56 万).
    for (int exponent = 3; exponent <= 15; ++exponent) {
        for (u64 m = 1; m < (exponent % 3 == 0 ? 1000 : 100); ++m) add(m * Power(exponent));
    }
    // The joins: what stands between the words of a part and those of the rest.
    std::set<std::string> joins;
    for (int exponent = 3; exponent <= 15; exponent += 3) {
        for (const u64 m : {1, 2, 3, 5, 21, 100, 101}) {
            for (const u64 rest : {u64{1}, u64{5}, u64{21}, u64{100}, u64{999}, Power(exponent - 3) * 2}) {
                if (rest >= Power(exponent)) continue;
                const std::string whole = SpellComparable(locale, set, std::to_string(m * Power(exponent) + rest));
                const std::string head = SpellComparable(locale, set, std::to_string(m * Power(exponent)));
                const std::string tail = SpellComparable(locale, set, std::to_string(rest));
                if (!head.empty() && !tail.empty() && whole.size() >= head.size() + tail.size() && whole.starts_with(head) &&
                    whole.ends_with(tail)) {
                    joins.insert(whole.substr(head.size(), whole.size() - head.size() - tail.size()));
                }
            }
        }
    }
    words.joins.assign(joins.begin(), joins.end());
    const std::string minusOne = SpellComparable(locale, set, "-1"), one = SpellComparable(locale, set, "1");
    if (minusOne.size() > one.size() && minusOne.ends_with(one)) words.minus = minusOne.substr(0, minusOne.size() - one.size());
}

// What the reader knows of each rule set of the built-in rules, learnt once for every
// reader: the rule sets live as long as the program.
const LocaleWordReader::RuleSetWords& WordsOf(const Locale& locale, const RuleSet& set) {
    static std::mutex mutex;
    static std::unordered_map<const RuleSet*, std::unique_ptr<const LocaleWordReader::RuleSetWords>> learnt;
    const std::lock_guard lock(mutex);
    auto& words = learnt[&set];
    if (!words) {
        auto made = std::make_unique<LocaleWordReader::RuleSetWords>();
        Learn(locale, set, *made);
        words = std::move(made);
    }
    return *words;
}

}  // namespace

LocaleWordReader::LocaleWordReader(const Style& style) : style_(style) {
    if (!style.money) {
        sets_.push_back(style.rules);
        for (const RuleSet& set : style.locale->sets) {
            if (set.isPublic && &set != style.rules && set.name.starts_with("spellout")) sets_.push_back(&set);
        }
    }
}

LocaleWordReader::~LocaleWordReader() = default;

std::string LocaleWordReader::Comparable(std::string_view text) {
    std::string upper(text);
    ApplyCase(LetterCase::Upper, upper);
    std::string comparable;
    for (std::size_t at = 0; at < upper.size();) {
        const std::string_view rest = std::string_view(upper).substr(at);
        const auto ignored = std::find_if(std::begin(kIgnored), std::end(kIgnored), [&](std::string_view c) { return rest.starts_with(c); });
        if (ignored != std::end(kIgnored)) {
            at += ignored->size();
            continue;
        }
        const auto apostrophe = std::find_if(std::begin(kApostrophes), std::end(kApostrophes), [&](std::string_view c) { return rest.starts_with(c); });
        if (apostrophe != std::end(kApostrophes)) {
            comparable += '\'';
            at += apostrophe->size();
            continue;
        }
        if (rest.starts_with("\xD0\x81")) {  // Ё is written Е
            comparable += "\xD0\x95";
            at += 2;
            continue;
        }
        comparable += upper[at++];
    }
    return comparable;
}

std::vector<std::string> LocaleWordReader::Spellings(std::string_view figures) const {
    std::vector<std::string> spellings;
    if (style_.money) {
        spellings.push_back(SpellInStyle(style_, figures));
        return spellings;
    }
    for (const RuleSet* set : sets_) {
        std::string words;
        try {
            SpellInto(*style_.locale, *set, figures, words);
        } catch (const SpellError&) {
            continue;
        }
        spellings.push_back(std::move(words));
    }
    return spellings;
}

std::string LocaleWordReader::WithoutFill(std::string_view words) const {
    std::string text(words);
    if (!style_.fill.empty()) std::erase(text, style_.fill.front());
    return text;
}

Reading LocaleWordReader::Read(std::string_view words) const {
    if (words.size() > kLongestText) return {false, std::string(kTooLong)};
    const std::string text = Comparable(WithoutFill(words));
    if (text.empty()) return {false, "no number words"};
    if (style_.money) return {false, "reading money words back is built for English only"};
    for (std::size_t i = 0; i < sets_.size(); ++i) {
        const RuleSetWords* learnt = &WordsOf(*style_.locale, *sets_[i]);
        const bool negative = !learnt->minus.empty() && text.starts_with(learnt->minus);
        const std::string_view body = std::string_view(text).substr(negative ? learnt->minus.size() : 0);
        std::vector<u64> sums;
        PartReader{*learnt, body}.Read(0, UINT64_MAX, 0, sums);
        for (const u64 sum : sums) {
            if (sum > kMostRead) continue;
            std::string number = std::to_string(sum);
            if (negative && sum != 0) number.insert(0, 1, '-');
            // A reading stands only if the rules write that number in those words.
            if (SpellComparable(*style_.locale, *sets_[i], number) == text) return {true, number};
        }
    }
    return {false, "the words are no whole number of up to 18 digits as the rules of " + std::string(style_.locale->name) +
                       " write it"};
}

Reading LocaleWordReader::Verify(std::string_view figures, std::string_view words) const {
    std::string expected;
    try {
        expected = PlainNumber(figures);
    } catch (const SpellError& error) {
        return {false, std::string("the figures: ") + error.what()};
    }
    if (words.size() > kLongestText) return {false, std::string(kTooLong)};
    std::string first;
    try {
        const std::string text = Comparable(WithoutFill(words));
        for (const std::string& spelled : Spellings(figures)) {
            if (Comparable(WithoutFill(spelled)) == text) return {true, expected};
            if (first.empty()) first = spelled;
        }
    } catch (const SpellError& error) {
        return {false, std::string("the figures: ") + error.what()};
    }
    const Reading reading = Read(words);
    if (reading.read) return {false, "the words say " + reading.text + ", the figures " + expected};
    if (first.empty()) return {false, "the rules of " + std::string(style_.locale->name) + " do not write " + expected};
    return {false, "the words are not " + expected + " as the rules write it: " + first};
}

}  // namespace zorv::spell
