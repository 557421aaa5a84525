#pragma once

#include "base/CellGridObserver.h"

class Workbench;

// The events of the rename-list and image-list grids, delivered to the main window's logic.
class GridEvents : public CellGridObserver {
public:
    explicit GridEvents(Workbench& workbench) : m_workbench(workbench) {}

    void gridBeforeMouseDown(CellGrid& grid, int button, int shift, int xTwips, int yTwips,
                             bool& cancel) override;

private:
    Workbench& m_workbench;
};
