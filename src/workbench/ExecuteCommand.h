#pragma once

#include "execute/RenamePlan.h"
#include "execute/RenameRun.h"

#include <functional>
#include <optional>
#include <vector>

class CellGrid;
class ExecuteDialogs;
class FileChanges;
class MainView;
class ProgramLauncher;
class Prompter;
class RenameList;
struct Settings;
struct WorkbenchState;

// "実行" in the main window: the plan of the assignments, its checks (in the agent export type the
// registration agent's first), the run, and afterwards the lists as the run left them: every
// assignment released, the rows done removed from the rename list, the image folder listed again,
// the agent's programs run in the agent type, and both result messages.
class ExecuteCommand {
public:
    struct Parts {
        WorkbenchState& state;
        const Settings& settings;
        RenameList& renameList;
        const CellGrid& imageGrid;
        MainView& view;
        Prompter& prompter;
        ExecuteDialogs& dialogs;
        FileChanges& changes;
        ProgramLauncher& launcher;
        // The assignment records in list order; releasing them all; listing the image folder.
        std::function<std::vector<RenamePlan::Record>()> records;
        std::function<void()> releaseAll;
        std::function<void()> relist;
        std::string journals; // where the runs keep their journals
    };

    explicit ExecuteCommand(Parts parts) : m_p(std::move(parts)) {}

    // The plan as the run would carry it out, and whether every check passed and every question
    // was answered so that the run would go on. Touches no file.
    struct Planned {
        RenamePlan plan;
        bool ok = false;
    };
    Planned plan();
    // The button "実行". nullopt when a check stopped the run (nothing changed then).
    std::optional<RenameRun::Outcome> execute();

private:
    bool isAgentType() const;

    Parts m_p;
};
