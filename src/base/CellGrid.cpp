#include "base/CellGrid.h"

#include "base/CellGridCompare.h"
#include "base/CellGridListener.h"
#include "base/CellGridObserver.h"

#include <algorithm>
#include <charconv>
#include <cstdio>

namespace {

const std::string kEmpty;

int parseInt(std::string_view s) {
    int value = 0;
    std::from_chars(s.data(), s.data() + s.size(), value);
    return value;
}

} // namespace

CellGrid::CellGrid(int rows, int cols, int fixedRows, int fixedCols)
    : m_columns(static_cast<std::size_t>(std::max(cols, 0))),
      m_fixedRows(std::clamp(fixedRows, 0, std::max(rows, 0))),
      m_fixedCols(std::clamp(fixedCols, 0, std::max(cols, 0))) {
    m_rows.assign(static_cast<std::size_t>(std::max(rows, 0)), makeRow());
    m_row = m_rowSel = m_fixedRows < this->rows() ? m_fixedRows : this->rows() - 1;
    m_col = m_colSel = m_fixedCols < this->cols() ? m_fixedCols : this->cols() - 1;
}

// ---- shape

void CellGrid::setRows(int rows) {
    rows = std::max(rows, 0);
    if (rows == this->rows()) {
        return;
    }
    closeEditorForChange();
    if (rows > this->rows()) {
        m_rows.reserve(static_cast<std::size_t>(rows));
        const Row empty = makeRow();
        m_rows.resize(static_cast<std::size_t>(rows), empty);
    } else {
        m_rows.resize(static_cast<std::size_t>(rows));
    }
    m_fixedRows = std::min(m_fixedRows, rows);
    m_notifier.structure();
    clampCursor();
}

void CellGrid::setCols(int cols) {
    cols = std::max(cols, 0);
    if (cols == this->cols()) {
        return;
    }
    closeEditorForChange();
    m_columns.resize(static_cast<std::size_t>(cols));
    for (Row& row : m_rows) {
        row.cells.resize(static_cast<std::size_t>(cols));
    }
    m_fixedCols = std::min(m_fixedCols, cols);
    m_notifier.structure();
    clampCursor();
}

void CellGrid::setFixedRows(int fixedRows) {
    closeEditorForChange();
    m_fixedRows = std::clamp(fixedRows, 0, rows());
    m_notifier.structure();
}

void CellGrid::setFixedCols(int fixedCols) {
    closeEditorForChange();
    m_fixedCols = std::clamp(fixedCols, 0, cols());
    m_notifier.structure();
}

// ---- current cell and selection

void CellGrid::setCurrentCell(int row, int col) {
    if (!validCell(row, col)) {
        return;
    }
    const int oldRow = m_row;
    const int oldCol = m_col;
    const bool moved = row != oldRow || col != oldCol;
    if (moved) {
        closeEditorForChange();
    }
    m_row = m_rowSel = row;
    m_col = m_colSel = col;
    m_notifier.cursor();
    if (moved && m_observer) {
        m_observer->gridCurrentCellChanged(*this, oldRow, oldCol, row, col);
    }
}

void CellGrid::setRowSel(int row) {
    if (row >= 0 && row < rows()) {
        m_rowSel = row;
        m_notifier.cursor();
    }
}

void CellGrid::setColSel(int col) {
    if (col >= 0 && col < cols()) {
        m_colSel = col;
        m_notifier.cursor();
    }
}

void CellGrid::select(int row1, int col1, int row2, int col2) {
    setCurrentCell(row1, col1);
    setRowSel(row2);
    setColSel(col2);
}

CellGridRange CellGrid::selectedRange() const {
    CellGridRange range{std::min(m_row, m_rowSel), std::min(m_col, m_colSel),
                        std::max(m_row, m_rowSel), std::max(m_col, m_colSel)};
    if (m_selectionMode != CellGridSelectionMode::Free) {
        range.left = m_fixedCols < cols() ? m_fixedCols : 0;
        range.right = cols() - 1;
    }
    return range;
}

void CellGrid::setSelectionMode(CellGridSelectionMode mode) {
    m_selectionMode = mode;
    m_notifier.cursor();
}

bool CellGrid::isRowSelected(int row) const {
    return row >= 0 && row < rows() && m_rows[static_cast<std::size_t>(row)].selected;
}

void CellGrid::setRowSelected(int row, bool selected) {
    if (row >= m_fixedRows && row < rows()) {
        m_rows[static_cast<std::size_t>(row)].selected = selected;
        m_notifier.cursor();
    }
}

