#include "template/TemplateEditGrid.h"

#include "base/CellGrid.h"
#include "base/Cp932.h"
#include "base/Prompter.h"
#include "base/TextCodec.h"
#include "template/ColumnType.h"
#include "template/TemplateNameCheck.h"

#include <algorithm>

namespace {

const std::string& mark() {
    static const std::string m = textcodec::utf8ToCp932("●");
    return m;
}

std::string sourceText(int field) {
    return field <= 0 ? textcodec::utf8ToCp932("設定なし")
                      : std::to_string(field) + textcodec::utf8ToCp932("列目");
}

int sourceField(const std::string& text) {
    const std::string suffix = textcodec::utf8ToCp932("列目");
    if (text.size() <= suffix.size() ||
        text.compare(text.size() - suffix.size(), suffix.size(), suffix) != 0) {
        return 0;
    }
    const std::string number = text.substr(0, text.size() - suffix.size());
    if (!std::all_of(number.begin(), number.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        return 0;
    }
    return number.size() > 9 ? 0 : std::stoi(number);
}

const std::vector<std::string>& sortNames() {
    static const std::vector<std::string> names = {" ", textcodec::utf8ToCp932("昇順"),
                                                   textcodec::utf8ToCp932("降順")};
    return names;
}

int sortCode(const std::string& text) {
    const auto& names = sortNames();
    for (std::size_t i = 1; i < names.size(); ++i) {
        if (text == names[i]) {
            return static_cast<int>(i);
        }
    }
    return 0;
}

std::string sortText(int code) {
    return (code == 1 || code == 2) ? sortNames()[static_cast<std::size_t>(code)] : std::string();
}

} // namespace

TemplateEditGrid::TemplateEditGrid(CellGrid& grid, Prompter& prompter, int csvRowNum)
    : m_grid(grid), m_prompter(prompter), m_csvRowNum(csvRowNum),
      m_details(static_cast<std::size_t>(csvRowNum) + 1) {
    m_grid.setFixedCols(0);
    m_grid.setCols(ColumnCount);
    m_grid.setRows(csvRowNum + 1);
    m_grid.setFixedRows(1);
    int col = 0;
    for (const char* heading : {"項目名", "ﾃﾞｰﾀ型", "読込み", "ﾌｧｲﾙ名に使用", "ｿｰﾄ（最優先）",
                                "ｿｰﾄ（第2優先）", "ﾘﾈｰﾑﾘｽﾄ非表示"}) {
        m_grid.setText(0, col++, textcodec::utf8ToCp932(heading));
    }
}

std::vector<std::string> TemplateEditGrid::entries(int col) const {
    std::vector<std::string> out;
    if (col == Type) {
        out.push_back(" ");
        for (int code = 1; code <= 5; ++code) {
            out.push_back(columnTypeName(code));
        }
    } else if (col == Source) {
        for (int field = 0; field <= m_csvRowNum; ++field) {
            out.push_back(sourceText(field));
        }
    } else if (col == Sort1 || col == Sort2) {
        out = sortNames();
    }
    return out;
}

void TemplateEditGrid::fill(const Template& t) {
    clearRows();
    int row = 1;
    for (const ColumnDef& c : t.columns) {
        if (row > m_csvRowNum) {
            break;
        }
        m_grid.setText(row, Name, c.name);
        m_grid.setText(row, Type, columnTypeName(c.type));
        m_grid.setText(row, Source, sourceText(c.sourceField));
        m_grid.setText(row, FileName, c.fileName ? mark() : std::string());
        m_grid.setText(row, Sort1, sortText(c.sort1));
        m_grid.setText(row, Sort2, sortText(c.sort2));
        m_grid.setText(row, Hidden, c.hidden ? mark() : std::string());
        m_details[static_cast<std::size_t>(row)] =
            ColumnDetail{c.digits, c.decimals, c.alignment, c.restriction};
        ++row;
    }
}

void TemplateEditGrid::clearRows() {
    for (int row = 1; row < m_grid.rows(); ++row) {
        for (int col = 0; col < ColumnCount; ++col) {
            m_grid.setText(row, col, "");
        }
    }
    std::fill(m_details.begin(), m_details.end(), std::nullopt);
}

std::string TemplateEditGrid::cell(int row, int col) const {
    return cp932::trim(m_grid.text(row, col));
}

int TemplateEditGrid::typeOf(int row) const {
    const std::string type = cell(row, Type);
    for (int code = 1; code <= 5; ++code) {
        if (!type.empty() && type == columnTypeName(code)) {
            return code;
        }
    }
    return 0;
}

void TemplateEditGrid::toggleFileName(int row, bool clearHidden) {
    if (typeOf(row) != static_cast<int>(ColumnType::Text)) {
        m_prompter.tell(Msg::EditorFileNameTextOnly);
        return;
    }
    const bool marked = m_grid.text(row, FileName) != mark();
    m_grid.setText(row, FileName, marked ? mark() : std::string());
    if (marked && clearHidden) {
        m_grid.setText(row, Hidden, "");
    }
}

void TemplateEditGrid::toggleHidden(int row) {
    if (m_grid.text(row, FileName) == mark()) {
        m_prompter.tell(Msg::EditorFileNameNotHidden);
        return;
    }
    m_grid.setText(row, Hidden, m_grid.text(row, Hidden) == mark() ? std::string() : mark());
}

bool TemplateEditGrid::mayEdit(int row, int col, bool byKey) const {
    if (row < 1 || row > m_csvRowNum || col == FileName || col == Hidden) {
        return false;
    }
    return !(m_namesLocked && (col == Name || (byKey && col == Source)));
}

void TemplateEditGrid::edited(int row, int col) {
    if (col == Type && typeOf(row) != static_cast<int>(ColumnType::Text)) {
        m_grid.setText(row, FileName, "");
    }
    if ((col != Sort1 && col != Sort2) || cell(row, col).empty()) {
        return;
    }
    const int other = col == Sort1 ? Sort2 : Sort1;
    if (!cell(row, other).empty()) {
        m_grid.setText(row, col, "");
        m_prompter.tell(col == Sort1 ? Msg::EditorSort2AlreadySet : Msg::EditorSort1AlreadySet);
        m_grid.setCurrentCell(row >= m_csvRowNum ? 1 : row + 1, col);
        return;
    }
    for (int r = 1; r < m_grid.rows(); ++r) {
        if (r != row) {
            m_grid.setText(r, col, "");
        }
    }
}

bool TemplateEditGrid::detailEnabled(int row) const {
    const int type = typeOf(row);
    return !cell(row, Name).empty() && type != 0 && type != static_cast<int>(ColumnType::PaperSize);
}

ColumnDetail TemplateEditGrid::detailOf(int row) const {
    if (row < 0 || row >= static_cast<int>(m_details.size())) {
        return {};
    }
    return m_details[static_cast<std::size_t>(row)].value_or(ColumnDetail{});
}

void TemplateEditGrid::setDetail(int row, const ColumnDetail& detail) {
    if (row >= 1 && row < static_cast<int>(m_details.size())) {
        m_details[static_cast<std::size_t>(row)] = detail;
    }
}

bool TemplateEditGrid::detailPresent(int row) const {
    return row >= 0 && row < static_cast<int>(m_details.size()) &&
           m_details[static_cast<std::size_t>(row)].has_value();
}

bool TemplateEditGrid::blankRow(int row) const {
    return cell(row, Name).empty() && cell(row, Type).empty();
}

std::optional<TemplateEditRefusal> TemplateEditGrid::refuse(Msg message, int row,
                                                            TemplateEditRefusal::Field field,
                                                            bool clearReplacement) {
    m_prompter.tell(message);
    m_grid.setCurrentCell(row, m_grid.col());
    return TemplateEditRefusal{message, row, clearReplacement, field};
}

std::optional<TemplateEditRefusal> TemplateEditGrid::validate(const TemplateOptions& options) {
    int complete = 0;
    int fileNameRows = 0;
    int sort1Rows = 0;
    int sort2Rows = 0;
    int lastSort1 = 1;
    int lastSort2 = 1;
    for (int row = 1; row <= m_csvRowNum; ++row) {
        if (blankRow(row)) {
            continue;
        }
        const std::string name = cell(row, Name);
        if (name.find('\t') != std::string::npos) {
            return refuse(Msg::EditorNameHasTab, row);
        }
        if (name.empty()) {
            return refuse(Msg::EditorNameMissing, row);
        }
        if (cell(row, Type).empty()) {
            return refuse(Msg::EditorTypeMissing, row);
        }
        ++complete;
        fileNameRows += m_grid.text(row, FileName) == mark() ? 1 : 0;
        if (!cell(row, Sort1).empty()) {
            ++sort1Rows;
            lastSort1 = row;
        }
        if (!cell(row, Sort2).empty()) {
            ++sort2Rows;
            lastSort2 = row;
        }
    }
    if (complete == 0) {
        return refuse(Msg::EditorNoColumns, 1);
    }
    if (fileNameRows == 0) {
        return refuse(Msg::EditorNoFileNameColumn, 1);
    }
    if (sort1Rows > 1) {
        return refuse(Msg::EditorSort1Duplicate, lastSort1);
    }
    if (sort2Rows > 1) {
        return refuse(Msg::EditorSort2Duplicate, lastSort2);
    }
    using Field = TemplateEditRefusal::Field;
    const int row = m_grid.row();
    if (options.replaceSpaces) {
        if (options.replacementChar.empty()) {
            return refuse(Msg::EditorReplacementEmpty, row, Field::Replacement);
        }
        if (options.replacementChar == " ") {
            return refuse(Msg::EditorReplacementBlank, row, Field::Replacement, true);
        }
        if (!isJoiningChar(options.replacementChar)) {
            return refuse(Msg::EditorReplacementForbidden, row, Field::Replacement);
        }
    }
    if (!options.connector.empty() && !isJoiningChar(options.connector)) {
        return refuse(Msg::EditorConnectorForbidden, row, Field::Connector);
    }
    if (cp932::trim(options.storageFolder).empty()) {
        return refuse(Msg::EditorStorageFolderMissing, row, Field::StorageFolder);
    }
    return std::nullopt;
}

Template TemplateEditGrid::collect(const std::string& name, const TemplateOptions& options) const {
    Template t;
    t.name = name;
    for (int row = 1; row <= m_csvRowNum; ++row) {
        const int type = typeOf(row);
        if (cell(row, Name).empty() || type == 0) {
            continue;
        }
        ColumnDef c;
        c.name = cell(row, Name);
        c.type = type;
        c.sourceField = sourceField(cell(row, Source));
        c.fileName = m_grid.text(row, FileName) == mark();
        c.sort1 = sortCode(cell(row, Sort1));
        c.sort2 = sortCode(cell(row, Sort2));
        c.hidden = m_grid.text(row, Hidden) == mark();
        const ColumnDetail d = detailOf(row);
        c.digits = d.digits;
        c.decimals = d.decimals;
        c.alignment = d.alignment;
        c.restriction = d.restriction;
        t.columns.push_back(std::move(c));
    }
    t.storageFolder = cp932::trim(options.storageFolder);
    t.replaceSpaces = options.replaceSpaces;
    t.replacementChar = options.replaceSpaces ? options.replacementChar : std::string();
    t.sortExport = options.sortExport;
    t.rememberWidths = options.rememberWidths;
    t.connector = options.connector;
    t.docType = options.docType;
    return t;
}
