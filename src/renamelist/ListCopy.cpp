#include "renamelist/ListCopy.h"

#include "base/Cp932.h"
#include "renamelist/RenameList.h"
#include "template/ColumnType.h"

std::string ListCopy::compose(const RenameList& list) {
    std::string text;
    const int last = list.lastDataRow();
    for (int row = 1; row <= last; ++row) {
        for (int k = 0; k < list.columnCount(); ++k) {
            if (k > 0) {
                text += ",";
            }
            text += field(list.column(k).type, list.cellText(row, k));
        }
        text += "\r\n";
    }
    return text;
}

std::string ListCopy::field(int type, const std::string& value) {
    switch (static_cast<ColumnType>(type)) {
    case ColumnType::Text:
    case ColumnType::PaperSize:
        return "\"" + value + "\"";
    case ColumnType::Integer:
    case ColumnType::Real:
        return cp932::trim(value);
    default:
        return value;
    }
}
