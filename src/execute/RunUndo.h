#pragma once

#include "base/Messages.h"

#include <optional>
#include <string>
#include <vector>

class FileChanges;
class Prompter;
class RunJournal;
struct RunLog;

// Undo of a whole run from its journal, finished or not: every file the run wrote goes into the
// undo's own keep folder (nothing is unlinked, so an undo can be taken back by hand), every file
// it moved or kept returns under its old name, in the reverse order of the run. What happened is
// read from the journal and, for steps whose confirmation is missing (a run that was cut off),
// from the disk; a written file whose confirmation is missing is left where it is. The journal
// is outside input: it must pass journalcheck, and the undo holds the data folder's RunLock.
// Before anything changes the whole undo is checked: a file the run wrote that is no longer that
// file (inode, size, modification or change time differ from the journal) or is gone, or an old
// name that is taken, refuses the undo and nothing is touched.
class RunUndo {
public:
    struct Action {
        bool remove = false; // remove from; otherwise move from back to to
        std::string from;
        std::string to;
    };
    struct Preview {
        std::vector<Action> actions;   // in the order they are carried out
        std::vector<std::string> left; // written without confirmation: stays where it is
        std::optional<std::pair<Msg, std::string>> refusal;
    };
    struct Report {
        Preview preview;
        std::optional<std::string> listRows; // the CSV of the rows the run removed from the list
        bool ok = false;
    };

    static Preview preview(const RunLog& log);

    RunUndo(FileChanges& changes, Prompter& prompter) : m_changes(changes), m_prompter(prompter) {}

    // Checks, tells a refusal, and unless dryRun carries the undo out: the actions, the removed
    // rows written beside the journal, the journal marked undone, the run's leftover temporary
    // files removed. A run already undone is refused.
    Report undo(const RunLog& log, bool dryRun);

    // The rows a run removed from the rename list as the list load button reads them: each value
    // in its column's source field.
    static std::string rowsCsv(const RunLog& log);

private:
    bool carryOut(const RunLog& log, const Preview& preview);
    // Moves path into the undo's keep folder, recorded in the journal.
    bool takeAway(RunJournal& journal, const std::string& path);

    FileChanges& m_changes;
    Prompter& m_prompter;
};