void CellGrid::clearRowSelection() {
    for (Row& row : m_rows) {
        row.selected = false;
    }
    m_notifier.cursor();
}

int CellGrid::selectedRowCount() const {
    if (m_selectionMode == CellGridSelectionMode::ListBox) {
        return static_cast<int>(std::count_if(m_rows.begin(), m_rows.end(),
                                              [](const Row& row) { return row.selected; }));
    }
    const CellGridRange range = selectedRange();
    const int top = std::max(range.top, m_fixedRows);
    return range.bottom >= top ? range.bottom - top + 1 : 0;
}

int CellGrid::selectedRow(int n) const {
    if (n < 0) {
        return -1;
    }
    if (m_selectionMode == CellGridSelectionMode::ListBox) {
        for (int row = 0; row < rows(); ++row) {
            if (m_rows[static_cast<std::size_t>(row)].selected && n-- == 0) {
                return row;
            }
        }
        return -1;
    }
    const CellGridRange range = selectedRange();
    const int row = std::max(range.top, m_fixedRows) + n;
    return row <= range.bottom ? row : -1;
}

bool CellGrid::isCellSelected(int row, int col) const {
    if (!validCell(row, col) || row < m_fixedRows || col < m_fixedCols) {
        return false;
    }
    if (m_selectionMode == CellGridSelectionMode::ListBox) {
        return m_rows[static_cast<std::size_t>(row)].selected;
    }
    const CellGridRange range = selectedRange();
    return row >= range.top && row <= range.bottom && col >= range.left && col <= range.right;
}

// ---- redraw switch

void CellGrid::setRedraw(bool on) {
    m_notifier.setRedraw(on, rows(), cols());
}

// ---- cells

const std::string& CellGrid::text(int row, int col) const {
    const Cell* cell = cellPtr(row, col);
    return cell ? cell->text : kEmpty;
}

void CellGrid::setText(int row, int col, std::string_view text) {
    if (!validCell(row, col)) {
        return;
    }
    m_rows[static_cast<std::size_t>(row)].cells[static_cast<std::size_t>(col)].text.assign(text);
    m_notifier.cells(row, col, row, col);
}

std::string CellGrid::cell(CellKind kind, int row, int col) const {
    switch (kind) {
    case CellKind::Picture:
        return std::to_string(cellPicture(row, col));
    case CellKind::Value: {
        char buffer[32];
        std::snprintf(buffer, sizeof buffer, "%.15g", value(row, col));
        return buffer;
    }
    case CellKind::Text:
    case CellKind::DisplayText:
        break;
    }
    return text(row, col);
}

void CellGrid::setCell(CellKind kind, int row1, int col1, int row2, int col2,
                       std::string_view value) {
    if (!clampRange(row1, col1, row2, col2)) {
        return;
    }
    if (kind == CellKind::Picture) {
        const int picture = parseInt(value);
        forEachCell(row1, col1, row2, col2, [picture](Cell& cell) { cell.picture = picture; });
    } else {
        forEachCell(row1, col1, row2, col2, [value](Cell& cell) { cell.text.assign(value); });
    }
    m_notifier.cells(row1, col1, row2, col2);
}

double CellGrid::value(int row, int col) const {
    return gridcompare::numericValue(text(row, col)).value_or(0.0);
}

int CellGrid::cellPicture(int row, int col) const {
    const Cell* cell = cellPtr(row, col);
    return cell ? cell->picture : 0;
}

void CellGrid::setCellPicture(int row1, int col1, int row2, int col2, int pictureId) {
    setCell(CellKind::Picture, row1, col1, row2, col2, std::to_string(pictureId));
}

std::uint32_t CellGrid::cellBackColor(int row, int col) const {
    const Cell* cell = cellPtr(row, col);
    return cell ? cell->backColor : gridcolor::Default;
}

void CellGrid::setCellBackColor(int row1, int col1, int row2, int col2, std::uint32_t color) {
    if (!clampRange(row1, col1, row2, col2)) {
        return;
    }
    forEachCell(row1, col1, row2, col2, [color](Cell& cell) { cell.backColor = color; });
    m_notifier.cells(row1, col1, row2, col2);
}

void CellGrid::setCurrentBackColor(std::uint32_t color) {
    setCellBackColor(m_row, m_col, m_row, m_col, color);
}

void CellGrid::setCurrentPicture(int pictureId) {
    setCellPicture(m_row, m_col, m_row, m_col, pictureId);
}

// ---- columns

const CellGrid::Column& CellGrid::column(int col) const {
    static const Column none = [] {
        Column column;
        column.width = 0;
        return column;
    }();
    return col >= 0 && col < cols() ? m_columns[static_cast<std::size_t>(col)] : none;
}

