#pragma once

#include "renamelist/RenameList.h"
#include "renamelist/RenameListController.h"
#include "renamelist/RenameListImport.h"
#include "renamelist/RenameListLoader.h"
#include "renamelist/RenameListOwner.h"

#include <optional>
#include <string>

class AssignmentPort;
class CellGrid;
class DialogHost;
class MainView;
class Prompter;
class Workbench;
struct Settings;
struct WorkbenchState;

// The rename list in the main window: the list on the rename-list grid with the grid's events
// (editing, keys, the context menu, header sort), the load button and the start-up load, and the
// row commands of the context menu. It answers the rename list's hooks for the window.
class RenameListCommands : private RenameListOwner {
public:
    struct Parts {
        Workbench& workbench;
        WorkbenchState& state;
        Settings& settings;
        CellGrid& renameGrid;
        CellGrid& imageGrid;
        MainView& view;
        Prompter& prompter;
        DialogHost& dialogs;
        AssignmentPort& assignments;
    };

    explicit RenameListCommands(Parts parts);
    RenameListCommands(const RenameListCommands&) = delete;
    RenameListCommands& operator=(const RenameListCommands&) = delete;

    RenameList& list() { return m_list; }
    RenameListController& controller() { return m_controller; }

    // "ﾘﾈｰﾑﾘｽﾄ読込み..." (no path: the operator chooses the file) and the start-up request (the
    // named path). Needs a current template. True when a list was read.
    bool load(const std::optional<std::string>& path);
    // The list copy of a work data file, read in work data mode (field k feeds column k, no
    // sort); its name becomes the list file name. True when it could be read.
    bool loadCopy(const std::string& path);
    // "行の挿入" and "行の削除" of the context menu, at the current list row.
    void insertRow();
    void deleteRow();

private:
    // RenameListOwner
    void listStateChanged() override;
    void listModified() override;
    void listAssignUnavailable() override;
    EnterAssign listAssignByEnter(int row) override;
    void listEnterKey() override;
    void listContextMenu(int xTwips, int yTwips, bool itemsEnabled) override;

    Parts m_p;
    RenameList m_list;
    RenameListLoader m_loader;
    RenameListImport m_import;
    RenameListController m_controller;
};
