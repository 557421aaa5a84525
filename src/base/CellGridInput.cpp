#include "base/CellGridInput.h"

#include "base/CellGrid.h"
#include "base/CellGridObserver.h"

#include <algorithm>

void CellGridInput::mouseDown(int button, int shift, int xTwips, int yTwips) {
    const CellGridHit hit = m_grid.cellAt(xTwips, yTwips);
    m_grid.setMouseCell(hit);
    bool cancel = false;
    if (CellGridObserver* observer = m_grid.observer()) {
        observer->gridBeforeMouseDown(m_grid, button, shift, xTwips, yTwips, cancel);
    }
    if (cancel) {
        return;
    }
    // A press elsewhere commits a running edit first; a rejected edit keeps the editor open and
    // the press does nothing more.
    if (m_grid.isEditing() && !m_grid.finishEdit(0)) {
        return;
    }
    const bool left = button == gridbutton::Left;
    if (left && hit.row >= m_grid.fixedRows() && hit.col >= m_grid.fixedCols()) {
        moveCursor(hit.row, hit.col, shift);
    }
    if (CellGridObserver* observer = m_grid.observer()) {
        observer->gridMouseDown(m_grid, button, shift, xTwips, yTwips);
    }
    if (m_headerSort && left && hit.row >= 0 && hit.row < m_grid.fixedRows() &&
        hit.col >= m_grid.fixedCols()) {
        sortByHeader(hit.col);
    }
}

void CellGridInput::click() {
    if (CellGridObserver* observer = m_grid.observer()) {
        observer->gridClick(m_grid);
    }
}

void CellGridInput::doubleClick() {
    if (CellGridObserver* observer = m_grid.observer()) {
        observer->gridDblClick(m_grid);
    }
}

bool CellGridInput::keyDown(int keyCode, int shift) {
    if (CellGridObserver* observer = m_grid.observer()) {
        observer->gridKeyDown(m_grid, keyCode, shift);
    }
    if (keyCode == 0) {
        return true;
    }
    return moveByKey(keyCode, shift);
}

bool CellGridInput::editorKeyDown(int keyCode, int shift) {
    if (!m_grid.isEditing()) {
        return false;
    }
    if (CellGridObserver* observer = m_grid.observer()) {
        observer->gridKeyDownEdit(m_grid, m_grid.editRow(), m_grid.editCol(), keyCode, shift);
    }
    if (!m_grid.isEditing() || keyCode == 0) {
        return true;
    }
    switch (keyCode) {
    case gridkey::Enter:
        m_grid.finishEdit(keyCode);
        return true;
    case gridkey::Escape:
        m_grid.cancelEdit();
        return true;
    case gridkey::Up:
    case gridkey::Down:
    case gridkey::PageUp:
    case gridkey::PageDown:
        if (m_grid.finishEdit(keyCode)) {
            moveByKey(keyCode, 0);
        }
        return true;
    case gridkey::Tab:
        if (m_grid.finishEdit(keyCode)) {
            moveByTab((shift & gridshift::Shift) != 0);
        }
        return true;
    default:
        return false;
    }
}

void CellGridInput::sortByHeader(int col) {
    const CellGridSort order = col == m_sortCol && m_sortOrder == CellGridSort::Ascending
                                   ? CellGridSort::Descending
                                   : CellGridSort::Ascending;
    m_sortCol = col;
    m_sortOrder = order;
    bool cancel = false;
    if (CellGridObserver* observer = m_grid.observer()) {
        observer->gridBeforeSort(m_grid, col, static_cast<int>(order), cancel);
    }
    if (cancel) {
        return;
    }
    m_grid.sortRows(m_grid.fixedRows(), m_grid.rows() - 1, col, order);
    if (CellGridObserver* observer = m_grid.observer()) {
        observer->gridAfterSort(m_grid, col, static_cast<int>(order));
    }
}

