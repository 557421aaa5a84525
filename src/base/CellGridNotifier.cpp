#include "base/CellGridNotifier.h"

#include "base/CellGridListener.h"

void CellGridNotifier::setListener(CellGridListener* listener) {
    m_listener = listener;
    m_pending = 0;
}

void CellGridNotifier::setRedraw(bool on, int rows, int cols) {
    if (on == m_redraw) {
        return;
    }
    m_redraw = on;
    if (!m_listener) {
        return;
    }
    if (on) {
        flush(rows, cols);
    }
    m_listener->gridRedrawChanged(on);
}

void CellGridNotifier::flush(int rows, int cols) {
    const unsigned pending = m_pending;
    m_pending = 0;
    if (!m_listener || pending == 0) {
        return;
    }
    if (pending & PendingStructure) {
        m_listener->gridStructureChanged();
    } else {
        if (pending & PendingColumns) {
            m_listener->gridColumnsChanged();
        }
        if ((pending & PendingCells) && rows > 0 && cols > 0) {
            m_listener->gridCellsChanged(0, 0, rows - 1, cols - 1);
        }
    }
    if (pending & PendingCursor) {
        m_listener->gridCursorChanged();
    }
    if ((pending & PendingShow) && m_show.row < rows && m_show.col < cols) {
        m_listener->gridShowCell(m_show.row, m_show.col);
    }
}

bool CellGridNotifier::reportNow(Pending what) {
    if (!m_listener) {
        return false;
    }
    if (!m_redraw) {
        m_pending |= what;
        return false;
    }
    return true;
}

void CellGridNotifier::cells(int top, int left, int bottom, int right) {
    if (reportNow(PendingCells)) {
        m_listener->gridCellsChanged(top, left, bottom, right);
    }
}

void CellGridNotifier::allCells(int rows, int cols) {
    if (rows > 0 && cols > 0) {
        cells(0, 0, rows - 1, cols - 1);
    }
}

void CellGridNotifier::structure() {
    if (reportNow(PendingStructure)) {
        m_listener->gridStructureChanged();
    }
}

void CellGridNotifier::columns() {
    if (reportNow(PendingColumns)) {
        m_listener->gridColumnsChanged();
    }
}

void CellGridNotifier::cursor() {
    if (reportNow(PendingCursor)) {
        m_listener->gridCursorChanged();
    }
}

void CellGridNotifier::show(int row, int col) {
    m_show = {row, col};
    if (reportNow(PendingShow)) {
        m_listener->gridShowCell(row, col);
    }
}
