// Reading number words back into the number: in English, the words of every style
// written here (the classic answer with its spacing and "Fourty", plain, british,
// ordinal, indian, money and cheque forms, any letter case, hyphens or spaces, fill
// characters and line breaks), exactly, at any length written; in any other locale,
// by its compiled rules (locale_reader.h).
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "locale_reader.h"
#include "reader_vocabulary.h"
#include "style.h"

namespace zorv::spell {

struct Reading {
    bool read = false;
    std::string text;  // the number ("-1234.05", no grouping, no leading zero) or why there is none
};

class WordReader {
public:
    // The classic answer's words for a number typed as text ("40" -> "Fourty "), from
    // which the reader learns the classic engine's own spellings.
    using ClassicWords = ReaderVocabulary::ClassicWords;

    // Reads words of `style`'s kind. Words that name a currency are an amount of it:
    // its minor digits count, and with a money style it must be the style's currency.
    // A style without a currency reads money in any currency of the table. Words
    // longer than kLongestText bytes are refused; reading is linear in their length.
    WordReader(const Style& style, const ClassicWords& classic);

    // The number that `words` name: read true and the number, an amount with its minor
    // digits; else read false and a message saying why they name none.
    [[nodiscard]] Reading Read(std::string_view words) const;

    // Whether `words` name exactly the number `figures` (as the style reads numbers):
    // read true when they do; else the text says what the words say instead, or why
    // the words or the figures are no number.
    [[nodiscard]] Reading Verify(std::string_view figures, std::string_view words) const;

private:
    const Style& style_;
    ReaderVocabulary vocabulary_;
    std::unique_ptr<LocaleWordReader> locale_;  // for the words of a locale other than English
};

}  // namespace zorv::spell
