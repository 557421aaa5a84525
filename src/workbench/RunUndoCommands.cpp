#include "workbench/RunUndoCommands.h"

#include "base/Prompter.h"
#include "execute/RunJournals.h"
#include "execute/RunRecovery.h"
#include "execute/RunUndo.h"

void RunUndoCommands::lookUp() {
    m_available = runjournals::undoable(m_p.journals).has_value();
}

void RunUndoCommands::undoLast() {
    const auto log = runjournals::undoable(m_p.journals);
    if (!log) {
        m_p.prompter.tell(Msg::UndoNothing);
    } else if (m_p.prompter.tell(Msg::UndoQuestion, {log->started}) == Answer::Yes &&
               RunUndo(m_p.changes, m_p.prompter).undo(*log, false).ok) {
        m_p.relist();
    }
    lookUp();
}

void RunUndoCommands::recoverAtStart() {
    if (const auto log = runjournals::unfinished(m_p.journals)) {
        const auto account = runrecovery::account(*log);
        const Answer answer = m_p.prompter.tell(
            Msg::RecoveryQuestion,
            {log->started, std::to_string(account.doneRows), std::to_string(account.otherRows)});
        if (answer == Answer::Yes) {
            RunUndo(m_p.changes, m_p.prompter).undo(*log, false);
        } else if (answer == Answer::No && runrecovery::finish(m_p.changes, *log)) {
            m_p.prompter.tell(Msg::RecoveryFinished, {log->started});
        }
    }
    lookUp();
}
