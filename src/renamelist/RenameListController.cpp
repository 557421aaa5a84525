#include "renamelist/RenameListController.h"

#include "base/CellGrid.h"
#include "renamelist/RenameList.h"
#include "renamelist/RenameListOwner.h"

RenameListController::RenameListController(RenameList& list, AssignmentQueries& assignments,
                                           Prompter& prompter, const Settings& settings,
                                           RenameListOwner& owner)
    : m_list(list), m_owner(owner), m_editor(list, assignments, prompter, settings, owner),
      m_rows(list, assignments, prompter, owner) {
}

bool RenameListController::menuItemsEnabled() const {
    return m_list.hasColumns() && !m_editor.isEditing();
}

void RenameListController::gridKeyDown(CellGrid&, int& keyCode, int) {
    if (keyCode == gridkey::F2) {
        m_editor.startEdit();
    } else if (keyCode == gridkey::Enter && !m_editor.isEditing()) {
        m_owner.listEnterKey();
    }
}

void RenameListController::gridKeyDownEdit(CellGrid&, int row, int col, int& keyCode, int shift) {
    m_editor.onEditorKey(row, col, keyCode, shift);
}

void RenameListController::gridDblClick(CellGrid&) {
    if (m_list.hasColumns()) {
        m_editor.startEdit();
    }
}

void RenameListController::gridBeforeMouseDown(CellGrid& grid, int button, int, int xTwips,
                                               int yTwips, bool&) {
    m_rowBeforePress = grid.row();
    if (button == gridbutton::Right && !m_editor.isEditing()) {
        m_owner.listContextMenu(xTwips, yTwips, menuItemsEnabled());
    }
}

void RenameListController::gridMouseDown(CellGrid& grid, int button, int, int, int) {
    if (button != gridbutton::Left) {
        return;
    }
    const int row = grid.mouseRow();
    const int col = grid.mouseCol();
    if (row == 0 && RenameList::templateCol(col) >= 0) {
        m_rows.sortByHeader(col);
        return;
    }
    if (row >= 1 && row == m_rowBeforePress && RenameList::templateCol(col) >= 0 &&
        grid.row() == row && grid.col() == col) {
        m_editor.startEdit();
    }
}

void RenameListController::gridStartEdit(CellGrid&, int row, int col, bool& cancel) {
    m_editor.onStartEdit(row, col, cancel);
}

void RenameListController::gridAfterEdit(CellGrid&, int row, int col, int endKey) {
    m_editor.onAfterEdit(row, col, endKey);
}

void RenameListController::gridCurrentCellChanged(CellGrid&, int, int, int newRow, int) {
    if (m_list.movingCursor()) {
        return;
    }
    m_list.setCurrentListRow(newRow);
    m_owner.listStateChanged();
}

void RenameListController::gridAfterSort(CellGrid&, int, int) {
    m_rows.renumberAfterGridSort();
}
