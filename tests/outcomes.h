// The tables of expected outcomes every suite reads: data/outcomes.json, a typed text
// and the exact words, or the one message, the converter answers it with; and
// data/styles.json, the same for a style description and a number, with the
// descriptions that are refused and why.
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

struct ExpectedStyleOutcome {
    std::string style, number;
    bool answered;
    std::string text;  // the words or the message
};

inline nlohmann::json StylesTable() {
    std::ifstream file(ZORV_STYLES_PATH);
    if (!file) throw std::runtime_error("cannot read " ZORV_STYLES_PATH);
    return nlohmann::json::parse(file);
}

inline std::vector<ExpectedStyleOutcome> ExpectedStyleOutcomes() {
    std::vector<ExpectedStyleOutcome> rows;
    const auto table = StylesTable();
    for (const auto& row : table.at("styles")) {
        const auto& outcome = row.at(2);
        const bool answered = outcome.contains("words");
        rows.push_back({row.at(0), row.at(1), answered, answered ? outcome.at("words") : outcome.at("message")});
    }
    if (rows.empty()) throw std::runtime_error(ZORV_STYLES_PATH " has no rows");
    return rows;
}

struct ExpectedReading {
    std::string style, figures, words;  // figures: for a verification only
    bool read;
    std::string text;  // the number, or the message
};

// The rows of "readings" (words and the number they name) or of "verifications"
// (figures, words, and whether they agree).
inline std::vector<ExpectedReading> ExpectedReadings(const char* section) {
    std::vector<ExpectedReading> rows;
    const auto table = StylesTable();
    const bool verify = std::string_view(section) == "verifications";
    for (const auto& row : table.at(section)) {
        const auto& outcome = row.at(verify ? 3 : 2);
        const bool read = outcome.contains("number");
        rows.push_back({row.at(0), verify ? row.at(1).get<std::string>() : std::string(), row.at(verify ? 2 : 1), read,
                        read ? outcome.at("number") : outcome.at("message")});
    }
    if (rows.empty()) throw std::runtime_error(ZORV_STYLES_PATH " has no rows of " + std::string(section));
    return rows;
}

// Each refused description with the message that names what it gets wrong.
inline std::vector<std::pair<std::string, std::string>> RefusedStyles() {
    std::vector<std::pair<std::string, std::string>> rows;
    const auto table = StylesTable();
    for (const auto& row : table.at("refused styles")) rows.emplace_back(row.at(0), row.at(1));
    return rows;
}

// The row of the table for `input`; throws when the table has none.
inline const ExpectedOutcome& OutcomeOf(std::string_view input) {
    for (const auto& row : ExpectedOutcomes()) {
        if (row.input == input) return row;
    }
    throw std::out_of_range("no outcome in the table for \"" + std::string(input) + "\"");
}

}  // namespace zorv::testing
