#include "renamelist/RenameListEditor.h"

#include "base/CellGrid.h"
#include "base/CellGridObserver.h"
#include "base/Prompter.h"
#include "renamelist/AssignmentQueries.h"
#include "renamelist/RenameList.h"
#include "renamelist/RenameListOwner.h"
#include "renamelist/ValueCheck.h"
#include "template/ColumnType.h"

#include <algorithm>

RenameListEditor::RenameListEditor(RenameList& list, AssignmentQueries& assignments,
                                   Prompter& prompter, const Settings& settings,
                                   RenameListOwner& owner)
    : m_list(list), m_assignments(assignments), m_prompter(prompter), m_settings(settings),
      m_owner(owner) {
}

bool RenameListEditor::startEdit() {
    CellGrid& grid = m_list.grid();
    const int row = grid.row();
    const int k = RenameList::templateCol(grid.col());
    if (!m_list.hasColumns() || row < 1 || row > RenameList::kDataRows || k < 0 ||
        k >= m_list.columnCount() || m_assignments.isRowAssigned(row)) {
        return false;
    }
    return grid.editCell();
}

void RenameListEditor::onStartEdit(int row, int col, bool& cancel) {
    CellGrid& grid = m_list.grid();
    const int k = RenameList::templateCol(col);
    if (k < 0 || k >= m_list.columnCount() || m_assignments.isRowAssigned(row)) {
        cancel = true;
        return;
    }
    m_editRow = row;
    m_before = grid.text(row, col);
    m_duplicateReported = false;
    const ColumnDef& c = m_list.column(k);
    switch (static_cast<ColumnType>(c.type)) {
    case ColumnType::Text:
        grid.setEditMaxLength(c.digits > 0 ? 2 * std::min(c.digits, RenameList::kLongestValue)
                                           : kDefaultTextLimit);
        break;
    case ColumnType::PaperSize:
        grid.setEditMaxLength(kPaperSizeLimit);
        break;
    default:
        // Number columns are bounded by their edit mask, dates by the check after the edit; a
        // limit left over from a narrow text column must not cut them.
        grid.setEditMaxLength(0);
        break;
    }
}

void RenameListEditor::onEditorKey(int row, int col, int& keyCode, int shift) {
    switch (keyCode) {
    case gridkey::Delete:
        if (!m_list.isCompleteRow(row)) {
            m_owner.listAssignUnavailable();
        }
        break;
    case gridkey::Enter:
        keyCode = 0;
        endWithEnter(row, col);
        break;
    case gridkey::Up:
    case gridkey::Down:
    case gridkey::PageUp:
    case gridkey::PageDown:
    case gridkey::Tab: {
        const int key = keyCode;
        keyCode = 0;
        endWithMove(row, col, key, shift);
        break;
    }
    default:
        break;
    }
}

void RenameListEditor::onAfterEdit(int row, int col, int endKey) {
    if (m_editRow < 0) {
        return;
    }
    m_editRow = -1;
    if (endKey == gridkey::Escape) {
        m_owner.listStateChanged();
        return;
    }
    CellGrid& grid = m_list.grid();
    const int k = RenameList::templateCol(col);
    if (k < 0 || k >= m_list.columnCount()) {
        return;
    }
    const ColumnDef& c = m_list.column(k);
    const ValueCheck::Result result = ValueCheck::editValue(c, grid.text(row, col));
    if (result.restrictionMalformed) {
        m_prompter.tell(Msg::TextRestrictionFailed);
    }
    if (result.valid) {
        m_list.setValid(row, k, result.value);
        m_list.fitColumn(k);
    } else {
        grid.setText(row, col, m_before);
    }
    m_duplicateReported = false;
    if (endKey == gridkey::Enter && m_settings.enterKeyAssign == 1) {
        m_duplicateReported =
            m_owner.listAssignByEnter(row) == RenameListOwner::EnterAssign::Duplicate;
    }
    m_owner.listStateChanged();
    m_owner.listModified();
}

