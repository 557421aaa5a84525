#pragma once

#include "base/CellGridTypes.h"
#include "template/Template.h"

#include <string>
#include <vector>

class CellGrid;

// The rename list on its CellGrid: row 0 is the header, rows 1 to 1000 are the data rows, always
// present. Columns: 0 "No." (the row number), 1 "割り当て" (the assignment mark), 2 the hidden
// RowKey (the row number again), then one column per template column. Columns 0 to 2 are fixed.
// Cell values are cp932 text; an invalid cell is empty with a red background.
class RenameList {
public:
    static constexpr int kDataRows = 1000;
    static constexpr int kColNo = 0;
    static constexpr int kColAssign = 1;
    static constexpr int kColRowKey = 2;
    static constexpr int kFirstTemplateCol = 3;
    // No cell value is longer than a line of the list file can carry; digits stored beyond it
    // widen no editor further.
    static constexpr int kLongestValue = 60000;

    // Header pictures of template columns.
    enum Picture {
        NoPicture = 0,
        FileNamePicture = 147,
        PrimarySortPicture = 148,
        SecondarySortPicture = 149,
        FileNamePrimaryPicture = 150,
        FileNameSecondaryPicture = 160,
    };

    struct SortKey {
        int column = -1; // template column index, -1 for none
        CellGridSort order = CellGridSort::Ascending;
    };

    explicit RenameList(CellGrid& grid);
    RenameList(const RenameList&) = delete;
    RenameList& operator=(const RenameList&) = delete;

    CellGrid& grid() { return m_grid; }
    const CellGrid& grid() const { return m_grid; }
    // The image list's grid: long operations stop its redrawing together with the list's.
    void setImageGrid(CellGrid* grid) { m_imageGrid = grid; }
    // Switches the redraw of both grids.
    void setRedraw(bool on);

    // Lays the grid out with its fixed columns only and an empty list.
    void clearTemplate();
    // Lays the grid out for a template: headers, hidden columns, editor masks, stored widths,
    // header pictures, the sort columns, the row numbers.
    void applyTemplate(const Template& t);

    const std::vector<ColumnDef>& columns() const { return m_columns; }
    int columnCount() const { return static_cast<int>(m_columns.size()); }
    bool hasColumns() const { return !m_columns.empty(); }
    const ColumnDef& column(int k) const { return m_columns.at(static_cast<std::size_t>(k)); }
    // The in-memory first-sort code of a column (a header click changes it).
    void setColumnSort1(int k, int code) { m_columns.at(static_cast<std::size_t>(k)).sort1 = code; }
    bool rememberWidths() const { return m_rememberWidths; }
    static int gridCol(int k) { return k + kFirstTemplateCol; }
    // The template column of a grid column; -1 for the fixed columns.
    static int templateCol(int gridCol) { return gridCol - kFirstTemplateCol; }
    static Picture headerPicture(const ColumnDef& column);

    const SortKey& primarySort() const { return m_primary; }
    const SortKey& secondarySort() const { return m_secondary; }

    // The number of rows the last load took from its file, 1 when it took none (LoadedRowCount).
    int loadedRowCount() const { return m_loadedRowCount; }
    void setLoadedRowCount(int count) { m_loadedRowCount = count; }

    // The row of the grid's current cell as the list last took it; -1 before any.
    int currentListRow() const { return m_currentListRow; }
    void setCurrentListRow(int row) { m_currentListRow = row; }
    // True while the program itself moves the grid's cursor.
    bool movingCursor() const { return m_movingCursor; }

    // Data cells of template column k.
    const std::string& cellText(int row, int k) const;
    bool isInvalid(int row, int k) const;
    void setValid(int row, int k, const std::string& value);
    void setInvalid(int row, int k);

    // Empties every data row (texts, colours, pictures); the header row stays.
    void clearData();
    // Rewrites "No." and RowKey of rows 1 to 1000 with the row number.
    void renumber();
    int rowKey(int row) const;
    // True when some template column of the row holds text.
    bool rowHasData(int row) const;
    // The highest row with data, 0 when there is none.
    int lastDataRow() const;
    // Scrolls the list to its first row with data (row 1 when there is none), in the current
    // column.
    void showFirstDataRow();
    // True when the template has file-name columns and each holds text in the row (text, integer
    // and real values trimmed of blanks first).
    bool isCompleteRow(int row) const;
    // Fits the width of template column k to its contents, unless stored widths are kept.
    void fitColumn(int k);
    void fitAllColumns();
    // Row r becomes current at column 2 and is scrolled into view; it becomes the current list
    // row.
    void selectRow(int row);

private:
    CellGrid& m_grid;
    CellGrid* m_imageGrid = nullptr;
    std::vector<ColumnDef> m_columns;
    bool m_rememberWidths = false;
    SortKey m_primary;
    SortKey m_secondary;
    int m_loadedRowCount = 1;
    int m_currentListRow = -1;
    bool m_movingCursor = false;
};
