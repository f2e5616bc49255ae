// A stand-in for the window that records what the Convert command does with it.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "convert_command.h"

namespace zorv::testing {

class RecordingView : public command::ConvertView {
public:
    struct Message {
        std::u16string prompt, title;
    };

    std::u16string input;
    std::u16string output;
    std::vector<Message> messages;

    std::u16string_view ReadInput() override { return input; }
    void SetOutput(std::u16string_view words) override { output.assign(words); }
    void ShowMessage(std::u16string_view prompt, std::u16string_view title) override {
        messages.push_back({std::u16string(prompt), std::u16string(title)});
    }
};

}  // namespace zorv::testing
