#include "execute/RenameNames.h"

#include "app/Settings.h"
#include "base/Cp932.h"
#include "execute/ExportType.h"
#include "template/ColumnType.h"
#include "template/Template.h"

#include <algorithm>

namespace {

std::string padded(std::string value, std::size_t length, std::size_t width, char fill,
                   bool before) {
    if (length >= width) {
        return value;
    }
    const std::string padding(width - length, fill);
    return before ? padding + value : value + padding;
}

std::string formatText(const ColumnDef& c, std::string_view v) {
    const auto width = static_cast<std::size_t>(std::max(c.digits, 0));
    const std::size_t chars = cp932::charCount(v);
    switch (c.alignment) {
    case 1:
        return padded(std::string(v), chars, width, ' ', false);
    case 2:
        return padded(std::string(v), chars, width, ' ', true);
    default:
        return std::string(v);
    }
}

std::string formatNumber(const ColumnDef& c, std::string_view displayText, bool real) {
    const std::string v = cp932::trim(displayText);
    if (v.empty()) {
        return v;
    }
    const bool point = v.find('.') != std::string::npos;
    const int digits = std::max(c.digits, 0);
    const auto width = static_cast<std::size_t>(
        real ? digits + std::max(c.decimals, 0) + (point ? 1 : 0) : digits);
    switch (c.alignment) {
    case 1:
        return padded(v, v.size(), width, ' ', false);
    case 2:
        return padded(v, v.size(), width, ' ', true);
    case 3: {
        const std::size_t integerPart = real && point ? v.find('.') : v.size();
        return padded(v, integerPart, static_cast<std::size_t>(digits), '0', true);
    }
    default:
        return v;
    }
}

std::string formatDate(const ColumnDef& c, std::string_view displayText) {
    const std::string v = cp932::trim(displayText);
    auto part = [&v](std::size_t from, std::size_t count) {
        return from < v.size() ? v.substr(from, count) : std::string();
    };
    const std::string year = c.alignment == 1 ? part(2, 2) : part(0, 4);
    return year + part(5, 2) + part(8, 2);
}

enum class Variant { File, Check };

std::string composeName(const Template& t, const std::vector<std::string>& cells,
                        const Settings& settings, Variant variant) {
    std::string name;
    const std::size_t count = t.columns.size();
    for (std::size_t k = 0; k < count; ++k) {
        const ColumnDef& column = t.columns[k];
        if (!column.fileName) {
            continue;
        }
        name += renamename::formatValue(column, k < cells.size() ? cells[k] : std::string());
        const bool connect = variant == Variant::File ? count >= 2 : k + 1 < count;
        if (!t.connector.empty() && connect) {
            name += t.connector;
        }
    }
    if (variant == Variant::File && !t.connector.empty() &&
        cp932::endsWithNoCase(name, t.connector)) {
        name.erase(name.size() - t.connector.size());
    }
    if (t.replaceSpaces && (variant == Variant::File || !t.replacementChar.empty())) {
        name = cp932::replaceAll(name, " ", t.replacementChar);
    }
    name = cp932::forbiddenToFullWidth(name);
    if (exportTypeOf(settings.exportType) == ExportType::Agent) {
        name = cp932::trimLeftBlanksWide(name);
    }
    return name;
}

} // namespace

namespace renamename {

std::string formatValue(const ColumnDef& column, std::string_view displayText) {
    if (displayText.empty()) {
        return {};
    }
    switch (static_cast<ColumnType>(column.type)) {
    case ColumnType::Text:
        return formatText(column, displayText);
    case ColumnType::Integer:
        return formatNumber(column, displayText, false);
    case ColumnType::Real:
        return formatNumber(column, displayText, true);
    case ColumnType::Date:
        return formatDate(column, displayText);
    case ColumnType::PaperSize:
        return std::string(displayText);
    }
    return {};
}

} // namespace renamename

std::string RenameNameForFile(const Template& t, const std::vector<std::string>& cells,
                              const Settings& settings) {
    return composeName(t, cells, settings, Variant::File);
}

std::string RenameNameForCheck(const Template& t, const std::vector<std::string>& cells,
                               const Settings& settings) {
    return composeName(t, cells, settings, Variant::Check);
}
