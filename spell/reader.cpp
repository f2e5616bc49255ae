#include "reader.h"

#include "reader_grammar.h"
#include "spell_error.h"
#include "written_number.h"

namespace zorv::spell {
namespace {

// The same number written without trailing zeros after the point and without a
// sign on zero: the form in which two readings of one value are equal.
std::string Canonical(std::string number) {
    if (number.find('.') != std::string::npos) {
        while (number.back() == '0') number.pop_back();
        if (number.back() == '.') number.pop_back();
    }
    if (number == "-0") number = "0";
    return number;
}

}  // namespace

WordReader::WordReader(const Style& style, const ClassicWords& classic)
    : style_(style), vocabulary_(style, classic), locale_(style.english ? nullptr : std::make_unique<LocaleWordReader>(style)) {}

Reading WordReader::Read(std::string_view text) const {
    if (locale_) return locale_->Read(text);
    if (text.size() > kLongestText) return {false, std::string(kTooLong)};
    try {
        return {true, ReadNumberWords(text, vocabulary_, style_.money)};
    } catch (const SpellError& error) {
        return {false, error.what()};
    }
}

Reading WordReader::Verify(std::string_view figures, std::string_view words) const {
    if (locale_) return locale_->Verify(figures, words);
    std::string expected;
    try {
        // The figures as a style reads a number: grouping and sign checked.
        expected = PlainNumber(figures);
    } catch (const SpellError& error) {
        return {false, std::string("the figures: ") + error.what()};
    }
    const Reading reading = Read(words);
    if (!reading.read) return reading;
    if (Canonical(reading.text) == Canonical(expected)) return {true, reading.text};
    return {false, "the words say " + reading.text + ", the figures " + expected};
}

}  // namespace zorv::spell
