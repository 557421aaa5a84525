#include "execute/ExportLines.h"

#include "base/Cp932.h"
#include "execute/RenameNames.h"
#include "template/ColumnType.h"
#include "template/Template.h"

namespace exportlines {

namespace {

std::string cell(const std::vector<std::string>& cells, std::size_t k) {
    return k < cells.size() ? cells[k] : std::string();
}

bool isNumber(const ColumnDef& c) {
    return c.type == static_cast<int>(ColumnType::Integer) ||
           c.type == static_cast<int>(ColumnType::Real);
}

std::string quoted(const std::string& value) {
    return "\"" + value + "\"";
}

// Space replacement of a file-name column when the template asks for it.
std::string replaced(const Template& t, const ColumnDef& c, const std::string& value) {
    return c.fileName && t.replaceSpaces ? cp932::replaceAll(value, " ", t.replacementChar) : value;
}

std::string numberTrimmed(const ColumnDef& c, const std::string& value) {
    return isNumber(c) ? cp932::trim(value) : value;
}

} // namespace

std::string ledgraLine(const Template& t, const std::vector<std::string>& cells,
                       const std::string& fileName) {
    std::string line;
    for (std::size_t k = 0; k < t.columns.size(); ++k) {
        const ColumnDef& c = t.columns[k];
        std::string value = numberTrimmed(c, cell(cells, k));
        if (k == 0 && c.type == static_cast<int>(ColumnType::Text)) {
            value = cp932::trimLeftBlanksWide(cp932::forbiddenToFullWidth(value));
        }
        line += quoted(value) + ",";
    }
    return line + "1," + fileName;
}

AgentFields agentFields(const Template& t, const std::vector<std::string>& cells) {
    AgentFields fields;
    for (std::size_t k = 0; k < t.columns.size(); ++k) {
        const ColumnDef& c = t.columns[k];
        const std::string value = cell(cells, k);
        if (k == 0) {
            fields.title =
                cp932::trimLeftBlanksWide(cp932::forbiddenToFullWidth(replaced(t, c, value)));
        } else if (k == 1) {
            fields.cabinet = cp932::trim(value);
        } else if (k == 2) {
            fields.folder = cp932::trim(value);
        } else {
            fields.properties += quoted(replaced(t, c, numberTrimmed(c, value))) + ",";
        }
    }
    return fields;
}

std::string agentLine(const std::string& fileName, const AgentFields& fields,
                      const AgentDefaults& defaults) {
    const std::string cabinet = fields.cabinet.empty() ? defaults.cabinet : fields.cabinet;
    std::string folder = fields.folder.empty() ? defaults.folder : fields.folder;
    if (!folder.empty() && folder.front() == '/') {
        folder = cp932::trimLeft(folder.substr(1));
    }
    return quoted(fileName) + "," + cabinet + "," + folder + "," + quoted(fields.title) + "," +
           fields.properties;
}

std::string renameListLine(const Template& t, const std::vector<std::string>& cells, int addText,
                           const std::string& renamedName) {
    const std::string nameField = renamedName.empty() ? std::string() : quoted(renamedName);
    std::string line = addText == 2 ? nameField + "," : std::string();
    for (std::size_t k = 0; k < t.columns.size(); ++k) {
        const ColumnDef& c = t.columns[k];
        std::string value = numberTrimmed(c, cell(cells, k));
        const bool text = c.type == static_cast<int>(ColumnType::Text) ||
                          c.type == static_cast<int>(ColumnType::PaperSize);
        if (c.fileName && (text || c.type == static_cast<int>(ColumnType::Date))) {
            value = renamename::formatValue(c, value);
            if (t.replaceSpaces && !t.replacementChar.empty()) {
                value = cp932::replaceAll(value, " ", t.replacementChar);
            }
        }
        line += (k > 0 ? "," : "") + (text ? quoted(value) : value);
    }
    return addText == 1 ? line + "," + nameField : line;
}

} // namespace exportlines
