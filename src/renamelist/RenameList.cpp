#include "renamelist/RenameList.h"

#include "base/CellGrid.h"
#include "base/Cp932.h"
#include "renamelist/RenameListTexts.h"
#include "template/ColumnType.h"

#include <algorithm>
#include <string>

namespace {

// Widths (twips) of the row number and of the assignment mark column.
constexpr int kNoWidth = 600;
constexpr int kAssignWidth = 780;

std::string repeated(int count, char c) {
    return std::string(static_cast<std::size_t>(std::min(count, RenameList::kLongestValue)), c);
}

// Editor patterns of the number columns: integer "#" digits + 1 times; real "&" digits + 2
// times, then "9" decimals times.
std::string editMask(const ColumnDef& c) {
    const int digits = std::min(c.effectiveDigits(), RenameList::kLongestValue);
    if (c.type == static_cast<int>(ColumnType::Integer)) {
        return repeated(digits + 1, '#');
    }
    return repeated(digits + 2, '&') + repeated(c.effectiveDecimals(), '9');
}

} // namespace

RenameList::RenameList(CellGrid& grid) : m_grid(grid) {
    clearTemplate();
}

void RenameList::clearTemplate() {
    // An edit still open belongs to the columns that are going away.
    m_grid.cancelEdit();
    m_columns.clear();
    m_rememberWidths = false;
    m_primary = {};
    m_secondary = {};
    m_loadedRowCount = 1;
    m_grid.setRows(kDataRows + 1);
    m_grid.setCols(kFirstTemplateCol);
    m_grid.setFixedRows(1);
    m_grid.setFixedCols(kFirstTemplateCol);
    m_grid.setText(0, kColNo, RenameListTexts::noHeader());
    m_grid.setText(0, kColAssign, RenameListTexts::assignHeader());
    m_grid.setColWidth(kColNo, kNoWidth);
    m_grid.setColWidth(kColAssign, kAssignWidth);
    m_grid.setColHidden(kColRowKey, true);
    clearData();
    renumber();
}

void RenameList::applyTemplate(const Template& t) {
    clearTemplate();
    m_columns = t.columns;
    m_rememberWidths = t.rememberWidths;
    m_grid.setCols(kFirstTemplateCol + columnCount());
    for (int k = 0; k < columnCount(); ++k) {
        const ColumnDef& c = column(k);
        const int col = gridCol(k);
        m_grid.setText(0, col, c.name);
        m_grid.setColHidden(col, c.hidden);
        m_grid.setCellPicture(0, col, 0, col, headerPicture(c));
        const bool number = c.type == static_cast<int>(ColumnType::Integer) ||
                            c.type == static_cast<int>(ColumnType::Real);
        m_grid.setColDataType(
            col, c.type == static_cast<int>(ColumnType::Integer) ? CellDataType::Integer
                 : c.type == static_cast<int>(ColumnType::Real)  ? CellDataType::Real
                                                                 : CellDataType::Text);
        m_grid.setColEditMask(col, number ? editMask(c) : std::string());
        if (m_rememberWidths && static_cast<std::size_t>(k) < t.widths.size()) {
            m_grid.setColWidth(col, t.widths[static_cast<std::size_t>(k)]);
        }
        const CellGridSort order1 =
            c.sort1 == 1 ? CellGridSort::Ascending : CellGridSort::Descending;
        const CellGridSort order2 =
            c.sort2 == 1 ? CellGridSort::Ascending : CellGridSort::Descending;
        if (c.sort1 != 0) {
            m_primary = {k, order1};
        }
        if (c.sort2 != 0) {
            m_secondary = {k, order2};
        }
    }
    renumber();
}

void RenameList::setRedraw(bool on) {
    m_grid.setRedraw(on);
    if (m_imageGrid) {
        m_imageGrid->setRedraw(on);
    }
}

RenameList::Picture RenameList::headerPicture(const ColumnDef& c) {
    const bool primary = c.sort1 != 0;
    const bool secondary = c.sort2 != 0;
    if (primary && secondary) {
        return NoPicture;
    }
    if (primary) {
        return c.fileName ? FileNamePrimaryPicture : PrimarySortPicture;
    }
    if (secondary) {
        return c.fileName ? FileNameSecondaryPicture : SecondarySortPicture;
    }
    return c.fileName ? FileNamePicture : NoPicture;
}

const std::string& RenameList::cellText(int row, int k) const {
    return m_grid.text(row, gridCol(k));
}

bool RenameList::isInvalid(int row, int k) const {
    return m_grid.cellBackColor(row, gridCol(k)) == gridcolor::Red;
}

void RenameList::setValid(int row, int k, const std::string& value) {
    m_grid.setText(row, gridCol(k), value);
    m_grid.setCellBackColor(row, gridCol(k), row, gridCol(k), gridcolor::White);
}

void RenameList::setInvalid(int row, int k) {
    m_grid.setText(row, gridCol(k), {});
    m_grid.setCellBackColor(row, gridCol(k), row, gridCol(k), gridcolor::Red);
}

void RenameList::clearData() {
    const int lastCol = m_grid.cols() - 1;
    m_grid.setCell(CellKind::Text, 1, 0, kDataRows, lastCol, {});
    m_grid.setCellPicture(1, 0, kDataRows, lastCol, 0);
    m_grid.setCellBackColor(1, 0, kDataRows, lastCol, gridcolor::Default);
}

void RenameList::renumber() {
    for (int row = 1; row <= kDataRows; ++row) {
        const std::string number = std::to_string(row);
        m_grid.setText(row, kColNo, number);
        m_grid.setText(row, kColRowKey, number);
    }
}

int RenameList::rowKey(int row) const {
    return static_cast<int>(m_grid.value(row, kColRowKey));
}

bool RenameList::rowHasData(int row) const {
    for (int k = 0; k < columnCount(); ++k) {
        if (!cellText(row, k).empty()) {
            return true;
        }
    }
    return false;
}

int RenameList::lastDataRow() const {
    for (int row = kDataRows; row >= 1; --row) {
        if (rowHasData(row)) {
            return row;
        }
    }
    return 0;
}

void RenameList::showFirstDataRow() {
    int first = 1;
    while (first < kDataRows && !rowHasData(first)) {
        ++first;
    }
    if (!rowHasData(first)) {
        first = 1;
    }
    m_grid.showCell(first, std::max(m_grid.col(), m_grid.fixedCols()));
}

bool RenameList::isCompleteRow(int row) const {
    bool anyFileNameColumn = false;
    for (int k = 0; k < columnCount(); ++k) {
        const ColumnDef& c = column(k);
        if (!c.fileName) {
            continue;
        }
        anyFileNameColumn = true;
        const bool trimmed = c.type == static_cast<int>(ColumnType::Text) ||
                             c.type == static_cast<int>(ColumnType::Integer) ||
                             c.type == static_cast<int>(ColumnType::Real);
        const std::string& text = cellText(row, k);
        if ((trimmed ? cp932::trim(text) : text).empty()) {
            return false;
        }
    }
    return anyFileNameColumn;
}

void RenameList::fitColumn(int k) {
    if (!m_rememberWidths) {
        m_grid.autoSize(gridCol(k), gridCol(k), false, 0);
    }
}

void RenameList::fitAllColumns() {
    for (int k = 0; k < columnCount(); ++k) {
        fitColumn(k);
    }
}

void RenameList::selectRow(int row) {
    m_movingCursor = true;
    m_grid.setCurrentCell(row, kColRowKey);
    m_movingCursor = false;
    m_grid.showCell(row, kColRowKey);
    m_currentListRow = row;
}
