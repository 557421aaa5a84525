#include "workbench/RunUndoCommands.h"

#include "base/HeldPrompter.h"
#include "base/Prompter.h"
#include "execute/ReturnedRows.h"
#include "execute/RunJournals.h"
#include "execute/RunRecovery.h"
#include "execute/RunUndo.h"
#include "execute/SettledExport.h"
#include "workbench/WorkbenchState.h"

void RunUndoCommands::lookUp() {
    m_available = runjournals::undoable(m_p.journals).has_value();
}

void RunUndoCommands::undoLast() {
    const auto log = runjournals::undoable(m_p.journals);
    if (!log) {
        m_p.prompter.tell(Msg::UndoNothing);
    } else if (m_p.prompter.tell(Msg::UndoQuestion, {log->started}) == Answer::Yes) {
        undo(*log);
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
            undo(*log);
        } else if (answer == Answer::No && runrecovery::finish(m_p.changes, *log)) {
            settle(*log);
        }
    }
    lookUp();
}

void RunUndoCommands::ranOnOpenList(const std::string& journal) {
    m_runJournal = journal;
    m_runListFile = m_p.state.renameListFile;
    m_runWorkData = m_p.state.workDataName;
}

void RunUndoCommands::undo(const RunLog& log) {
    // The result box comes once the window shows what the undo did: the scans listed again and
    // the rows back in the run's own list. A question about another list shows it first.
    HeldPrompter held(m_p.prompter);
    const RunUndo::Report report = RunUndo(m_p.changes, held).undo(log, false);
    if (!report.ok) {
        return;
    }
    m_p.relist();
    if (report.listRows) {
        giveRowsBack(log, *report.listRows, held);
    }
}

bool RunUndoCommands::openListIsRuns(const RunLog& log) const {
    return log.path == m_runJournal && m_p.state.renameListFile == m_runListFile &&
           m_p.state.workDataName == m_runWorkData;
}

// The rows go back where they were when the open list is the one the run took them from, or
// when the list is empty; into another list only when the operator says so, after its rows. A
// list that holds them already (loaded again) is left as it is.
void RunUndoCommands::giveRowsBack(const RunLog& log, const std::string& rowsFile,
                                   Prompter& prompter) {
    using returnedrows::Fit;
    using returnedrows::Place;
    const Fit fit = returnedrows::fitOf(m_p.list, m_p.assignments, log);
    if (fit == Fit::OtherTemplate || fit == Fit::NoRoom) {
        prompter.tell(Msg::UndoRowsNotReturned, {rowsFile});
    }
    if (fit != Fit::Fits) {
        return;
    }
    int returned = 0;
    if (openListIsRuns(log) || returnedrows::listEmpty(m_p.list)) {
        returned = returnedrows::putBack(m_p.list, m_p.assignments, log, Place::AtTheirRows);
    } else if (prompter.tell(Msg::UndoRowsQuestion, {std::to_string(log.doneRows.size())}) ==
               Answer::Yes) {
        returned = returnedrows::putBack(m_p.list, m_p.assignments, log, Place::AtTheEnd);
    }
    if (returned > 0) {
        m_p.listChanged();
    }
}

void RunUndoCommands::settle(const RunLog& log) {
    const auto account = runrecovery::account(log);
    const std::string done = std::to_string(account.doneRows);
    const std::string other = std::to_string(account.otherRows);
    if (settledexport::of(log) != settledexport::State::Missing || account.doneRows == 0) {
        m_p.prompter.tell(Msg::RecoveryFinished, {log.started, done, other});
        return;
    }
    const std::string& exportFile = *log.exportFile;
    if (!settledexport::writable(log, m_p.state.currentTemplate, m_p.settings)) {
        m_p.prompter.tell(Msg::RecoveryExportNotWritable, {log.started, done, other, exportFile});
    } else if (m_p.prompter.tell(Msg::RecoveryExportQuestion,
                                 {log.started, done, other, exportFile}) == Answer::Yes &&
               settledexport::write(m_p.changes, m_p.prompter, log, m_p.state.currentTemplate,
                                    m_p.settings)) {
        m_p.prompter.tell(Msg::SettledExportWritten, {exportFile});
    }
}