CellGrid::Column* CellGrid::column(int col) {
    return col >= 0 && col < cols() ? &m_columns[static_cast<std::size_t>(col)] : nullptr;
}

void CellGrid::setColWidth(int col, int twips) {
    if (Column* c = column(col)) {
        c->width = twips < 0 ? kDefaultColWidth : twips;
        m_notifier.columns();
    }
}

void CellGrid::setColHidden(int col, bool hidden) {
    if (Column* c = column(col)) {
        c->hidden = hidden;
        m_notifier.columns();
    }
}

void CellGrid::setColAlignment(int col, CellAlignment alignment) {
    if (Column* c = column(col)) {
        c->alignment = alignment;
        m_notifier.columns();
    }
}

void CellGrid::setColDataType(int col, CellDataType type) {
    if (Column* c = column(col)) {
        c->dataType = type;
    }
}

void CellGrid::setColEditMask(int col, std::string_view mask) {
    if (Column* c = column(col)) {
        c->editMask = std::string(mask);
    }
}

void CellGrid::setColComboList(int col, std::string_view list) {
    if (Column* c = column(col)) {
        c->comboList = std::string(list);
    }
}

void CellGrid::autoSize(int col1, int col2, bool equal, int extraSpaceTwips) {
    if (col1 > col2) {
        std::swap(col1, col2);
    }
    col1 = std::max(col1, 0);
    col2 = std::min(col2, cols() - 1);
    if (col1 > col2) {
        return;
    }
    std::vector<int> widths;
    for (int c = col1; c <= col2; ++c) {
        int widest = 0;
        const std::string* last = nullptr;
        for (const Row& row : m_rows) {
            const Cell& cell = row.cells[static_cast<std::size_t>(c)];
            const int picture = m_fitter.measurePicture(cell.picture);
            // Runs of equal texts (empty rows, repeated values) are measured once.
            if (picture == 0 && (cell.text.empty() || (last && *last == cell.text))) {
                continue;
            }
            last = &cell.text;
            widest = std::max(widest, picture + m_fitter.measure(cell.text));
        }
        widths.push_back((widest + m_fitter.padding()) * kTwipsPerPixel + extraSpaceTwips);
    }
    const int widestOfAll = *std::max_element(widths.begin(), widths.end());
    for (int c = col1; c <= col2; ++c) {
        m_columns[static_cast<std::size_t>(c)].width =
            equal ? widestOfAll : widths[static_cast<std::size_t>(c - col1)];
    }
    m_notifier.columns();
}

// ---- rows

void CellGrid::clearScrollable() {
    forEachCell(m_fixedRows, m_fixedCols, rows() - 1, cols() - 1,
                [](Cell& cell) { cell = Cell(); });
    m_notifier.allCells(rows(), cols());
}

void CellGrid::sort(CellGridSort order) {
    int top = std::min(m_row, m_rowSel);
    int bottom = std::max(m_row, m_rowSel);
    if (top == bottom) {
        top = m_fixedRows;
        bottom = rows() - 1;
    }
    sortRows(std::max(top, m_fixedRows), bottom, m_col, order);
}

void CellGrid::sortRows(int top, int bottom, int col, CellGridSort order) {
    if (col < 0 || col >= cols() || top < 0 || bottom >= rows() || bottom - top < 1) {
        return;
    }
    closeEditorForChange();
    std::vector<std::string_view> texts;
    texts.reserve(static_cast<std::size_t>(bottom - top + 1));
    for (int r = top; r <= bottom; ++r) {
        texts.push_back(text(r, col));
    }
    const std::vector<std::size_t> newOrder = gridcompare::sortOrder(texts, order);
    std::vector<Row> sorted;
    sorted.reserve(newOrder.size());
    for (const std::size_t index : newOrder) {
        sorted.push_back(std::move(m_rows[static_cast<std::size_t>(top) + index]));
    }
    std::move(sorted.begin(), sorted.end(), m_rows.begin() + top);
    m_notifier.structure();
}

void CellGrid::setRowPosition(int row, int position) {
    if (row < 0 || row >= rows() || position < 0 || position >= rows() || row == position) {
        return;
    }
    closeEditorForChange();
    const auto begin = m_rows.begin();
    if (row < position) {
        std::rotate(begin + row, begin + row + 1, begin + position + 1);
    } else {
        std::rotate(begin + position, begin + row, begin + row + 1);
    }
    m_notifier.structure();
}

void CellGrid::removeRow(int row) {
    if (row < 0 || row >= rows()) {
        return;
    }
    closeEditorForChange();
    m_rows.erase(m_rows.begin() + row);
    if (row < m_fixedRows) {
        --m_fixedRows;
    }
    m_notifier.structure();
    clampCursor();
}

