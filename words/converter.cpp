// The C++ way in: the Convert command on a Converter's own engine object.
#include "zorv/words.hpp"

#include "convert_command.h"

namespace zorv {

// The engine, the Convert command, and the command's window: the outcome of a run.
struct Converter::State final : private command::ConvertView {
    State() : command(*this) {}

    Outcome Convert(std::u16string_view text) {
        input = text;
        answered = false;
        command.Convert();
        return answered ? Outcome{true, words} : Outcome{false, message};
    }

    std::u16string_view ReadInput() override { return input; }
    void SetOutput(std::u16string_view text) override {
        words = text;  // the command's own text, kept until its next run
        answered = true;
    }
    void ShowMessage(std::u16string_view prompt, std::u16string_view /*title*/) override { message.assign(prompt); }

    command::ConvertCommand command;
    std::u16string_view input;
    std::u16string_view words;
    std::u16string message;
    bool answered = false;
};

Converter::Converter() : state_(std::make_unique<State>()) {}
Converter::~Converter() = default;
Converter::Converter(Converter&&) noexcept = default;
Converter& Converter::operator=(Converter&&) noexcept = default;

Outcome Converter::Convert(std::u16string_view input) { return state_->Convert(input); }

}  // namespace zorv
