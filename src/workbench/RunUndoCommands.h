#pragma once

#include <functional>
#include <string>

class FileChanges;
class Prompter;

// The main window's face of the run journals: "元に戻す(直前の実行)" in the "ﾂｰﾙ" menu, and at
// start-up the account of a run that was cut off, which the operator undoes or settles.
class RunUndoCommands {
public:
    struct Parts {
        Prompter& prompter;
        FileChanges& changes;
        std::string journals;
        // The image folder is listed again after files moved back into it.
        std::function<void()> relist;
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

private:
    Parts m_p;
    bool m_available = false;
};