int CellGrid::addRow(int at) {
    closeEditorForChange();
    if (at < 0 || at > rows()) {
        at = rows();
    }
    m_rows.insert(m_rows.begin() + at, makeRow());
    m_notifier.structure();
    return at;
}

void CellGrid::showCell(int row, int col) {
    if (!validCell(row, col)) {
        return;
    }
    m_notifier.show(row, col);
}

void CellGrid::setRowHeights(int fixedTwips, int rowTwips) {
    m_geometry.setRowHeights(fixedTwips, rowTwips);
    m_notifier.structure();
}

// ---- helpers

const CellGrid::Cell* CellGrid::cellPtr(int row, int col) const {
    if (!validCell(row, col)) {
        return nullptr;
    }
    return &m_rows[static_cast<std::size_t>(row)].cells[static_cast<std::size_t>(col)];
}

bool CellGrid::validCell(int row, int col) const {
    return row >= 0 && row < rows() && col >= 0 && col < cols();
}

bool CellGrid::clampRange(int& row1, int& col1, int& row2, int& col2) const {
    if (row1 > row2) {
        std::swap(row1, row2);
    }
    if (col1 > col2) {
        std::swap(col1, col2);
    }
    row1 = std::max(row1, 0);
    col1 = std::max(col1, 0);
    row2 = std::min(row2, rows() - 1);
    col2 = std::min(col2, cols() - 1);
    return row1 <= row2 && col1 <= col2;
}

CellGrid::Row CellGrid::makeRow() const {
    Row row;
    row.cells.resize(m_columns.size());
    return row;
}

void CellGrid::clampCursor() {
    const auto clampTo = [](int value, int count) {
        return count == 0 ? -1 : std::clamp(value, 0, count - 1);
    };
    m_rowSel = clampTo(m_rowSel, rows());
    m_colSel = clampTo(m_colSel, cols());
    const int row = clampTo(m_row, rows());
    const int col = clampTo(m_col, cols());
    if (row == m_row && col == m_col) {
        return;
    }
    const int oldRow = m_row;
    const int oldCol = m_col;
    m_row = row;
    m_col = col;
    m_notifier.cursor();
    if (m_observer) {
        m_observer->gridCurrentCellChanged(*this, oldRow, oldCol, row, col);
    }
}

void CellGrid::closeEditorForChange() {
    if (m_editing && !finishEdit(0)) {
        cancelEdit();
    }
}

// ---- editor

std::string CellGrid::editorComboList() const {
    if (!m_comboList.empty()) {
        return m_comboList;
    }
    return colComboList(m_editing ? m_editCol : m_col);
}

bool CellGrid::editCell() {
    if (m_editing) {
        return true;
    }
    if (!validCell(m_row, m_col) || m_row < m_fixedRows || m_col < m_fixedCols) {
        return false;
    }
    bool cancel = false;
    if (m_observer) {
        m_observer->gridStartEdit(*this, m_row, m_col, cancel);
    }
    if (cancel || m_editing || !validCell(m_row, m_col)) {
        return !cancel && m_editing;
    }
    m_editing = true;
    m_editRow = m_row;
    m_editCol = m_col;
    m_editText = text(m_row, m_col);
    if (CellGridListener* listener = m_notifier.listener()) {
        // The view must show the grid as it is now before it places the editor.
        m_notifier.flush(rows(), cols());
        listener->gridEditOpened(m_editRow, m_editCol);
    }
    return true;
}

bool CellGrid::finishEdit(int endKey) {
    if (!m_editing) {
        return true;
    }
    bool cancel = false;
    if (m_observer) {
        m_observer->gridValidateEdit(*this, m_editRow, m_editCol, cancel);
    }
    if (!m_editing) {
        return true;
    }
    if (cancel) {
        return false;
    }
    const int row = m_editRow;
    const int col = m_editCol;
    m_editing = false;
    if (CellGridListener* listener = m_notifier.listener()) {
        listener->gridEditClosed();
    }
    setText(row, col, m_editText);
    if (m_observer) {
        m_observer->gridAfterEdit(*this, row, col, endKey);
    }
    return true;
}

void CellGrid::cancelEdit() {
    if (!m_editing) {
        return;
    }
    m_editing = false;
    if (CellGridListener* listener = m_notifier.listener()) {
        listener->gridEditClosed();
    }
    if (m_observer) {
        m_observer->gridAfterEdit(*this, m_editRow, m_editCol, gridkey::Escape);
    }
}
