#include "workbench/EnvironmentCommand.h"

#include "app/SettingsStore.h"
#include "base/MainView.h"
#include "workbench/DialogHost.h"
#include "workbench/EnvironmentForm.h"
#include "workbench/ImageListCommands.h"
#include "workbench/MagAreaCommands.h"
#include "workbench/Workbench.h"
#include "workbench/WorkbenchState.h"

void EnvironmentCommand::run() {
    EnvironmentForm form(m_p.settings, m_p.prompter, m_p.state.imageFolderLoaded);
    std::atomic<bool>& modal = m_p.workbench.launcher().modal();
    modal = true;
    m_p.dialogs.runEnvironmentDialog(form);
    modal = false;
    if (form.confirmed()) {
        applyConfirmed();
    }
    if (form.reloadAnnounced() && m_p.state.imageFolderLoaded) {
        if (m_p.magAreas.areas().designating()) {
            m_p.magAreas.setDesignation(false);
        }
        m_p.images.reload();
    }
    m_p.workbench.refreshControlStates();
}

void EnvironmentCommand::applyConfirmed() {
    m_p.settings.loadMagnifiedAreas(false);
    m_p.magAreas.areaCountChanged();
    m_p.view.setDefaultButton(m_p.workbench.defaultButton());
    m_p.workbench.imageSettingsChanged();
}
