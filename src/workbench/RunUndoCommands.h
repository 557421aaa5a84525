#pragma once

#include <functional>
#include <string>

class AssignmentQueries;
class FileChanges;
class Prompter;
class RenameList;
struct RunLog;
struct Settings;
struct WorkbenchState;

// The main window's face of the run journals: "元に戻す(直前の実行)" in the "ﾂｰﾙ" menu, and at
// start-up the account of a run that was cut off, which the operator undoes or settles. After an
// undo the rows the run took from the rename list go back into it; after settling, the operator
// learns what was finished and may have the missing export file written for it.
class RunUndoCommands {
public:
    struct Parts {
        Prompter& prompter;
        FileChanges& changes;
        std::string journals;
        // The image folder is listed again after files moved back into it.
        std::function<void()> relist;
        // The rename list with its assignments, the template and settings in force, and the
        // window's state (which list file and work data are open).
        RenameList& list;
        AssignmentQueries& assignments;
        const WorkbenchState& state;
        const Settings& settings;
        // The rename list changed: rows were given back.
        std::function<void()> listChanged;
    };

    explicit RunUndoCommands(Parts parts) : m_p(std::move(parts)) {}

    // Whether there is a run to undo, as last looked up (at start-up, after a run, after undo).
    bool available() const { return m_available; }
    void lookUp();
    // The menu item: asks, then undoes the newest run.
    void undoLast();
    // At start-up: a run that was cut off is told with what was and was not done; Yes undoes
    // it, No settles what was done, Cancel leaves it for later.
    void recoverAtStart();
    // A run of this window took its rows from the list now open.
    void ranOnOpenList(const std::string& journal);

private:
    void undo(const RunLog& log);
    void giveRowsBack(const RunLog& log, const std::string& rowsFile, Prompter& prompter);
    void settle(const RunLog& log);
    bool openListIsRuns(const RunLog& log) const;

    Parts m_p;
    bool m_available = false;
    // The run last made on the open list, and which list and work data were open then.
    std::string m_runJournal;
    std::string m_runListFile;
    std::string m_runWorkData;
};