void CellGridInput::moveCursor(int row, int col, int shift) {
    if (m_grid.selectionMode() != CellGridSelectionMode::ListBox) {
        if (shift & gridshift::Shift) {
            m_grid.setRowSel(row);
            m_grid.setColSel(col);
        } else {
            m_grid.setCurrentCell(row, col);
        }
        return;
    }
    // The flags are set before the current cell moves, so that the owner sees the new selection
    // when it handles currentCellChanged.
    if (shift & gridshift::Ctrl) {
        m_grid.setRowSelected(row, !m_grid.isRowSelected(row));
        m_anchorRow = row;
    } else if ((shift & gridshift::Shift) && m_anchorRow >= m_grid.fixedRows() &&
               m_anchorRow < m_grid.rows()) {
        m_grid.clearRowSelection();
        for (int r = std::min(row, m_anchorRow); r <= std::max(row, m_anchorRow); ++r) {
            m_grid.setRowSelected(r, true);
        }
    } else {
        m_grid.clearRowSelection();
        m_grid.setRowSelected(row, true);
        m_anchorRow = row;
    }
    m_grid.setCurrentCell(row, col);
}

bool CellGridInput::moveByKey(int keyCode, int shift) {
    const int firstRow = m_grid.fixedRows();
    const int lastRow = m_grid.rows() - 1;
    const int firstCol = nextVisibleCol(m_grid.fixedCols() - 1, 1);
    const int lastCol = nextVisibleCol(m_grid.cols(), -1);
    if (firstRow > lastRow || firstCol < m_grid.fixedCols() || lastCol >= m_grid.cols()) {
        return false;
    }
    const bool listBox = m_grid.selectionMode() == CellGridSelectionMode::ListBox;
    const bool extend = (shift & gridshift::Shift) != 0 && !listBox;
    const int fromRow = extend ? m_grid.rowSel() : m_grid.row();
    const int fromCol = extend ? m_grid.colSel() : m_grid.col();
    // From a fixed cell (a grid that had no rows yet) every key lands on the first cell.
    int row = fromRow < firstRow ? firstRow - 1 : fromRow;
    int col = fromCol < firstCol ? firstCol : fromCol;
    const bool ctrl = (shift & gridshift::Ctrl) != 0;
    switch (keyCode) {
    case gridkey::Up:
        row -= 1;
        break;
    case gridkey::Down:
        row += 1;
        break;
    case gridkey::PageUp:
        row -= m_grid.pageRows();
        break;
    case gridkey::PageDown:
        row += m_grid.pageRows();
        break;
    case gridkey::Home:
        if (ctrl) {
            row = firstRow;
        } else {
            col = firstCol;
        }
        break;
    case gridkey::End:
        if (ctrl) {
            row = lastRow;
        } else {
            col = lastCol;
        }
        break;
    case gridkey::Left:
        col = nextVisibleCol(col, -1);
        break;
    case gridkey::Right:
        col = nextVisibleCol(col, 1);
        break;
    default:
        return false;
    }
    row = std::clamp(row, firstRow, lastRow);
    if (row == fromRow && col == fromCol) {
        return true;
    }
    if (extend) {
        m_grid.setRowSel(row);
        m_grid.setColSel(col);
    } else {
        moveCursor(row, col, listBox ? (shift & gridshift::Shift) : 0);
    }
    m_grid.showCell(row, col);
    return true;
}

void CellGridInput::moveByTab(bool backward) {
    const int step = backward ? -1 : 1;
    int row = m_grid.row();
    int col = nextVisibleCol(m_grid.col(), step);
    if (col == m_grid.col()) {
        const int nextRow = row + step;
        if (nextRow < m_grid.fixedRows() || nextRow >= m_grid.rows()) {
            return;
        }
        row = nextRow;
        col = backward ? nextVisibleCol(m_grid.cols(), -1)
                       : nextVisibleCol(m_grid.fixedCols() - 1, 1);
        if (col < m_grid.fixedCols() || col >= m_grid.cols()) {
            return;
        }
    }
    m_grid.setCurrentCell(row, col);
    m_grid.showCell(row, col);
}

int CellGridInput::nextVisibleCol(int col, int step) const {
    for (int c = col + step; c >= m_grid.fixedCols() && c < m_grid.cols(); c += step) {
        if (!m_grid.colHidden(c)) {
            return c;
        }
    }
    return col;
}
