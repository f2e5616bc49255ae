// The C way in: the C++ Converter behind plain functions, UTF-8 in and out. Every
// exception stops here and becomes ZORV_FAILURE.
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>
#include <stdexcept>
#include <string>
#include <string_view>

#include "identity.h"
#include "typed_key.h"
#include "zorv/words.h"
#include "zorv/words.hpp"

struct zorv_style {
    zorv::Speller speller;
};

struct zorv_converter {
    zorv::Converter converter;
    std::u16string input;  // the decoded text, reused from call to call
    std::string output;
};

namespace {

// Buffers are kept from call to call up to this size, far above any number's text,
// and given back after a larger input, so that one huge text does not hold its
// memory for the converter's lifetime.
constexpr std::size_t kKeptBufferSize = std::size_t{1} << 16;

template <typename String>
void ReleaseIfLarge(String& buffer) {
    if (buffer.capacity() > kKeptBufferSize) String().swap(buffer);
}

// Hands a copy of `text` to the caller as *out (malloc'd, NUL-terminated); false
// when there is no memory for it.
bool Hand(const std::string& text, char** out, size_t* out_length) {
    auto* copy = static_cast<char*>(std::malloc(text.size() + 1));
    if (copy == nullptr) return false;
    std::memcpy(copy, text.c_str(), text.size() + 1);
    *out = copy;
    if (out_length != nullptr) *out_length = text.size();
    return true;
}

int Convert(zorv_converter& converter, std::string_view text, char** out, size_t* out_length) {
    try {
        converter.input.clear();
        zorv::AppendUtf8AsText(text, converter.input);
        const zorv::Outcome outcome = converter.converter.Convert(converter.input);
        converter.output.clear();
        zorv::AppendTextAsUtf8(outcome.text, converter.output);
        if (!Hand(converter.output, out, out_length)) return ZORV_FAILURE;
        return outcome.answered ? ZORV_WORDS : ZORV_MESSAGE;
    } catch (...) {
        return ZORV_FAILURE;
    }
}

// Hands a library result to the caller: ZORV_WORDS or ZORV_MESSAGE, or ZORV_FAILURE
// without memory.
int HandResult(const zorv::Speller::Result& result, char** out, size_t* out_length) {
    if (!Hand(result.text, out, out_length)) return ZORV_FAILURE;
    return result.answered ? ZORV_WORDS : ZORV_MESSAGE;
}

// Whether a pointer and a length name a text: a null pointer only with no length.
bool IsText(const char* text, size_t length) { return text != nullptr || length == 0; }

std::string_view View(const char* text, size_t length) { return {text == nullptr ? "" : text, length}; }

// The frame of every call that hands out a text: *out and *out_length cleared first,
// so that a caller finds nothing there after a failure; ZORV_FAILURE without `out`, for
// arguments that are not `usable`, and when memory runs out; else what `answer()` returns.
template <typename Answer>
int Answering(char** out, size_t* out_length, bool usable, Answer answer) {
    if (out != nullptr) *out = nullptr;
    if (out_length != nullptr) *out_length = 0;
    if (out == nullptr || !usable) return ZORV_FAILURE;
    try {
        return answer();
    } catch (const std::bad_alloc&) {
        return ZORV_FAILURE;
    }
}

}  // namespace

