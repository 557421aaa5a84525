#include "execute/ReturnedRows.h"

#include "base/CellGrid.h"
#include "base/FileSystem.h"
#include "execute/RunLog.h"
#include "renamelist/AssignmentQueries.h"
#include "renamelist/RenameList.h"

#include <algorithm>
#include <cstdlib>

namespace returnedrows {

namespace {

// The done rows with the row numbers they had, in ascending order.
std::vector<std::pair<int, const RunLog::Row*>> doneRows(const RunLog& log) {
    std::vector<std::pair<int, const RunLog::Row*>> rows;
    for (const RunLog::Row& row : log.rows) {
        if (log.rowDone(row.rowKey)) {
            rows.emplace_back(std::atoi(row.rowKey.c_str()), &row);
        }
    }
    std::stable_sort(rows.begin(), rows.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    return rows;
}

// Whether the list has a row with the same file name as cells: the same texts in every
// file-name column (in every column when the template has none). Other cells may differ, such
// as the paper size an assignment filled in.
bool holds(const RenameList& list, const std::vector<std::string>& cells) {
    bool anyFileName = false;
    for (int k = 0; k < list.columnCount(); ++k) {
        anyFileName = anyFileName || list.column(k).fileName;
    }
    for (int r = 1; r <= list.lastDataRow(); ++r) {
        bool same = true;
        for (int k = 0; k < list.columnCount() && same; ++k) {
            const std::size_t at = static_cast<std::size_t>(k);
            same = (anyFileName && !list.column(k).fileName) ||
                   list.cellText(r, k) == (at < cells.size() ? cells[at] : std::string());
        }
        if (same) {
            return true;
        }
    }
    return false;
}

} // namespace

std::string fileFor(const std::string& journalPath) {
    const std::string journals = files::parentFolder(files::parentFolder(journalPath));
    const std::string runId = files::fileName(files::parentFolder(journalPath));
    const std::string folder = files::join(files::parentFolder(journals), "rows");
    // A run folder's name comes back once older runs of its second were removed; the rows file
    // of the earlier run keeps its name.
    std::string path = files::join(folder, runId + "-rows.csv");
    for (int n = 2; files::exists(path); ++n) {
        path = files::join(folder, runId + "-rows(" + std::to_string(n) + ").csv");
    }
    return path;
}

bool listEmpty(const RenameList& list) {
    return list.lastDataRow() == 0;
}

Fit fitOf(const RenameList& list, const AssignmentQueries& assignments, const RunLog& log) {
    if (static_cast<std::size_t>(list.columnCount()) != log.columns.size()) {
        return Fit::OtherTemplate;
    }
    for (int k = 0; k < list.columnCount(); ++k) {
        const RunLog::Column& column = log.columns[static_cast<std::size_t>(k)];
        if (list.column(k).sourceField != column.sourceField ||
            list.column(k).type != column.type) {
            return Fit::OtherTemplate;
        }
    }
    const auto rows = doneRows(log);
    const int firstFreed = RenameList::kDataRows - static_cast<int>(rows.size()) + 1;
    if (rows.empty() || list.lastDataRow() >= firstFreed) {
        return Fit::NoRoom;
    }
    for (int r = firstFreed; r <= RenameList::kDataRows; ++r) {
        if (assignments.isRowAssigned(r)) {
            return Fit::NoRoom;
        }
    }
    const bool listed = std::any_of(
        rows.begin(), rows.end(), [&](const auto& row) { return holds(list, row.second->cells); });
    return listed ? Fit::Listed : Fit::Fits;
}

int putBack(RenameList& list, AssignmentQueries& assignments, const RunLog& log, Place place) {
    if (fitOf(list, assignments, log) != Fit::Fits) {
        return 0;
    }
    const auto rows = doneRows(log);
    CellGrid& grid = list.grid();
    list.setRedraw(false);
    int next = list.lastDataRow() + 1;
    for (const auto& [number, row] : rows) {
        const int at = place == Place::AtTheirRows ? std::clamp(number, 1, next) : next;
        grid.addRow(at);
        grid.removeRow(RenameList::kDataRows + 1);
        assignments.shiftRows(at, 1);
        for (int k = 0; k < list.columnCount(); ++k) {
            const std::size_t i = static_cast<std::size_t>(k);
            list.setValid(at, k, i < row->cells.size() ? row->cells[i] : std::string());
        }
        next = std::max(next, at) + 1;
    }
    list.renumber();
    // As after a load: the columns grow to the values given back.
    list.fitAllColumns();
    list.setRedraw(true);
    return static_cast<int>(rows.size());
}

} // namespace returnedrows
