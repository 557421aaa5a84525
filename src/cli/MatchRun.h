#pragma once

#include "cli/CliSession.h"
#include "workbench/SheetReadJob.h"

#include <optional>
#include <vector>

class HeadlessWindow;

// Reading every unassigned image of a window without a screen, as "読取り割り当て..." reads
// them, with the settings of the window's data folder (MinScore replaced by --min-score).
class MatchRun {
public:
    std::vector<ReadSuggestion> suggestions;
    double minScore = 0.0;
    unsigned threads = 0;
    double seconds = 0.0;
    std::vector<std::string> columns; // UTF-8 names of the file-name columns

    static MatchRun read(HeadlessWindow& window, CliSession& session,
                         const std::optional<double>& minScore);

    // One image's result as the match command reports it.
    Json imageJson(const ReadSuggestion& s) const;
};
