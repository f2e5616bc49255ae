// Fuzzes the reader of number words through the C interface: the first byte picks a
// style, the rest are the words read (and, split at their first tab, the figures and
// words checked). Every run must end in exactly one outcome: a number written plainly,
// or a message, in valid UTF-8, the same twice over, and nothing left allocated.
#include <cstdint>
#include <string>
#include <string_view>

#include <zorv/words.h>

#include "check.h"

namespace {

using zorv::fuzz::Answer;
using zorv::fuzz::Check;
using zorv::fuzz::IsUtf8;

constexpr const char* kStyles[] = {"plain", "classic", "cheque", "cheque,currency=INR", "money,currency=KWD", "indian", "ordinal",
                                   // Other locales, read by their compiled rules.
                                   "plain,locale=de", "money,locale=ru", "plain,locale=zh", "cheque,locale=es-MX,minor=digits"};
// The first of the styles of other locales: a number they read, they also agree with.
constexpr std::size_t kFirstLocaleStyle = 7;

zorv_style* Style(std::size_t index) {
    static zorv_style* styles[std::size(kStyles)] = {};
    if (styles[index] == nullptr) styles[index] = zorv_style_new(kStyles[index], nullptr, nullptr);
    return styles[index];
}

// Whether `text` is a number as the reader writes one: "-", digits, "." and digits.
bool IsPlainNumber(std::string_view text) {
    if (text.starts_with('-')) text.remove_prefix(1);
    const auto point = text.find('.');
    const auto digits = [](std::string_view part) {
        return !part.empty() && part.find_first_not_of("0123456789") == std::string_view::npos;
    };
    return digits(text.substr(0, point)) && (point == std::string_view::npos || digits(text.substr(point + 1)));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) return 0;
    const std::size_t index = data[0] % std::size(kStyles);
    const zorv_style* style = Style(index);
    const std::string_view words(reinterpret_cast<const char*>(data + 1), size - 1);

    const auto read = [&] {
        return Answer([&](char** out, std::size_t* length) { return zorv_style_read(style, words.data(), words.size(), out, length); });
    };
    const auto [status, text] = read();
    Check(status == ZORV_WORDS || status == ZORV_MESSAGE);
    Check(!text.empty() && IsUtf8(text));
    if (status == ZORV_WORDS) Check(IsPlainNumber(text));
    Check(read() == std::make_pair(status, text));
    if (status == ZORV_WORDS && index >= kFirstLocaleStyle) {
        const std::string number = text;
        const auto agreement = Answer([&](char** out, std::size_t* length) {
            return zorv_style_verify(style, number.data(), number.size(), words.data(), words.size(), out, length);
        });
        Check(agreement.first == ZORV_WORDS);
    }

    const auto tab = words.find('\t');
    const std::string_view figures = words.substr(0, tab), checked = tab == std::string_view::npos ? "" : words.substr(tab + 1);
    const auto [agrees, said] = Answer([&](char** out, std::size_t* length) {
        return zorv_style_verify(style, figures.data(), figures.size(), checked.data(), checked.size(), out, length);
    });
    Check(agrees == ZORV_WORDS || agrees == ZORV_MESSAGE);
    Check(!said.empty() && IsUtf8(said));
    return 0;
}
