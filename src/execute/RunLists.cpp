#include "execute/RunLists.h"

#include "base/CellGrid.h"
#include "image/ImageEntry.h"
#include "renamelist/RenameList.h"

#include <algorithm>
#include <cstdlib>
#include <functional>

namespace runlists {

std::vector<std::string> rowCells(const RenameList& list, int row) {
    std::vector<std::string> cells;
    for (int k = 0; k < list.columnCount(); ++k) {
        cells.push_back(list.cellText(row, k));
    }
    return cells;
}

int listedPages(const CellGrid& imageGrid, const std::string& fileName) {
    const int row = ImageEntry::findRow(imageGrid, fileName);
    return row < 1 ? 0 : ImageEntry::read(imageGrid, row).pageCount;
}

void removeRows(RenameList& list, const std::vector<std::string>& rowKeys) {
    std::vector<int> rows;
    for (const std::string& key : rowKeys) {
        const int row = std::atoi(key.c_str());
        if (row >= 1 && row <= RenameList::kDataRows) {
            rows.push_back(row);
        }
    }
    std::sort(rows.begin(), rows.end(), std::greater<>());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    CellGrid& grid = list.grid();
    list.setRedraw(false);
    for (const int row : rows) {
        grid.removeRow(row);
        grid.addRow();
    }
    list.renumber();
    list.setRedraw(true);
}

} // namespace runlists
