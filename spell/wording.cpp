#include "wording.h"

#include "money_words.h"
#include "number_words.h"
#include "written_number.h"

namespace zorv::spell {

void SpellInStyleInto(const Style& style, std::string_view number, std::string& out) {
    const WrittenNumber written = ReadWrittenNumber(number);
    const std::size_t start = out.size();
    if (style.ordinal) {
        if (written.point) throw SpellError("an ordinal is a whole number: no point");
        if (written.negative) throw SpellError("an ordinal is not negative");
        NumberWordsInto(style, false, written.whole, {}, out);
    } else if (style.money) {
        MoneyWordsInto(style, written, out);
    } else {
        NumberWordsInto(style, written.negative, written.whole, written.fraction, out);
    }
    if (style.letterCase == LetterCase::Lower && style.width == 0) return;
    std::string words = out.substr(start);
    const std::string_view language = style.locale != nullptr ? style.locale->name.substr(0, 2) : std::string_view();
    ApplyCase(style.letterCase, words, !style.english && (language == "tr" || language == "az"));
    if (style.width != 0) words = Wrap(words, style.width, style.fill);
    out.replace(start, std::string::npos, words);
}

std::string SpellInStyle(const Style& style, std::string_view number) {
    std::string out;
    SpellInStyleInto(style, number, out);
    return out;
}

}  // namespace zorv::spell
