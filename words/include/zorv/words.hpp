// The converter for C++ programs (C++17 and later): the very same Convert command as the window and
// zorv-words, answering a text with its words or with the message the window shows.
//
//     zorv::Converter converter;
//     const zorv::Outcome outcome = converter.Convert(u"1234.05");
//     // outcome.answered == true,
//     // outcome.text == u"One Thousand Two Hundred Thirty Four point zero Five "
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "words.h"

namespace zorv {

// What one conversion ended in: the words (spaces and all, exactly as the window
// shows them), or the one message the window would show instead: a validation
// message or the description of the error that stopped it ("Type mismatch").
struct Outcome {
    bool answered = false;
    std::u16string_view text;  // valid until the next call of Convert on its Converter
};

// The Convert command on its own engine object. A Converter answers one text at a
// time; use one per thread. No answer depends on the texts converted before it.
class ZORV_WORDS_API Converter {
public:
    Converter();
    ~Converter();
    Converter(Converter&&) noexcept;
    Converter& operator=(Converter&&) noexcept;
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // Converts `input`, as if typed into the window's input box and converted.
    // Never throws but std::bad_alloc.
    Outcome Convert(std::u16string_view input);

private:
    struct State;
    std::unique_ptr<State> state_;
};

// Numbers in words in a style: a style description read once, then any number of
// numbers spelled in it. A description is a preset and options, separated by commas
// (see zorv_style_new in words.h):
//
//     const zorv::Speller cheque("cheque");
//     cheque.Spell("1234.05").text;  // "One Thousand Two Hundred Thirty-Four and 05/100 Dollars"
//     const zorv::Speller german("plain,locale=de");
//     german.Spell("21").text;       // "ein\u00adund\u00adzwanzig"
//
// A Speller is immutable once made and may be used by many threads at once. Copies
// share the style; a Speller moved from keeps it too and answers as before.
class ZORV_WORDS_API Speller {
public:
    struct Result {
        bool answered = false;
        std::string text;  // UTF-8: the words, or the message saying why there are none
    };

    // The most bytes of one text Spell, Read and Verify read; a longer one is refused.
    static constexpr std::size_t kLongestText = ZORV_LONGEST_TEXT;

    // Throws std::invalid_argument naming the unknown preset, option, value, locale,
    // rule set or currency.
    explicit Speller(std::string_view style);
    Speller(const Speller&) = default;
    Speller& operator=(const Speller&) = default;
    // Copies: moving a shared style buys nothing, and leaves no empty Speller behind.
    Speller(Speller&& other) noexcept : state_(other.state_) {}
    Speller& operator=(Speller&& other) noexcept {
        state_ = other.state_;
        return *this;
    }
    ~Speller() = default;

    // Whether the style is the classic answer, which Spell gives through the Convert
    // command, as zorv::Converter does.
    [[nodiscard]] bool Classic() const noexcept;

    // The words of `number` (UTF-8: "-1,234.05", "12,34,567", " 42 "). Never throws
    // but std::bad_alloc.
    [[nodiscard]] Result Spell(std::string_view number) const;

    // The number that English words name, in any English style written here (the
    // classic answer included; any letter case, hyphens or spaces, "and" or not,
    // currency words, "Only", "05/100", fill characters and line breaks), as text
    // ("1234.05"), or the message saying where the words stop making sense. The
    // style's currency decides the minor digits of an amount. Never throws but
    // std::bad_alloc.
    [[nodiscard]] Result Read(std::string_view words) const;

    // Whether `words` name exactly the number `figures` (as Spell reads a number;
    // "1,234.50" and "one thousand two hundred thirty-four dollars and fifty cents"
    // agree): answered, with the number read; or not, with what the words say
    // instead or why the words or the figures are no number.
    [[nodiscard]] Result Verify(std::string_view figures, std::string_view words) const;

    // Every locale with spelling rules and its public rule sets, one locale a line, and
    // for a locale whose language words money, the currencies it has words for:
    // "ru: spellout-numbering ... (money: RUB USD EUR GBP)".
    [[nodiscard]] static std::string ListLocales();

    // The presets and the options a description may name, for help texts: each
    // option's name, the values it takes ("on|off") and what it does.
    struct Option {
        std::string name, values, meaning;
    };
    [[nodiscard]] static std::vector<std::string> Presets();
    [[nodiscard]] static std::vector<Option> Options();

    // The refusal of a text longer than kLongestText, for a caller that holds only
    // its beginning (zorv-words' lines), so that it answers as Spell would.
    [[nodiscard]] static Result TooLong();

private:
    struct State;
    std::shared_ptr<const State> state_;
};

// Appends `bytes` read as UTF-8 to `text`. Each byte that does not begin a complete,
// valid UTF-8 sequence is read as one U+FFFD, as zorv-words reads its input.
ZORV_WORDS_API void AppendUtf8AsText(std::string_view bytes, std::u16string& text);

// Appends `text` to `bytes` as UTF-8; a surrogate without its pair becomes U+FFFD.
ZORV_WORDS_API void AppendTextAsUtf8(std::u16string_view text, std::string& bytes);

}  // namespace zorv
