#include "cli/HeadlessWindow.h"

#include "base/RegistryStore.h"
#include "workbench/EnvironmentForm.h"

HeadlessWindow::HeadlessWindow(const std::string& dataFolder, Prompter& prompter)
    : m_dataFolder(dataFolder), m_context{AppPaths(RegistryStore(RegistryStore::defaultPath())),
                                          {},
                                          {},
                                          {},
                                          0} {
    m_context.paths.setDataFolder(dataFolder);
    m_workbench = std::make_unique<Workbench>(
        m_context, Workbench::Seams{m_view, *this, prompter, *this, *this, *this, *this});
    m_workbench->setPreviewsMade(false);
    m_workbench->open();
}

void HeadlessWindow::setListItems(int id, const std::vector<std::string>&, int index) {
    m_index[id] = index;
}

int HeadlessWindow::listIndex(int id) const {
    const auto it = m_index.find(id);
    return it == m_index.end() ? -1 : it->second;
}

void HeadlessWindow::runEnvironmentDialog(EnvironmentForm& form) {
    form.cancel();
}
