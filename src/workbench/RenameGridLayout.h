#pragma once

#include <string>
#include <vector>

class CellGrid;
struct Template;

// The column layout of the rename-list grid: row 0 is the header, rows 1 to 1000 are data rows;
// column 0 is the row number "No.", column 1 the assignment mark "割り当て", column 2 the hidden
// RowKey, and one column per template column follows.
class RenameGridLayout {
public:
    static constexpr int kDataRows = 1000;
    static constexpr int kNumberCol = 0;
    static constexpr int kMarkCol = 1;
    static constexpr int kRowKeyCol = 2;
    static constexpr int kFixedCols = 3;

    // Shape and headings of an empty grid without template columns.
    static void prepare(CellGrid& grid);
    // Drops the template columns and empties every data cell; the rows keep their numbers.
    static void reduceToFixedColumns(CellGrid& grid);
    // One column per template column: heading, hidden flag, data kind and input mask, and the
    // stored widths when the template remembers them (otherwise the widths fit the contents).
    static void applyTemplate(CellGrid& grid, const Template& t);
    // Rows 1 to 1000 get their numbers in the number and RowKey columns.
    static void numberRows(CellGrid& grid);
    // The widths (twips) of the template columns, in template order.
    static std::vector<int> templateColumnWidths(const CellGrid& grid);

    // Input patterns of the grid editor: "#" repeated digits + 1 times for integers; "&" repeated
    // digits + 2 times and "9" repeated decimals times for reals.
    static std::string integerMask(int digits);
    static std::string realMask(int digits, int decimals);
};
