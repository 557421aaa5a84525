#include "workbench/ImageGridLayout.h"

#include "base/CellGrid.h"
#include "base/TextCodec.h"

#include <array>

namespace {

struct Column {
    const char* heading;
    int width;
    bool hidden;
};

constexpr std::array<Column, ImageGridLayout::kCols> kColumns{{
    {"割り当て", 780, false},
    {"ﾍﾟｰｼﾞ", 600, false},
    {"形式", 555, false},
    {"ﾌｧｲﾙ名称", 2295, false},
    {"ｻｲｽﾞ", 600, false},
    {"日付", 1095, false},
    {"ﾍﾟｰｼﾞ数", 900, true},
    {"ﾌﾟﾚﾋﾞｭｰ有効", 900, true},
}};

} // namespace

void ImageGridLayout::prepare(CellGrid& grid) {
    grid.setRows(1);
    grid.setCols(kCols);
    grid.setFixedRows(1);
    grid.setFixedCols(0);
    for (int c = 0; c < kCols; ++c) {
        const Column& column = kColumns[static_cast<std::size_t>(c)];
        grid.setText(0, c, textcodec::utf8ToCp932(column.heading));
        grid.setColWidth(c, column.width);
        grid.setColHidden(c, column.hidden);
    }
    grid.setColAlignment(0, CellAlignment::CenterCenter);
    grid.setColAlignment(2, CellAlignment::LeftCenter);
    grid.setColAlignment(3, CellAlignment::LeftCenter);
}
