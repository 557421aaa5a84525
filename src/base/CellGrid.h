#pragma once

#include "base/CellGridFitter.h"
#include "base/CellGridGeometry.h"
#include "base/CellGridNotifier.h"
#include "base/CellGridTypes.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class CellGridListener;
class CellGridObserver;

// A table of cells: cp932 text, a background colour and a picture id per cell, with fixed rows
// at the top and fixed columns at the left (row 0 and column 0 are counted like any other),
// hidden columns, widths in twips, a current cell, a selection, a redraw switch, sorting, row
// moves and removal, and an in-place editor whose contents the view reports back.
//
// The rename list, the image list and the template editor keep their data here; the program reads
// and writes cells by row and column number. A view (CVSFlexGrid) shows the grid through the
// CellGridListener interface; CellGridInput turns user input into grid changes and raises the
// CellGridObserver events in the order the grid control raises them.
//
// Rows and columns out of range are ignored by setters and read as empty by getters.
class CellGrid {
public:
    // Text width in pixels of a cp932 text in the font of the view.
    using TextMeasure = CellGridFitter::TextMeasure;

    static constexpr int kTwipsPerPixel = 15;
    static constexpr int kDefaultColWidth = 960;

    CellGrid(int rows = 2, int cols = 2, int fixedRows = 1, int fixedCols = 1);
    CellGrid(const CellGrid&) = delete;
    CellGrid& operator=(const CellGrid&) = delete;

    void setObserver(CellGridObserver* observer) { m_observer = observer; }
    CellGridObserver* observer() const { return m_observer; }
    void setListener(CellGridListener* listener) { m_notifier.setListener(listener); }

    // ---- shape
    int rows() const { return static_cast<int>(m_rows.size()); }
    void setRows(int rows);
    int cols() const { return static_cast<int>(m_columns.size()); }
    void setCols(int cols);
    int fixedRows() const { return m_fixedRows; }
    void setFixedRows(int fixedRows);
    int fixedCols() const { return m_fixedCols; }
    void setFixedCols(int fixedCols);

    // ---- current cell and selection. Setting the row or the column collapses the selection onto
    // the current cell; a change of the current cell raises currentCellChanged.
    int row() const { return m_row; }
    int col() const { return m_col; }
    void setRow(int row) { setCurrentCell(row, m_col); }
    void setCol(int col) { setCurrentCell(m_row, col); }
    void setCurrentCell(int row, int col);
    int rowSel() const { return m_rowSel; }
    int colSel() const { return m_colSel; }
    void setRowSel(int row);
    void setColSel(int col);
    // Current cell (row1, col1), selection end (row2, col2).
    void select(int row1, int col1, int row2, int col2);
    CellGridRange selectedRange() const;
    CellGridSelectionMode selectionMode() const { return m_selectionMode; }
    void setSelectionMode(CellGridSelectionMode mode);
    bool isRowSelected(int row) const;
    void setRowSelected(int row, bool selected);
    void clearRowSelection();
    // In list-box mode the rows whose flag is set; otherwise the rows of the selected range.
    int selectedRowCount() const;
    // The n-th (0-based) of those rows in grid order, -1 when there is none.
    int selectedRow(int n) const;
    bool isCellSelected(int row, int col) const;

    // ---- redraw switch
    bool redraw() const { return m_notifier.redraw(); }
    void setRedraw(bool on);

    // ---- cells
    const std::string& text(int row, int col) const;
    void setText(int row, int col, std::string_view text);
    // Text and DisplayText: the text; Value: the number the text stands for ("0" when none);
    // Picture: the picture id in decimal.
    std::string cell(CellKind kind, int row, int col) const;
    // Sets every cell of the rectangle. Text, DisplayText and Value set the text; Picture takes
    // the decimal picture id.
    void setCell(CellKind kind, int row1, int col1, int row2, int col2, std::string_view value);
    double value(int row, int col) const;
    int cellPicture(int row, int col) const;
    void setCellPicture(int row1, int col1, int row2, int col2, int pictureId);
    std::uint32_t cellBackColor(int row, int col) const;
    void setCellBackColor(int row1, int col1, int row2, int col2, std::uint32_t color);
    void setCurrentText(std::string_view text) { setText(m_row, m_col, text); }
    void setCurrentBackColor(std::uint32_t color);
    void setCurrentPicture(int pictureId);

    // ---- columns
    // Width in twips; a negative width sets the default width.
    int colWidth(int col) const { return column(col).width; }
    void setColWidth(int col, int twips);
    bool colHidden(int col) const { return column(col).hidden; }
    void setColHidden(int col, bool hidden);
    CellDataType colDataType(int col) const { return column(col).dataType; }
    void setColDataType(int col, CellDataType type);
    // Edit mask of the column's editor (see CellGridMask.h); empty for none.
    const std::string& colEditMask(int col) const { return column(col).editMask; }
    void setColEditMask(int col, std::string_view mask);
    CellAlignment colAlignment(int col) const { return column(col).alignment; }
    void setColAlignment(int col, CellAlignment alignment);
    // Items of a drop-down editor, separated by "|"; empty for a text editor.
    const std::string& colComboList(int col) const { return column(col).comboList; }
    void setColComboList(int col, std::string_view list);
    // Fits the widths of columns col1..col2 to the widest content of each column (all rows, fixed
    // ones included: a cell's picture and its text) plus the cell padding and extraSpaceTwips;
    // with equal every column gets the widest width of them all.
    void autoSize(int col1, int col2, bool equal = false, int extraSpaceTwips = 0);
    void setTextMeasure(TextMeasure measure, int cellPaddingPixels) {
        m_fitter.setMeasure(std::move(measure), cellPaddingPixels);
    }
    void setPictureMeasure(CellGridFitter::PictureMeasure measure) {
        m_fitter.setPictureMeasure(std::move(measure));
    }

