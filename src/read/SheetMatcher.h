#pragma once

#include "read/SheetReading.h"

#include <optional>
#include <string>
#include <vector>

// Picks the rename row a sheet belongs to from what was read on it. Pure: plain texts in (UTF-8),
// a ranked answer out.
class SheetMatcher {
public:
    // One candidate row: its number, RowKey and the values of its file-name columns.
    struct Row {
        int row = 0;
        std::string rowKey;
        std::vector<std::string> values; // one per file-name column, in template order
        bool assigned = false;
    };

    enum class By { Code, Text };

    struct Candidate {
        int row = 0;
        std::string rowKey;
        double score = 0.0;
        By by = By::Text;
        int column = 0; // index among the file-name columns of the value that decided
        std::string value;
    };

    struct Result {
        std::optional<Candidate> suggestion;
        std::optional<Candidate> runnerUp;
        // A code gave the suggestion while the text pointed at another row.
        bool codeOverText = false;
    };

    // The lead a text suggestion needs over the runner-up.
    static constexpr double kMargin = 0.05;
    // The least score a text suggestion needs at all.
    static constexpr double kFloor = 0.5;

    // Rows that are assigned, or have no file-name value, are never candidates.
    static Result match(const std::vector<Row>& rows, const std::vector<ReadCode>& codes,
                        const std::string& text);

    // The text score of one row: the file-name values' occurrences in the text, each weighted
    // by its length, and the column that counts most.
    static Candidate scoreByText(const Row& row, const std::u32string& foldedText);
};
