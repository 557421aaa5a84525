#include "workbench/GridEvents.h"

#include "workbench/Workbench.h"

void GridEvents::gridBeforeMouseDown(CellGrid& grid, int button, int /*shift*/, int /*xTwips*/,
                                     int /*yTwips*/, bool& /*cancel*/) {
    if (button != gridbutton::Right) {
        return;
    }
    if (&grid == &m_workbench.renameGrid()) {
        m_workbench.listContextMenu();
    } else if (&grid == &m_workbench.imageGrid()) {
        m_workbench.imageContextMenu();
    }
}
