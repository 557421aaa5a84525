#include "execute/ExportSort.h"

#include "template/Template.h"

#include <algorithm>
#include <string_view>

namespace exportsort {

namespace {

struct Key {
    int column = -1;
    bool descending = false;
};

// The last column whose sort code (1 ascending, 2 descending) is set.
Key lastSortColumn(const Template& t, int ColumnDef::*code) {
    Key key;
    for (std::size_t k = 0; k < t.columns.size(); ++k) {
        const int value = t.columns[k].*code;
        if (value == 1 || value == 2) {
            key = {static_cast<int>(k), value == 2};
        }
    }
    return key;
}

std::string_view field(std::string_view line, std::size_t index) {
    std::size_t start = 0;
    for (std::size_t i = 0; i < index; ++i) {
        const std::size_t comma = line.find(',', start);
        if (comma == std::string_view::npos) {
            return {};
        }
        start = comma + 1;
    }
    return line.substr(start, line.find(',', start) - start);
}

void stableSortBy(std::vector<std::string>& lines, std::size_t index, bool descending) {
    std::stable_sort(lines.begin(), lines.end(), [&](const std::string& a, const std::string& b) {
        const int c = field(a, index).compare(field(b, index));
        return descending ? c > 0 : c < 0;
    });
}

} // namespace

std::size_t fieldOf(int column, ExportType type, int addText) {
    const auto k = static_cast<std::size_t>(column);
    switch (type) {
    case ExportType::Agent:
        return k == 0 ? 3 : k <= 2 ? k : k + 1;
    case ExportType::RenameListCsv:
        return addText == 2 ? k + 1 : k;
    default:
        return k;
    }
}

void sortLines(std::vector<std::string>& lines, const Template& t, ExportType type, int addText) {
    const Key primary = lastSortColumn(t, &ColumnDef::sort1);
    if (!t.sortExport || primary.column < 0 || lines.size() < 2) {
        return;
    }
    const Key secondary = lastSortColumn(t, &ColumnDef::sort2);
    if (secondary.column >= 0) {
        stableSortBy(lines, fieldOf(secondary.column, type, addText), secondary.descending);
    }
    stableSortBy(lines, fieldOf(primary.column, type, addText), primary.descending);
}

} // namespace exportsort
