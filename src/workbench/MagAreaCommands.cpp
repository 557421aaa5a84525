#include "workbench/MagAreaCommands.h"

#include "app/SettingsStore.h"
#include "base/MainView.h"
#include "workbench/Cmd.h"
#include "workbench/Ctl.h"
#include "workbench/DialogHost.h"
#include "workbench/MagAreaView.h"
#include "workbench/PreviewPane.h"
#include "workbench/Workbench.h"
#include "workbench/WorkbenchState.h"

MagAreaCommands::MagAreaCommands(Parts parts)
    : m_p(parts), m_areas(parts.settings.settings(), parts.areaView) {
}

void MagAreaCommands::load() {
    m_areas.load();
}

void MagAreaCommands::areaCountChanged() {
    if (m_areas.designating()) {
        setDesignation(false);
    }
    const int count = MagAreaGeometry::areaCount(m_p.settings.settings().expanPreview);
    m_areas.setAreaCount(count);
    m_p.dialogs.layoutMagnifiedViews(count);
    m_areas.resized(displaySize(), windowScale());
}

int MagAreaCommands::windowScale() const {
    return MagAreaGeometry::windowScale(displaySize(), m_initial);
}

DisplaySize MagAreaCommands::displaySize() const {
    const PreviewMetrics& m = m_p.pane.metrics();
    return {m.displayedWidth, m.displayedHeight};
}

void MagAreaCommands::toggleDesignation() {
    setDesignation(!m_areas.designating());
}

void MagAreaCommands::setDesignation(bool on) {
    m_areas.setDesignation(on);
    m_p.state.areaDesignation = m_areas.designating();
    m_p.state.areaCurrent = areaCurrent();
    m_p.view.setControlChecked(id(Ctl::DesignateArea), m_areas.designating());
    if (!m_areas.designating()) {
        m_p.settings.saveMagnifiedAreas();
    }
    m_p.workbench.refreshControlStates();
}

void MagAreaCommands::chooseOrigin(int origin) {
    m_areas.chooseOrigin(origin);
}

void MagAreaCommands::mouseDown(bool left, int x, int y) {
    switch (m_areas.mouseDown(left, x, y)) {
    case MagAreaDesignation::Press::Menu: {
        const int checked = id(Cmd::OriginTopLeft) + m_areas.area(m_areas.current()).origin;
        std::vector<DialogHost::MenuItem> items;
        for (Cmd c : {Cmd::OriginTopLeft, Cmd::OriginTopRight, Cmd::OriginBottomLeft,
                      Cmd::OriginBottomRight, Cmd::OriginFree}) {
            items.push_back({id(c), true, id(c) == checked});
        }
        const int chosen = m_p.dialogs.popupMenu(MenuId::Origin, items);
        if (chosen != 0) {
            chooseOrigin(chosen - id(Cmd::OriginTopLeft));
        }
        break;
    }
    case MagAreaDesignation::Press::Selected:
        m_p.state.areaCurrent = areaCurrent();
        break;
    case MagAreaDesignation::Press::Ended:
        setDesignation(false);
        break;
    case MagAreaDesignation::Press::Ignored:
        break;
    }
}

void MagAreaCommands::beforePageChange() {
    m_areas.saveForPage();
}

void MagAreaCommands::assignmentStarted() {
    m_p.view.enableControl(id(Ctl::DesignateArea), false);
}

void MagAreaCommands::assignmentDone() {
    m_p.view.enableControl(id(Ctl::DesignateArea), m_areas.pageShown());
    m_areas.resized(displaySize(), windowScale());
}

void MagAreaCommands::clearMagnifiedViews() {
    m_p.areaView.clearViews();
}

void MagAreaCommands::pageShown() {
    m_areas.pageShown(m_p.pane.paperSizeText(), displaySize(), windowScale());
}

void MagAreaCommands::paneResized() {
    m_areas.resized(displaySize(), windowScale());
}

void MagAreaCommands::paneCleared() {
    if (m_areas.designating()) {
        setDesignation(false);
    }
    m_areas.pageCleared();
}
