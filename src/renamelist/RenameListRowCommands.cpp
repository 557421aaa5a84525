#include "renamelist/RenameListRowCommands.h"

#include "base/CellGrid.h"
#include "base/Prompter.h"
#include "renamelist/AssignmentQueries.h"
#include "renamelist/RenameList.h"
#include "renamelist/RenameListOwner.h"

bool RenameListRowCommands::currentRowValid(int& row) const {
    row = m_list.currentListRow();
    return m_list.hasColumns() && row >= 1 && row <= RenameList::kDataRows;
}

void RenameListRowCommands::renumberQuietly() {
    m_list.setRedraw(false);
    m_list.renumber();
    m_list.setRedraw(true);
}

bool RenameListRowCommands::insertRow() {
    int row = 0;
    if (!currentRowValid(row)) {
        return false;
    }
    const int last = RenameList::kDataRows;
    if (m_assignments.isRowAssigned(last)) {
        if (m_prompter.tell(Msg::InsertDropsLastRow) != Answer::Yes) {
            return false;
        }
        m_assignments.releaseRow(last);
    }
    CellGrid& grid = m_list.grid();
    m_list.setRedraw(false);
    grid.addRow(row);
    grid.removeRow(last + 1);
    m_list.renumber();
    m_list.setRedraw(true);
    m_assignments.shiftRows(row, 1);
    m_list.selectRow(row);
    m_owner.listStateChanged();
    return true;
}

bool RenameListRowCommands::deleteRow() {
    int row = 0;
    if (!currentRowValid(row)) {
        return false;
    }
    if (m_assignments.isRowAssigned(row)) {
        if (m_prompter.tell(Msg::DeleteAssignedRow) != Answer::Yes) {
            return false;
        }
        m_assignments.releaseRow(row);
    }
    CellGrid& grid = m_list.grid();
    m_list.setRedraw(false);
    grid.removeRow(row);
    grid.addRow();
    m_list.renumber();
    m_list.setRedraw(true);
    m_assignments.shiftRows(row, -1);
    m_list.selectRow(row);
    m_owner.listStateChanged();
    return true;
}

bool RenameListRowCommands::sortByHeader(int gridCol) {
    const int k = RenameList::templateCol(gridCol);
    if (k < 0 || k >= m_list.columnCount()) {
        return false;
    }
    bool anyText = false;
    for (int row = 1; row <= RenameList::kDataRows && !anyText; ++row) {
        anyText = !m_list.cellText(row, k).empty();
    }
    if (!anyText) {
        return false;
    }
    if (!m_assignments.empty()) {
        m_prompter.tell(Msg::SortWhileAssigned);
        return false;
    }
    const int lastRow = m_list.lastDataRow();
    const bool descending = m_list.column(k).sort1 == 1;
    m_list.setColumnSort1(k, descending ? 2 : 1);
    m_list.setRedraw(false);
    if (lastRow > 1) {
        CellGrid& grid = m_list.grid();
        grid.sortRows(1, lastRow, gridCol,
                      descending ? CellGridSort::Descending : CellGridSort::Ascending);
        // Rows with data rise to the top in their sorted order; empty rows sink below them.
        int top = 1;
        for (int row = 1; row <= lastRow; ++row) {
            if (m_list.rowHasData(row)) {
                grid.setRowPosition(row, top++);
            }
        }
    }
    m_list.renumber();
    m_list.setRedraw(true);
    m_owner.listStateChanged();
    m_list.selectRow(1);
    return true;
}

void RenameListRowCommands::renumberAfterGridSort() {
    renumberQuietly();
}
