#include "renamelist/RenameListLoader.h"

#include "base/CellGrid.h"
#include "base/MainView.h"
#include "base/Prompter.h"
#include "renamelist/AssignmentQueries.h"
#include "renamelist/CsvLineReader.h"
#include "renamelist/DateValue.h"
#include "renamelist/RenameList.h"
#include "renamelist/RenameListTexts.h"
#include "renamelist/SplitCsvLine.h"
#include "renamelist/ValueCheck.h"

RenameListLoader::RenameListLoader(RenameList& list, AssignmentQueries& assignments, MainView& view,
                                   Prompter& prompter, const Settings& settings, Clock today)
    : m_list(list), m_assignments(assignments), m_view(view), m_prompter(prompter),
      m_settings(settings), m_today(std::move(today)) {
}

int RenameListLoader::countLines(const std::string& path) const {
    CsvLineReader reader(path);
    if (!reader.isOpen()) {
        return -1;
    }
    int count = 0;
    std::string line;
    while (reader.next(line)) {
        ++count;
    }
    return count;
}

bool RenameListLoader::LoadRenameList(const std::string& path, bool workDataMode) {
    m_list.clearData();
    m_list.renumber();
    const int lines = countLines(path);
    if (lines < 0) {
        return false;
    }
    const int counted = std::min(lines, kRowLimit);
    // An empty file has no rows to step through.
    const int step = counted > 0 ? kProgressRange / counted : 0;

    m_list.setLoadedRowCount(1);
    CsvLineReader reader(path);
    if (!reader.isOpen()) {
        return false;
    }
    m_view.setStatusText(RenameListTexts::loadingStatus());
    m_view.setProgressRange(0, kProgressRange);
    m_list.setRedraw(false);

    // The list copy of a work data file holds the dates as they were: an empty one stays empty.
    const std::string initialDate =
        workDataMode ? std::string() : DateValue::initialDate(m_settings, m_today());
    bool limitExceeded = false;
    bool invalidData = false;
    int taken = 0;
    int progress = 0;
    std::string line;
    while (reader.next(line)) {
        if (taken == kRowLimit) {
            limitExceeded = true;
            break;
        }
        progress += step;
        m_view.setProgressPos(progress);
        ++taken;
        readRow(taken, line, workDataMode, initialDate, invalidData);
    }

    m_list.fitAllColumns();
    m_list.setRedraw(true);
    m_view.setProgressPos(kProgressRange);
    m_view.setStatusText(" ");
    m_view.setProgressPos(0);
    m_list.setLoadedRowCount(taken > 0 ? taken : 1);

    if (limitExceeded) {
        m_prompter.tell(Msg::RenameListTooManyRows);
    }
    if (invalidData) {
        m_prompter.tell(Msg::RenameListInvalidData);
    }
    return true;
}

void RenameListLoader::readRow(int row, const std::string& line, bool workDataMode,
                               const std::string& initialDate, bool& invalidData) {
    const std::vector<std::string> fields = SplitCsvLine(line);
    for (int k = 0; k < m_list.columnCount(); ++k) {
        const ColumnDef& column = m_list.column(k);
        const int field = workDataMode ? k + 1 : column.sourceField;
        if (field <= 0 || static_cast<std::size_t>(field) > fields.size()) {
            continue;
        }
        const ValueCheck::Result result = ValueCheck::importValue(
            column, fields[static_cast<std::size_t>(field - 1)], initialDate);
        if (result.restrictionMalformed) {
            m_prompter.tell(Msg::TextRestrictionFailed);
        }
        if (result.valid) {
            m_list.grid().setText(row, RenameList::gridCol(k), result.value);
            continue;
        }
        m_list.setInvalid(row, k);
        invalidData = true;
        if (m_assignments.isRowAssigned(row)) {
            m_assignments.releaseRow(row);
        }
    }
}

void RenameListLoader::finish(bool workDataMode) {
    m_list.setRedraw(false);
    const int loaded = m_list.loadedRowCount();
    if (!workDataMode && loaded > 1) {
        for (const RenameList::SortKey* key : {&m_list.secondarySort(), &m_list.primarySort()}) {
            if (key->column >= 0) {
                m_list.grid().sortRows(1, loaded, RenameList::gridCol(key->column), key->order);
            }
        }
    }
    m_list.renumber();
    m_list.setRedraw(true);
    m_list.selectRow(1);
}