    // ---- rows
    // Empties text, colour and picture of every cell outside the fixed rows and columns.
    void clearScrollable();
    // Sorts the rows row()..rowSel() (all non-fixed rows when that is one row) by the current
    // column, stably, with the generic comparison.
    void sort(CellGridSort order);
    // Sorts rows top..bottom by a column, stably, with the generic comparison.
    void sortRows(int top, int bottom, int col, CellGridSort order);
    // Moves a row to a position; the rows in between shift by one.
    void setRowPosition(int row, int position);
    void removeRow(int row);
    // Inserts an empty row at the index (appends when at is out of range); returns its index.
    int addRow(int at = -1);
    void showCell(int row, int col);

    // ---- geometry (see CellGridGeometry): row heights in twips, and the first scrollable row and
    // column the view shows, as it reports them.
    int rowHeight() const { return m_geometry.rowHeight(); }
    int fixedRowHeight() const { return m_geometry.fixedRowHeight(); }
    void setRowHeights(int fixedTwips, int rowTwips);
    int topRow() const { return m_geometry.topRow(); }
    int leftCol() const { return m_geometry.leftCol(); }
    void setScrollPosition(int topRow, int leftCol) {
        m_geometry.setScrollPosition(topRow, leftCol);
    }
    // Rows moved by Page Up and Page Down.
    void setPageRows(int rows) { m_pageRows = rows > 1 ? rows : 1; }
    // The cell under a point in twips from the top-left corner of the cell area.
    CellGridHit cellAt(int xTwips, int yTwips) const {
        return m_geometry.cellAt(*this, xTwips, yTwips);
    }
    // The cell under the mouse at the last press (recorded by CellGridInput).
    int mouseRow() const { return m_mouse.row; }
    int mouseCol() const { return m_mouse.col; }
    void setMouseCell(CellGridHit hit) { m_mouse = hit; }
    int pageRows() const { return m_pageRows; }

    // ---- editor
    // Length limit of the editor in cp932 bytes; 0 for none.
    int editMaxLength() const { return m_editMaxLength; }
    void setEditMaxLength(int bytes) { m_editMaxLength = bytes > 0 ? bytes : 0; }
    // Drop-down items for the next edits, overriding the column's list; empty for none.
    const std::string& comboList() const { return m_comboList; }
    void setComboList(std::string_view list) { m_comboList = std::string(list); }
    std::string editorComboList() const;
    // Opens the editor on the current cell; false when it is a fixed cell or startEdit cancels.
    bool editCell();
    bool isEditing() const { return m_editing; }
    int editRow() const { return m_editing ? m_editRow : -1; }
    int editCol() const { return m_editing ? m_editCol : -1; }
    const std::string& editText() const { return m_editText; }
    void setEditText(std::string_view text) { m_editText = std::string(text); }
    // Stores the editor's text unless validateEdit cancels; false while the editor stays open.
    bool finishEdit(int endKey = 0);
    // Closes the editor without storing; afterEdit follows with the key Escape.
    void cancelEdit();

private:
    struct Cell {
        std::string text;
        std::uint32_t backColor = gridcolor::Default;
        int picture = 0;
    };
    struct Row {
        std::vector<Cell> cells;
        bool selected = false;
    };
    struct Column {
        int width = kDefaultColWidth;
        bool hidden = false;
        CellDataType dataType = CellDataType::Empty;
        CellAlignment alignment = CellAlignment::General;
        std::string editMask;
        std::string comboList;
    };
    const Cell* cellPtr(int row, int col) const;
    // Runs f on every cell of a rectangle already clipped to the grid.
    template <typename F> void forEachCell(int row1, int col1, int row2, int col2, F f) {
        for (int r = row1; r <= row2; ++r) {
            auto& cells = m_rows[static_cast<std::size_t>(r)].cells;
            for (int c = col1; c <= col2; ++c) {
                f(cells[static_cast<std::size_t>(c)]);
            }
        }
    }
    const Column& column(int col) const;
    Column* column(int col);
    bool validCell(int row, int col) const;
    bool clampRange(int& row1, int& col1, int& row2, int& col2) const;
    Row makeRow() const;
    int clampRow(int row) const;
    int clampCol(int col) const;
    void clampCursor();
    void closeEditorForChange();

    std::vector<Row> m_rows;
    std::vector<Column> m_columns;
    int m_fixedRows = 1;
    int m_fixedCols = 1;
    int m_row = 0;
    int m_col = 0;
    int m_rowSel = 0;
    int m_colSel = 0;
    CellGridSelectionMode m_selectionMode = CellGridSelectionMode::Free;
    CellGridNotifier m_notifier;

    CellGridGeometry m_geometry;
    int m_pageRows = 10;
    CellGridHit m_mouse;

    CellGridFitter m_fitter;

    int m_editMaxLength = 0;
    std::string m_comboList;
    bool m_editing = false;
    int m_editRow = -1;
    int m_editCol = -1;
    std::string m_editText;

    CellGridObserver* m_observer = nullptr;
};
