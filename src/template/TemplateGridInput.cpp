#include "template/TemplateGridInput.h"

#include "base/CellGrid.h"
#include "base/Cp932.h"
#include "template/TemplateEditGrid.h"

TemplateGridInput::TemplateGridInput(TemplateEditGrid& grid, DetailSwitch detailSwitch)
    : m_grid(grid), m_detailSwitch(std::move(detailSwitch)) {
}

void TemplateGridInput::startEdit(CellGrid& grid, bool byKey) {
    if (m_grid.mayEdit(grid.row(), grid.col(), byKey)) {
        grid.editCell();
    }
}

void TemplateGridInput::gridClick(CellGrid& grid) {
    const int row = grid.row();
    if (row < 1) {
        return;
    }
    if (grid.col() == TemplateEditGrid::FileName) {
        m_grid.toggleFileName(row, true);
    } else if (grid.col() == TemplateEditGrid::Hidden) {
        m_grid.toggleHidden(row);
    } else {
        startEdit(grid, false);
    }
}

void TemplateGridInput::gridKeyDown(CellGrid& grid, int& keyCode, int /*shift*/) {
    if (keyCode == gridkey::Space) {
        if (grid.col() == TemplateEditGrid::FileName) {
            m_grid.toggleFileName(grid.row(), false);
        } else {
            startEdit(grid, true);
        }
        keyCode = 0;
    } else if (keyCode == gridkey::F2) {
        startEdit(grid, true);
        keyCode = 0;
    }
}

void TemplateGridInput::gridStartEdit(CellGrid& grid, int /*row*/, int col, bool& /*cancel*/) {
    std::string list;
    for (const std::string& entry : m_grid.entries(col)) {
        list += entry + "|";
    }
    if (!list.empty()) {
        list.pop_back();
    }
    grid.setComboList(list);
}

void TemplateGridInput::gridAfterEdit(CellGrid& grid, int row, int col, int endKey) {
    if (col == TemplateEditGrid::Name) {
        grid.setText(row, col, cp932::cutChars(grid.text(row, col), TemplateEditGrid::kNameChars));
    }
    m_grid.edited(row, col);
    if (endKey == gridkey::Enter && grid.row() == row && row < m_grid.csvRowNum()) {
        grid.setCurrentCell(row + 1, col);
        startEdit(grid, true);
    }
}

void TemplateGridInput::gridCurrentCellChanged(CellGrid& /*grid*/, int /*oldRow*/, int /*oldCol*/,
                                               int newRow, int /*newCol*/) {
    if (m_detailSwitch) {
        m_detailSwitch(m_grid.detailEnabled(newRow));
    }
}
