// The table of expected outcomes every suite reads, data/outcomes.json: a typed text
// and the exact words, or the one message, the converter answers it with.
#pragma once

#include <nlohmann/json.hpp>

#include <fstream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace zorv::testing {

struct ExpectedOutcome {
    std::string input;  // UTF-8, as typed
    bool answered;      // words, or else a message
    std::string text;   // the words or the message, UTF-8
};

inline const std::vector<ExpectedOutcome>& ExpectedOutcomes() {
    static const std::vector<ExpectedOutcome> outcomes = [] {
        std::ifstream file(ZORV_OUTCOMES_PATH);
        if (!file) throw std::runtime_error("cannot read " ZORV_OUTCOMES_PATH);
        const auto table = nlohmann::json::parse(file);
        std::vector<ExpectedOutcome> rows;
        for (const auto& row : table.at("outcomes")) {
            const bool answered = row.contains("words");
            rows.push_back({row.at("input"), answered,
                            answered ? row.at("words") : table.at("messages").at(row.at("message").get<std::string>())});
        }
        return rows;
    }();
    return outcomes;
}

// The row of the table for `input`; throws when the table has none.
inline const ExpectedOutcome& OutcomeOf(std::string_view input) {
    for (const auto& row : ExpectedOutcomes()) {
        if (row.input == input) return row;
    }
    throw std::out_of_range("no outcome in the table for \"" + std::string(input) + "\"");
}

}  // namespace zorv::testing
