#include "workbench/ReadAssignment.h"

#include "base/CellGrid.h"
#include "base/Prompter.h"
#include "image/ImageEntry.h"
#include "renamelist/RenameList.h"
#include "workbench/AssignmentCommands.h"
#include "workbench/ImageListCommands.h"
#include "workbench/RenameListCommands.h"
#include "workbench/Workbench.h"

#include <algorithm>
#include <map>

std::vector<bool> ReadAssignment::presetChecks(const std::vector<ReadSuggestion>& suggestions,
                                               double minScore) {
    std::vector<bool> checks;
    for (const ReadSuggestion& s : suggestions) {
        checks.push_back(s.match.suggestion && s.match.suggestion->score >= minScore - 1e-9);
    }
    return checks;
}

ReadAssignment::Outcome ReadAssignment::apply(Workbench& wb,
                                              const std::vector<ReadSuggestion>& suggestions,
                                              const std::vector<bool>& checked) {
    // Rows in the order of their first image in the image list; each with its image rows.
    std::vector<int> order;
    std::map<int, std::vector<std::string>> files;
    for (std::size_t i = 0; i < suggestions.size() && i < checked.size(); ++i) {
        const ReadSuggestion& s = suggestions[i];
        if (!checked[i] || !s.match.suggestion) {
            continue;
        }
        const int row = s.match.suggestion->row;
        if (files.find(row) == files.end()) {
            order.push_back(row);
        }
        files[row].push_back(s.image.fileName);
    }
    Outcome outcome;
    CellGrid& grid = wb.imageGrid();
    for (int row : order) {
        // The image rows are looked up again: the list may have changed while reading.
        std::vector<int> rows;
        for (const std::string& f : files[row]) {
            const int r = ImageEntry::findRow(grid, f);
            if (r >= 0) {
                rows.push_back(r);
            }
        }
        std::sort(rows.begin(), rows.end());
        if (rows.empty()) {
            outcome.refusedRows.push_back(row);
            continue;
        }
        wb.renameList().list().selectRow(row);
        wb.imageList().selectRow(rows.front());
        for (int r : rows) {
            grid.setRowSelected(r, true);
        }
        wb.refreshControlStates();
        if (!wb.assignmentCommands().availability().assign) {
            outcome.refusedRows.push_back(row);
            continue;
        }
        const std::size_t before = wb.assignmentCommands().count();
        wb.assignmentCommands().assign();
        const auto added = static_cast<int>(wb.assignmentCommands().count() - before);
        outcome.imagesAssigned += added;
        outcome.rowsAssigned += added > 0 ? 1 : 0;
        if (added == 0) {
            outcome.refusedRows.push_back(row);
        }
    }
    if (!outcome.refusedRows.empty()) {
        std::string rows;
        for (int row : outcome.refusedRows) {
            rows += (rows.empty() ? "" : ", ") + std::to_string(row);
        }
        wb.prompter().tell(Msg::ReadAssignRefused, {rows});
    }
    return outcome;
}
