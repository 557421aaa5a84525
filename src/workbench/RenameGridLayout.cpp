#include "workbench/RenameGridLayout.h"

#include "base/CellGrid.h"
#include "base/TextCodec.h"
#include "template/ColumnType.h"
#include "template/Template.h"

#include <cstddef>

namespace {

constexpr int kNumberWidth = 600;
constexpr int kMarkWidth = 780;

} // namespace

void RenameGridLayout::prepare(CellGrid& grid) {
    grid.setRows(kDataRows + 1);
    grid.setCols(kFixedCols);
    grid.setFixedRows(1);
    grid.setFixedCols(1);
    grid.setText(0, kNumberCol, "No.");
    grid.setText(0, kMarkCol, textcodec::utf8ToCp932("割り当て"));
    grid.setColWidth(kNumberCol, kNumberWidth);
    grid.setColWidth(kMarkCol, kMarkWidth);
    grid.setColHidden(kRowKeyCol, true);
}

void RenameGridLayout::reduceToFixedColumns(CellGrid& grid) {
    grid.setCols(kFixedCols);
    grid.clearScrollable();
    numberRows(grid);
}

std::string RenameGridLayout::integerMask(int digits) {
    return std::string(static_cast<std::size_t>(digits + 1), '#');
}

std::string RenameGridLayout::realMask(int digits, int decimals) {
    return std::string(static_cast<std::size_t>(digits + 2), '&') +
           std::string(static_cast<std::size_t>(decimals), '9');
}

void RenameGridLayout::applyTemplate(CellGrid& grid, const Template& t) {
    const int count = static_cast<int>(t.columns.size());
    grid.setCols(kFixedCols + count);
    for (int k = 0; k < count; ++k) {
        const ColumnDef& def = t.columns[static_cast<std::size_t>(k)];
        const int col = kFixedCols + k;
        grid.setText(0, col, def.name);
        grid.setColHidden(col, def.hidden);
        switch (static_cast<ColumnType>(def.type)) {
        case ColumnType::Integer:
            grid.setColDataType(col, CellDataType::Integer);
            grid.setColEditMask(col, integerMask(def.effectiveDigits()));
            break;
        case ColumnType::Real:
            grid.setColDataType(col, CellDataType::Real);
            grid.setColEditMask(col, realMask(def.effectiveDigits(), def.effectiveDecimals()));
            break;
        default:
            grid.setColDataType(col, CellDataType::Text);
            grid.setColEditMask(col, {});
            break;
        }
    }
    if (!t.rememberWidths) {
        if (count > 0) {
            grid.autoSize(kFixedCols, kFixedCols + count - 1);
        }
        return;
    }
    for (int k = 0; k < count && k < static_cast<int>(t.widths.size()); ++k) {
        grid.setColWidth(kFixedCols + k, t.widths[static_cast<std::size_t>(k)]);
    }
}

void RenameGridLayout::numberRows(CellGrid& grid) {
    for (int r = 1; r <= kDataRows && r < grid.rows(); ++r) {
        const std::string n = std::to_string(r);
        grid.setText(r, kNumberCol, n);
        grid.setText(r, kRowKeyCol, n);
    }
}

std::vector<int> RenameGridLayout::templateColumnWidths(const CellGrid& grid) {
    std::vector<int> widths;
    for (int c = kFixedCols; c < grid.cols(); ++c) {
        widths.push_back(grid.colWidth(c));
    }
    return widths;
}
