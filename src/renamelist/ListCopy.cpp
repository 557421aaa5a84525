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
            const std::string& v = list.cellText(row, k);
            switch (static_cast<ColumnType>(list.column(k).type)) {
            case ColumnType::Text:
            case ColumnType::PaperSize:
                text += "\"" + v + "\"";
                break;
            case ColumnType::Integer:
            case ColumnType::Real:
                text += cp932::trim(v);
                break;
            default:
                text += v;
                break;
            }
        }
        text += "\r\n";
    }
    return text;
}
