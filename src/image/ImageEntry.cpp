#include "image/ImageEntry.h"

#include "base/CellGrid.h"
#include "base/Cp932.h"
#include "base/TextCodec.h"

#include <array>
#include <cstdlib>

namespace {

struct ColumnLayout {
    const char* header;
    int width;
    bool hidden;
    CellAlignment alignment;
};

constexpr std::array<ColumnLayout, ImageEntry::ColumnCount> kLayout{{
    {"割り当て", 780, false, CellAlignment::CenterCenter},
    {"ﾍﾟｰｼﾞ", 600, false, CellAlignment::General},
    {"形式", 555, false, CellAlignment::LeftCenter},
    {"ﾌｧｲﾙ名称", 2295, false, CellAlignment::LeftCenter},
    {"ｻｲｽﾞ", 600, false, CellAlignment::General},
    {"日付", 1095, false, CellAlignment::General},
    {"ﾍﾟｰｼﾞ数", 900, true, CellAlignment::General},
    {"ﾌﾟﾚﾋﾞｭｰ有効", 900, true, CellAlignment::General},
}};

} // namespace

ImageEntry ImageEntry::read(const CellGrid& grid, int row) {
    ImageEntry e;
    e.type = grid.text(row, Type);
    e.fileName = grid.text(row, FileName);
    e.paperSize = grid.text(row, PaperSize);
    e.date = grid.text(row, Date);
    e.pageCount = std::atoi(grid.text(row, PageCount).c_str());
    e.previewValid = grid.text(row, PreviewValid) == "1";
    return e;
}

void ImageEntry::write(CellGrid& grid, int row) const {
    grid.setText(row, PaperSize, paperSize);
    grid.setText(row, PageOrder, "");
    grid.setText(row, Type, type);
    grid.setText(row, FileName, fileName);
    grid.setText(row, PageCount, std::to_string(pageCount));
    grid.setText(row, PreviewValid, previewValid ? "1" : "0");
    grid.setText(row, Date, date);
}

void ImageEntry::prepareGrid(CellGrid& grid) {
    grid.setCols(ColumnCount);
    grid.setFixedCols(0);
    grid.setRows(1);
    grid.setFixedRows(1);
    for (int col = 0; col < ColumnCount; ++col) {
        const ColumnLayout& c = kLayout[static_cast<std::size_t>(col)];
        grid.setText(0, col, textcodec::utf8ToCp932(c.header));
        grid.setColWidth(col, c.width);
        grid.setColHidden(col, c.hidden);
        grid.setColAlignment(col, c.alignment);
    }
}

int ImageEntry::findRow(const CellGrid& grid, const std::string& fileName) {
    for (int row = grid.fixedRows(); row < grid.rows(); ++row) {
        if (cp932::equalsNoCase(grid.text(row, FileName), fileName)) {
            return row;
        }
    }
    return -1;
}
