#include "written_number.h"

#include <algorithm>
#include <span>
#include <vector>

namespace zorv::spell {
namespace {

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

std::string_view TrimBlanks(std::string_view text) {
    const auto first = text.find_first_not_of(" \t"), last = text.find_last_not_of(" \t");
    return first == std::string_view::npos ? std::string_view() : text.substr(first, last - first + 1);
}

}  // namespace

WrittenNumber ReadWrittenNumber(std::string_view text) {
    if (text.size() > kLongestText) throw SpellError(std::string(kTooLong));
    text = TrimBlanks(text);
    WrittenNumber number;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        number.negative = text.front() == '-';
        text.remove_prefix(1);
    }
    const auto point = text.find('.');
    const std::string_view whole = text.substr(0, point);
    const std::string_view fraction = point == std::string_view::npos ? std::string_view() : text.substr(point + 1);
    number.point = point != std::string_view::npos;
    const bool wholeOk = std::all_of(whole.begin(), whole.end(), [](char c) { return IsDigit(c) || c == ','; });
    const bool fractionOk = std::all_of(fraction.begin(), fraction.end(), IsDigit);
    if (!wholeOk || !fractionOk || (whole.empty() && fraction.empty()) || whole.starts_with(',')) {
        throw SpellError("not a number");
    }
    if (whole.find(',') != std::string_view::npos && !WellGrouped(whole)) {
        throw SpellError("the commas do not group the digits in threes or in the Indian way (1,234,567 or 12,34,567)");
    }
    if (const auto significant = whole.find_first_not_of("0,"); significant != std::string_view::npos) {
        number.whole.clear();
        std::copy_if(whole.begin() + static_cast<std::ptrdiff_t>(significant), whole.end(), std::back_inserter(number.whole),
                     [](char c) { return c != ','; });
    }
    number.fraction = fraction;
    if (number.whole.size() > kMostDigits || number.fraction.size() > kMostDigits) {
        throw SpellError("more than 1,000 digits before or after the point");
    }
    if (number.whole == "0" && number.fraction.find_first_not_of('0') == std::string::npos) number.negative = false;
    return number;
}

std::string WrittenNumber::Plain() const {
    std::string plain = negative ? "-" + whole : whole;
    if (point) plain += "." + fraction;
    return plain;
}

std::string PlainNumber(std::string_view number) { return ReadWrittenNumber(number).Plain(); }

}  // namespace zorv::spell
