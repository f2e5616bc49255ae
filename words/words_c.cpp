// The C way in: the C++ Converter behind plain functions, UTF-8 in and out. Every
// exception stops here and becomes ZORV_FAILURE.
#include <cstdlib>
#include <cstring>
#include <new>
#include <string>

#include "identity.h"
#include "zorv/words.h"
#include "zorv/words.hpp"

struct zorv_converter {
    zorv::Converter converter;
    std::u16string input;  // the decoded text, reused from call to call
    std::string output;
};

extern "C" {

zorv_converter* zorv_converter_new(void) { return new (std::nothrow) zorv_converter; }

void zorv_converter_free(zorv_converter* converter) { delete converter; }

int zorv_convert(zorv_converter* converter, const char* text, size_t length, char** out, size_t* out_length) {
    if (out != nullptr) *out = nullptr;
    if (out_length != nullptr) *out_length = 0;
    if (converter == nullptr || out == nullptr || (text == nullptr && length != 0)) return ZORV_FAILURE;
    try {
        converter->input.clear();
        zorv::AppendUtf8AsText(std::string_view(text == nullptr ? "" : text, length), converter->input);
        const zorv::Outcome outcome = converter->converter.Convert(converter->input);
        converter->output.clear();
        zorv::AppendTextAsUtf8(outcome.text, converter->output);

        auto* copy = static_cast<char*>(std::malloc(converter->output.size() + 1));
        if (copy == nullptr) return ZORV_FAILURE;
        std::memcpy(copy, converter->output.c_str(), converter->output.size() + 1);
        *out = copy;
        if (out_length != nullptr) *out_length = converter->output.size();
        return outcome.answered ? ZORV_WORDS : ZORV_MESSAGE;
    } catch (...) {
        return ZORV_FAILURE;
    }
}

void zorv_string_free(char* text) { std::free(text); }

const char* zorv_version(void) { return zorv::kVersionText; }

}  // extern "C"
