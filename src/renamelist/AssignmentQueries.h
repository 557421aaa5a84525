#pragma once

// What the rename list asks of the assignment list, and the changes it makes to it. Rows are
// named by their RowKey, which equals the row number (1 to 1000) after every operation of the
// rename list.
class AssignmentQueries {
public:
    virtual ~AssignmentQueries() = default;

    virtual bool empty() const = 0;
    // True when some assignment names the row; a row number of 0 or less counts as assigned.
    virtual bool isRowAssigned(int row) const = 0;
    // Releases the assignments of one row.
    virtual void releaseRow(int row) = 0;
    virtual void releaseAll() = 0;
    // Every assignment whose row number is at least fromRow moves by delta rows (rows were
    // inserted or deleted above it).
    virtual void shiftRows(int fromRow, int delta) = 0;
};
