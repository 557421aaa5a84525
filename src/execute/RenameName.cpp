#include "execute/RenameName.h"

#include "base/Cp932.h"
#include "renamelist/RenameList.h"
#include "template/ColumnType.h"
#include "template/Template.h"

#include <algorithm>
#include <cstddef>

namespace {

enum Alignment { Keep = 0, PadAfter = 1, PadBefore = 2, ZeroFill = 3 };

std::string padded(const std::string& v, std::size_t width, std::size_t have, int alignment,
                   char fill = ' ') {
    if (have >= width) {
        return v;
    }
    const std::string pad(width - have, fill);
    return alignment == PadAfter ? v + pad : pad + v;
}

std::string textValue(const std::string& v, const ColumnDef& c) {
    if (c.alignment != PadAfter && c.alignment != PadBefore) {
        return v;
    }
    return padded(v, static_cast<std::size_t>(std::max(c.digits, 0)), cp932::charCount(v),
                  c.alignment);
}

std::string integerValue(const std::string& raw, const ColumnDef& c) {
    const std::string v = cp932::trim(raw);
    const auto width = static_cast<std::size_t>(std::max(c.digits, 0));
    switch (c.alignment) {
    case PadAfter:
    case PadBefore:
        return padded(v, width, v.size(), c.alignment);
    case ZeroFill:
        return padded(v, width, v.size(), PadBefore, '0');
    default:
        return v;
    }
}

std::string realValue(const std::string& raw, const ColumnDef& c) {
    const std::string v = cp932::trim(raw);
    const bool point = v.find('.') != std::string::npos;
    const auto width =
        static_cast<std::size_t>(std::max(c.digits, 0) + std::max(c.decimals, 0) + (point ? 1 : 0));
    switch (c.alignment) {
    case PadAfter:
    case PadBefore:
        return padded(v, width, v.size(), c.alignment);
    case ZeroFill: {
        const std::size_t integerDigits = point ? v.find('.') : v.size();
        return padded(v, static_cast<std::size_t>(std::max(c.digits, 0)), integerDigits, PadBefore,
                      '0');
    }
    default:
        return v;
    }
}

std::string dateValue(const std::string& raw, const ColumnDef& c) {
    const std::string v = cp932::trim(raw);
    const auto part = [&v](std::size_t from, std::size_t count) {
        return from < v.size() ? v.substr(from, count) : std::string();
    };
    return (c.alignment == 1 ? part(2, 2) : part(0, 4)) + part(5, 2) + part(8, 2);
}

std::string formatted(const std::string& v, const ColumnDef& c) {
    if (v.empty()) {
        return {};
    }
    switch (static_cast<ColumnType>(c.type)) {
    case ColumnType::Text:
        return textValue(v, c);
    case ColumnType::Integer:
        return integerValue(v, c);
    case ColumnType::Real:
        return realValue(v, c);
    case ColumnType::Date:
        return dateValue(v, c);
    case ColumnType::PaperSize:
        return v;
    }
    return {};
}

} // namespace

std::string RenameName::forCheck(const RenameList& list, const Template& t, int row,
                                 int exportType) {
    std::string name;
    const int count = list.columnCount();
    for (int k = 0; k < count; ++k) {
        const ColumnDef& c = list.column(k);
        if (!c.fileName) {
            continue;
        }
        name += formatted(list.cellText(row, k), c);
        if (!t.connector.empty() && count >= 2 && k != count - 1) {
            name += t.connector;
        }
    }
    if (t.replaceSpaces && !t.replacementChar.empty()) {
        name = cp932::replaceAll(name, " ", t.replacementChar);
    }
    name = cp932::forbiddenToFullWidth(name);
    if (exportType == 2) {
        name = cp932::trimLeftBlanksWide(name);
    }
    return name;
}
