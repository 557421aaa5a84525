#pragma once

// What a view of a CellGrid is told. While the grid's redraw switch is off nothing but edits and
// the redraw switch itself is reported; the changes made meanwhile are reported as one
// gridStructureChanged (or gridCellsChanged over the whole grid) when redraw comes back on.
class CellGridListener {
public:
    virtual ~CellGridListener() = default;

    // Cell contents or formatting in the rectangle changed.
    virtual void gridCellsChanged(int top, int left, int bottom, int right) = 0;
    // Row or column counts, row order, fixed counts or row heights changed: everything is to be
    // shown anew.
    virtual void gridStructureChanged() = 0;
    // Column widths, hidden flags or alignments changed.
    virtual void gridColumnsChanged() = 0;
    // Current cell or selection changed.
    virtual void gridCursorChanged() = 0;
    virtual void gridRedrawChanged(bool on) = 0;
    virtual void gridShowCell(int row, int col) = 0;
    // The editor is to be opened on the cell, or closed.
    virtual void gridEditOpened(int row, int col) = 0;
    virtual void gridEditClosed() = 0;
};
