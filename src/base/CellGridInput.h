#pragma once

#include "base/CellGridTypes.h"

class CellGrid;

// Turns the operator's presses and keys on a view of a CellGrid into changes of the grid and
// raises the grid's events in the order the grid control raises them (see CellGridObserver.h).
// The grid never starts editing by itself: its owner opens the editor (CellGrid::editCell) from
// the events it handles.
//
// Presses move the current cell with the left button only, and only onto scrollable cells. In
// list-box mode a plain press selects the row alone, Ctrl toggles the row, Shift selects the rows
// from the last plainly pressed row; in the other modes Shift extends the selection. Cursor keys,
// Page Up/Down (by the grid's page rows) and Home/End (Ctrl: first and last row) move the same
// way and scroll the new cell into view; hidden columns are skipped.
//
// In the editor Enter commits, Escape cancels, Up, Down, Page Up, Page Down commit and move, Tab
// and Shift+Tab commit and move to the next and previous cell (wrapping to the next and previous
// row); every other key is left to the editor.
class CellGridInput {
public:
    explicit CellGridInput(CellGrid& grid) : m_grid(grid) {}

    // Position in twips from the top-left corner of the cell area.
    void mouseDown(int button, int shift, int xTwips, int yTwips);
    void click();
    void doubleClick();
    // True when the grid used the key.
    bool keyDown(int keyCode, int shift);
    // A key pressed in the editor; true when the grid used it (the editor then ignores it).
    bool editorKeyDown(int keyCode, int shift);

    // When on, a left press on a header cell of a scrollable column sorts every scrollable row by
    // that column, ascending first and then alternating, with beforeSort and afterSort around it.
    void setHeaderSort(bool on) { m_headerSort = on; }
    bool headerSort() const { return m_headerSort; }
    void sortByHeader(int col);

private:
    void moveCursor(int row, int col, int shift);
    bool moveByKey(int keyCode, int shift);
    void moveByTab(bool backward);
    int nextVisibleCol(int col, int step) const;

    CellGrid& m_grid;
    int m_anchorRow = -1;
    bool m_headerSort = false;
    int m_sortCol = -1;
    CellGridSort m_sortOrder = CellGridSort::Descending;
};
