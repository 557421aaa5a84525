#pragma once

#include "base/CellGridObserver.h"

#include <functional>

class TemplateEditGrid;

// Turns clicks and keys on the template dialog's column grid into its rules: marks toggle, other
// cells open their editor (with the column's drop-down), Space and F2 start editing, Enter moves
// the edit down one row, and every change of the current cell reports whether "詳細設定..."
// applies.
class TemplateGridInput : public CellGridObserver {
public:
    using DetailSwitch = std::function<void(bool enabled)>;

    TemplateGridInput(TemplateEditGrid& grid, DetailSwitch detailSwitch);

    void gridClick(CellGrid& grid) override;
    void gridKeyDown(CellGrid& grid, int& keyCode, int shift) override;
    void gridStartEdit(CellGrid& grid, int row, int col, bool& cancel) override;
    void gridAfterEdit(CellGrid& grid, int row, int col, int endKey) override;
    void gridCurrentCellChanged(CellGrid& grid, int oldRow, int oldCol, int newRow,
                                int newCol) override;

private:
    void startEdit(CellGrid& grid, bool byKey);

    TemplateEditGrid& m_grid;
    DetailSwitch m_detailSwitch;
};
