#include "base/CellGridGeometry.h"

#include "base/CellGrid.h"

#include <algorithm>

void CellGridGeometry::setRowHeights(int fixedTwips, int rowTwips) {
    m_fixedRowHeight = std::max(fixedTwips, 1);
    m_rowHeight = std::max(rowTwips, 1);
}

void CellGridGeometry::setScrollPosition(int topRow, int leftCol) {
    m_topRow = std::max(topRow, 0);
    m_leftCol = std::max(leftCol, 0);
}

CellGridHit CellGridGeometry::cellAt(const CellGrid& grid, int xTwips, int yTwips) const {
    CellGridHit hit;
    if (xTwips < 0 || yTwips < 0) {
        return hit;
    }
    const int fixedRows = grid.fixedRows();
    const int fixedHeight = fixedRows * m_fixedRowHeight;
    if (yTwips < fixedHeight) {
        hit.row = yTwips / m_fixedRowHeight;
    } else {
        const int row = std::max(m_topRow, fixedRows) + (yTwips - fixedHeight) / m_rowHeight;
        hit.row = row < grid.rows() ? row : -1;
    }
    int x = 0;
    const auto findCol = [&](int from, int to) {
        for (int c = from; c < to; ++c) {
            if (grid.colHidden(c)) {
                continue;
            }
            x += grid.colWidth(c);
            if (xTwips < x) {
                return c;
            }
        }
        return -1;
    };
    hit.col = findCol(0, grid.fixedCols());
    if (hit.col < 0) {
        hit.col = findCol(std::max(m_leftCol, grid.fixedCols()), grid.cols());
    }
    return hit;
}
