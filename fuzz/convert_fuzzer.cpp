// Fuzzes the Convert command with arbitrary texts of 16-bit characters. Every run must
// end in exactly one outcome (words, or one of the two validation messages, or the
// description of one of the four runtime errors), leave the output untouched when it
// shows a message, and answer as a fresh engine object answers. The same bytes read
// as UTF-8 through the C interface must give one outcome, the command's own for that
// text, and leave nothing allocated once released.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

#include <zorv/words.h>
#include <zorv/words.hpp>

#include "check.h"
#include "convert_command.h"

namespace {

using namespace zorv;

class Recorder final : public command::ConvertView {
public:
    std::u16string input;
    std::optional<std::u16string> output;
    std::optional<std::u16string> message;
    int calls = 0;

    std::u16string_view ReadInput() override { return input; }
    void SetOutput(std::u16string_view words) override {
        output.emplace(words);
        ++calls;
    }
    void ShowMessage(std::u16string_view prompt, std::u16string_view title) override {
        if (title != command::kTitle) std::abort();
        message.emplace(prompt);
        ++calls;
    }
    void Start(std::u16string text) {
        input = std::move(text);
        output.reset();
        message.reset();
        calls = 0;
    }
};

bool IsKnownMessage(std::u16string_view message) {
    using runtime::DescriptionOf;
    using runtime::ErrorNumber;
    return message == command::kEmptyInputMessage || message == command::kLimitMessage ||
           message == DescriptionOf(ErrorNumber::Overflow) ||
           message == DescriptionOf(ErrorNumber::SubscriptOutOfRange) ||
           message == DescriptionOf(ErrorNumber::DivisionByZero) || message == DescriptionOf(ErrorNumber::TypeMismatch);
}

bool IsWords(std::u16string_view words) {
    for (const char16_t c : words) {
        if (c != u' ' && !(c >= u'A' && c <= u'Z') && !(c >= u'a' && c <= u'z')) return false;
    }
    return true;
}

using fuzz::Check;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::u16string text(size / 2, u'\0');
    std::memcpy(text.data(), data, text.size() * sizeof(char16_t));

    // One engine for every run, as in the program: nothing may carry over.
    static Recorder sharedView;
    static command::ConvertCommand sharedCommand(sharedView);
    sharedView.Start(text);
    sharedCommand.Convert();

    Check(sharedView.calls == 1);
    Check(sharedView.output.has_value() != sharedView.message.has_value());
    if (sharedView.message) Check(IsKnownMessage(*sharedView.message));
    if (sharedView.output) Check(IsWords(*sharedView.output));

    Recorder freshView;
    command::ConvertCommand freshCommand(freshView);
    freshView.Start(text);
    freshCommand.Convert();
    Check(freshView.output == sharedView.output);
    Check(freshView.message == sharedView.message);

    static zorv_converter* const converter = zorv_converter_new();
    char* out = nullptr;
    std::size_t length = 0;
    const int status = zorv_convert(converter, reinterpret_cast<const char*>(data), size, &out, &length);
    Check(status == ZORV_WORDS || status == ZORV_MESSAGE);
    Check(out != nullptr && out[length] == '\0' && std::strlen(out) == length);
    std::u16string decoded;
    zorv::AppendUtf8AsText(std::string_view(reinterpret_cast<const char*>(data), size), decoded);
    freshView.Start(decoded);
    freshCommand.Convert();
    const std::optional<std::u16string>& expected = status == ZORV_WORDS ? freshView.output : freshView.message;
    Check(expected.has_value());
    std::string expectedBytes;
    zorv::AppendTextAsUtf8(*expected, expectedBytes);
    Check(expectedBytes == std::string_view(out, length));
    zorv_string_free(out);
    return 0;
}