void RenameListEditor::endWithEnter(int row, int col) {
    if (!m_list.grid().finishEdit(gridkey::Enter)) {
        return;
    }
    if (m_duplicateReported) {
        editAt(row, col);
        return;
    }
    const int last = RenameList::kDataRows;
    int toRow = 0;
    int toCol = col;
    for (int r = row + 1; r <= last && toRow == 0; ++r) {
        toRow = m_assignments.isRowAssigned(r) ? 0 : r;
    }
    if (toRow == 0) {
        for (int r = 1; r <= row && toRow == 0; ++r) {
            toRow = m_assignments.isRowAssigned(r) ? 0 : r;
        }
        if (toRow != 0 || row == last) {
            toCol = nextVisibleCol(col, 1);
        }
    }
    if (toRow == 0) {
        toRow = row < last ? row + 1 : 1;
    }
    CellGrid& grid = m_list.grid();
    grid.setCurrentCell(toRow, toCol);
    grid.showCell(toRow, toCol);
}

void RenameListEditor::endWithMove(int row, int col, int keyCode, int shift) {
    if (!m_list.grid().finishEdit(keyCode)) {
        return;
    }
    int toRow = row;
    int toCol = col;
    targetOf(keyCode, shift, row, col, toRow, toCol);
    if (toRow == row && toCol == col) {
        editAt(row, col);
        return;
    }
    const bool backward = keyCode == gridkey::Up || keyCode == gridkey::PageUp ||
                          (keyCode == gridkey::Tab && (shift & gridshift::Shift));
    const int found = nearestUnassigned(toRow, backward ? -1 : 1);
    if (found > 0) {
        editAt(found, toCol);
    } else {
        editAt(row, col);
    }
}

void RenameListEditor::targetOf(int keyCode, int shift, int row, int col, int& toRow,
                                int& toCol) const {
    const int last = RenameList::kDataRows;
    const int page = m_list.grid().pageRows();
    toRow = row;
    toCol = col;
    switch (keyCode) {
    case gridkey::Up:
        toRow = std::max(1, row - 1);
        break;
    case gridkey::Down:
        toRow = std::min(last, row + 1);
        break;
    case gridkey::PageUp:
        toRow = std::max(1, row - page);
        break;
    case gridkey::PageDown:
        toRow = std::min(last, row + page);
        break;
    case gridkey::Tab: {
        const int step = (shift & gridshift::Shift) ? -1 : 1;
        const int next = nextVisibleCol(col, step);
        if (next != col) {
            toCol = next;
            break;
        }
        if (row + step < 1 || row + step > last) {
            break;
        }
        const int wrapped = step > 0 ? nextVisibleCol(RenameList::kFirstTemplateCol - 1, 1)
                                     : nextVisibleCol(m_list.grid().cols(), -1);
        if (wrapped >= RenameList::kFirstTemplateCol && wrapped < m_list.grid().cols()) {
            toRow = row + step;
            toCol = wrapped;
        }
        break;
    }
    default:
        break;
    }
}

int RenameListEditor::nextVisibleCol(int col, int step) const {
    const CellGrid& grid = m_list.grid();
    for (int c = col + step; c >= RenameList::kFirstTemplateCol && c < grid.cols(); c += step) {
        if (!grid.colHidden(c)) {
            return c;
        }
    }
    return col;
}

int RenameListEditor::nearestUnassigned(int row, int step) const {
    for (int r = row; r >= 1 && r <= RenameList::kDataRows; r += step) {
        if (!m_assignments.isRowAssigned(r)) {
            return r;
        }
    }
    return 0;
}

void RenameListEditor::editAt(int row, int col) {
    CellGrid& grid = m_list.grid();
    grid.setCurrentCell(row, col);
    grid.showCell(row, col);
    startEdit();
}
