#pragma once

#include "base/CellGridTypes.h"

class CellGrid;

// Where the cells of a CellGrid stand on screen, in twips: the fixed rows have one height, the
// other rows another; the fixed rows and columns stay in place while the others scroll by whole
// rows and columns, from the first scrollable row and column the view shows. Hidden columns take
// no room.
class CellGridGeometry {
public:
    static constexpr int kDefaultRowHeight = 300;

    int rowHeight() const { return m_rowHeight; }
    int fixedRowHeight() const { return m_fixedRowHeight; }
    void setRowHeights(int fixedTwips, int rowTwips);
    int topRow() const { return m_topRow; }
    int leftCol() const { return m_leftCol; }
    void setScrollPosition(int topRow, int leftCol);

    // The cell under a point in twips from the top-left corner of the cell area, the fixed row
    // and column included; row or column -1 where the point is beyond them.
    CellGridHit cellAt(const CellGrid& grid, int xTwips, int yTwips) const;

private:
    int m_rowHeight = kDefaultRowHeight;
    int m_fixedRowHeight = kDefaultRowHeight;
    int m_topRow = 0;
    int m_leftCol = 0;
};