extern "C" {

zorv_converter* zorv_converter_new(void) { return new (std::nothrow) zorv_converter; }

void zorv_converter_free(zorv_converter* converter) { delete converter; }

int zorv_convert(zorv_converter* converter, const char* text, size_t length, char** out, size_t* out_length) {
    return Answering(out, out_length, converter != nullptr && IsText(text, length), [&] {
        const int status = Convert(*converter, View(text, length), out, out_length);
        ReleaseIfLarge(converter->input);
        ReleaseIfLarge(converter->output);
        return status;
    });
}

void zorv_string_free(char* text) { std::free(text); }

static_assert(ZORV_KEY_CONVERT == static_cast<int>(zorv::command::TypedKey::Convert) &&
              ZORV_KEY_KEEP == static_cast<int>(zorv::command::TypedKey::Keep) &&
              ZORV_KEY_DISCARD == static_cast<int>(zorv::command::TypedKey::Discard));

int zorv_input_key_action(int code) {
    if (code < -32768 || code > 32767) return ZORV_KEY_DISCARD;
    return static_cast<int>(zorv::command::InputKeyAction(static_cast<std::int16_t>(code)));
}

zorv_style* zorv_style_new(const char* description, char** error, size_t* error_length) {
    if (error != nullptr) *error = nullptr;
    if (error_length != nullptr) *error_length = 0;
    if (description == nullptr) return nullptr;
    try {
        return new zorv_style{zorv::Speller(description)};
    } catch (const std::invalid_argument& bad) {
        if (error != nullptr) Hand(bad.what(), error, error_length);
        return nullptr;
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

void zorv_style_free(zorv_style* style) { delete style; }

int zorv_style_spell(const zorv_style* style, const char* text, size_t length, char** out, size_t* out_length) {
    return Answering(out, out_length, style != nullptr && IsText(text, length),
                     [&] { return HandResult(style->speller.Spell(View(text, length)), out, out_length); });
}

int zorv_style_spell_all(const zorv_style* style, const char* texts, size_t length, size_t count, char** out,
                         size_t* out_length) {
    std::string_view rest = View(texts, length);
    const bool counted = static_cast<size_t>(std::count(rest.begin(), rest.end(), '\0')) == count && (length == 0 || rest.back() == '\0');
    return Answering(out, out_length, style != nullptr && IsText(texts, length) && counted, [&] {
        std::string all(count, '0');
        bool allAnswered = true;
        for (size_t i = 0; i < count; ++i) {
            const auto end = rest.find('\0');
            const auto result = style->speller.Spell(rest.substr(0, end));
            rest.remove_prefix(end + 1);
            if (!result.answered) {
                all[i] = '1';
                allAnswered = false;
            }
            all += result.text;
            all += '\0';
        }
        if (!Hand(all, out, out_length)) return ZORV_FAILURE;
        return allAnswered ? ZORV_WORDS : ZORV_MESSAGE;
    });
}

int zorv_style_read(const zorv_style* style, const char* text, size_t length, char** out, size_t* out_length) {
    return Answering(out, out_length, style != nullptr && IsText(text, length),
                     [&] { return HandResult(style->speller.Read(View(text, length)), out, out_length); });
}

int zorv_style_verify(const zorv_style* style, const char* figures, size_t figures_length, const char* words,
                      size_t words_length, char** out, size_t* out_length) {
    const bool usable = style != nullptr && IsText(figures, figures_length) && IsText(words, words_length);
    return Answering(out, out_length, usable, [&] {
        return HandResult(style->speller.Verify(View(figures, figures_length), View(words, words_length)), out, out_length);
    });
}

int zorv_spell(const char* style, const char* text, size_t length, char** out, size_t* out_length) {
    return Answering(out, out_length, style != nullptr && IsText(text, length), [&] {
        char* error = nullptr;
        size_t errorLength = 0;
        zorv_style* made = zorv_style_new(style, &error, &errorLength);
        if (made == nullptr) {
            if (error == nullptr) return static_cast<int>(ZORV_FAILURE);
            *out = error;
            if (out_length != nullptr) *out_length = errorLength;
            return static_cast<int>(ZORV_STYLE_ERROR);
        }
        const int status = zorv_style_spell(made, text, length, out, out_length);
        zorv_style_free(made);
        return status;
    });
}

int zorv_list_locales(char** out, size_t* out_length) {
    return Answering(out, out_length, true,
                     [&] { return Hand(zorv::Speller::ListLocales(), out, out_length) ? ZORV_WORDS : ZORV_FAILURE; });
}

const char* zorv_version(void) { return zorv::kVersionText; }

}  // extern "C"
