// The C way in: the C++ Converter behind plain functions, UTF-8 in and out. Every
// exception stops here and becomes ZORV_FAILURE.
#include <cstdlib>
#include <cstring>
#include <new>
#include <string>

#include "identity.h"
#include "typed_key.h"
#include "zorv/words.h"
#include "zorv/words.hpp"

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

int Convert(zorv_converter& converter, std::string_view text, char** out, size_t* out_length) {
    try {
        converter.input.clear();
        zorv::AppendUtf8AsText(text, converter.input);
        const zorv::Outcome outcome = converter.converter.Convert(converter.input);
        converter.output.clear();
        zorv::AppendTextAsUtf8(outcome.text, converter.output);

        auto* copy = static_cast<char*>(std::malloc(converter.output.size() + 1));
        if (copy == nullptr) return ZORV_FAILURE;
        std::memcpy(copy, converter.output.c_str(), converter.output.size() + 1);
        *out = copy;
        if (out_length != nullptr) *out_length = converter.output.size();
        return outcome.answered ? ZORV_WORDS : ZORV_MESSAGE;
    } catch (...) {
        return ZORV_FAILURE;
    }
}

}  // namespace

extern "C" {

zorv_converter* zorv_converter_new(void) { return new (std::nothrow) zorv_converter; }

void zorv_converter_free(zorv_converter* converter) { delete converter; }

int zorv_convert(zorv_converter* converter, const char* text, size_t length, char** out, size_t* out_length) {
    if (out != nullptr) *out = nullptr;
    if (out_length != nullptr) *out_length = 0;
    if (converter == nullptr || out == nullptr || (text == nullptr && length != 0)) return ZORV_FAILURE;
    const int status = Convert(*converter, std::string_view(text == nullptr ? "" : text, length), out, out_length);
    ReleaseIfLarge(converter->input);
    ReleaseIfLarge(converter->output);
    return status;
}

void zorv_string_free(char* text) { std::free(text); }

static_assert(ZORV_KEY_CONVERT == static_cast<int>(zorv::command::TypedKey::Convert) &&
              ZORV_KEY_KEEP == static_cast<int>(zorv::command::TypedKey::Keep) &&
              ZORV_KEY_DISCARD == static_cast<int>(zorv::command::TypedKey::Discard));

int zorv_input_key_action(int code) {
    if (code < -32768 || code > 32767) return ZORV_KEY_DISCARD;
    return static_cast<int>(zorv::command::InputKeyAction(static_cast<std::int16_t>(code)));
}

const char* zorv_version(void) { return zorv::kVersionText; }

}  // extern "C"
