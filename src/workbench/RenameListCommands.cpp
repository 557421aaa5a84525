#include "workbench/RenameListCommands.h"

#include "app/Settings.h"
#include "base/CellGrid.h"
#include "base/FileSystem.h"
#include "base/MainView.h"
#include "renamelist/ShortenForDisplay.h"
#include "workbench/AssignmentCommands.h"
#include "workbench/Cmd.h"
#include "workbench/Ctl.h"
#include "workbench/DialogHost.h"
#include "workbench/ImageListCommands.h"
#include "workbench/Workbench.h"
#include "workbench/WorkbenchState.h"

#include <ctime>

namespace {

// Today in local time: the initial date of empty date cells.
Date localToday() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return Date{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
}

} // namespace

RenameListCommands::RenameListCommands(Parts parts)
    : m_p(parts), m_list(parts.renameGrid),
      m_loader(m_list, parts.assignments, parts.view, parts.prompter, parts.settings, localToday),
      m_import(parts.prompter, m_loader, parts.assignments),
      m_controller(m_list, parts.assignments, parts.prompter, parts.settings, *this) {
    m_list.setImageGrid(&parts.imageGrid);
    parts.renameGrid.setObserver(&m_controller);
}

bool RenameListCommands::load(const std::optional<std::string>& path) {
    WorkbenchState& s = m_p.state;
    if (!s.templateLoaded) {
        return false;
    }
    const bool enterAssigns = m_p.settings.enterKeyAssign == 1;
    const RenameListImport::Choice choice = m_import.choose(m_p.settings.csvPath, path);
    if (choice.outcome == RenameListImport::Choice::Cancelled) {
        return false;
    }
    if (choice.outcome == RenameListImport::Choice::Missing) {
        if (enterAssigns) {
            m_p.view.focusControl(id(Ctl::RenameGrid));
        }
        return false;
    }
    const RenameListImport::Imported imported = m_import.load(choice.path);
    m_p.settings.csvPath = imported.folder;
    s.renameListFile = imported.fileName;
    m_p.view.setControlText(id(Ctl::ListFileName), imported.displayName);
    // Every image row is deselected and the first image is shown.
    m_p.workbench.imageList().selectFirst();
    s.renameListLoaded = true;
    s.modified = true;
    m_p.workbench.refreshControlStates();
    if (enterAssigns) {
        m_p.view.focusControl(id(Ctl::RenameGrid));
    }
    return true;
}

bool RenameListCommands::loadCopy(const std::string& path) {
    const bool opened = m_loader.LoadRenameList(path, true);
    m_loader.finish(true);
    WorkbenchState& s = m_p.state;
    s.renameListFile = files::fileName(path);
    s.renameListLoaded = opened;
    m_p.view.setControlText(id(Ctl::ListFileName),
                            ShortenForDisplay(s.renameListFile, RenameListImport::kDisplayWidth));
    return opened;
}

void RenameListCommands::insertRow() {
    m_controller.rows().insertRow();
}

void RenameListCommands::deleteRow() {
    m_controller.rows().deleteRow();
}

void RenameListCommands::listStateChanged() {
    m_p.workbench.refreshControlStates();
}

void RenameListCommands::listModified() {
    m_p.state.modified = true;
    m_p.workbench.refreshControlStates();
}

void RenameListCommands::listAssignUnavailable() {
    m_p.view.enableControl(id(Ctl::Assign), false);
}

RenameListOwner::EnterAssign RenameListCommands::listAssignByEnter(int row) {
    return m_p.workbench.assignmentCommands().assignEditedRow(row);
}

void RenameListCommands::listEnterKey() {
    if (m_p.settings.enterKeyAssign == 1) {
        m_p.workbench.assignmentCommands().assignByEnter();
    }
}

void RenameListCommands::listContextMenu(int, int, bool itemsEnabled) {
    const int chosen =
        m_p.dialogs.popupMenu(MenuId::ListOperations, {{id(Cmd::InsertRow), itemsEnabled},
                                                       {id(Cmd::DeleteRow), itemsEnabled}});
    if (chosen != 0) {
        m_p.workbench.command(chosen);
    }
}
