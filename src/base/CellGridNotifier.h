#pragma once

#include "base/CellGridTypes.h"

class CellGridListener;

// Reports the changes of a CellGrid to its view. While the redraw switch is off the changes are
// only noted, and reported together when it comes back on: a structural change as one
// gridStructureChanged, cell changes as one gridCellsChanged over the whole grid.
class CellGridNotifier {
public:
    CellGridListener* listener() const { return m_listener; }
    void setListener(CellGridListener* listener);
    bool redraw() const { return m_redraw; }
    // rows and cols: the grid's size at that moment.
    void setRedraw(bool on, int rows, int cols);
    // Reports what is pending now, whatever the redraw switch says.
    void flush(int rows, int cols);

    void cells(int top, int left, int bottom, int right);
    void allCells(int rows, int cols);
    void structure();
    void columns();
    void cursor();
    void show(int row, int col);

private:
    enum Pending : unsigned {
        PendingCells = 1,
        PendingStructure = 2,
        PendingColumns = 4,
        PendingCursor = 8,
        PendingShow = 16,
    };
    // True when the change is to be reported now; otherwise it is noted.
    bool reportNow(Pending what);

    CellGridListener* m_listener = nullptr;
    bool m_redraw = true;
    unsigned m_pending = 0;
    CellGridHit m_show;
};
