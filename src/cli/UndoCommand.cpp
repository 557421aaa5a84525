#include "cli/UndoCommand.h"

#include "cli/CliSession.h"
#include "execute/PosixFileChanges.h"
#include "execute/RunJournals.h"
#include "execute/RunLog.h"
#include "execute/RunUndo.h"

#include <sstream>

int runUndoCommand(CliSession& session) {
    const auto& args = session.options().command;
    bool dryRun = false;
    std::optional<std::string> journalPath;
    for (std::size_t i = 1; i < args.size(); ++i) {
        if (args[i] == "--dry-run") {
            dryRun = true;
        } else if (!journalPath && !args[i].starts_with("--")) {
            journalPath = CliSession::in(args[i]);
        } else {
            return session.usageError("undo takes [--dry-run] [JOURNAL]");
        }
    }
    std::optional<RunLog> log;
    if (journalPath) {
        log = RunLog::read(*journalPath);
    } else if (const auto dataFolder = session.dataFolder()) {
        log = runjournals::undoable(runjournals::folderOf(*dataFolder));
    } else {
        return session.fail();
    }
    if (!log) {
        session.prompter().tell(Msg::UndoNothing);
        return session.fail();
    }
    PosixFileChanges changes;
    const RunUndo::Report report = RunUndo(changes, session.prompter()).undo(*log, dryRun);
    Json restored = Json::array();
    Json removed = Json::array();
    std::ostringstream text;
    text << "journal: " << CliSession::out(log->path) << "\n";
    for (const RunUndo::Action& action : report.preview.actions) {
        if (action.remove) {
            removed.push_back(CliSession::out(action.from));
            text << "remove  " << CliSession::out(action.from) << "\n";
        } else {
            restored.push_back(
                Json{{"from", CliSession::out(action.from)}, {"to", CliSession::out(action.to)}});
            text << "restore " << CliSession::out(action.from) << " -> "
                 << CliSession::out(action.to) << "\n";
        }
    }
    Json left = Json::array();
    for (const std::string& path : report.preview.left) {
        left.push_back(CliSession::out(path));
        text << "left    " << CliSession::out(path) << "\n";
    }
    if (report.listRows) {
        text << "list rows: " << CliSession::out(*report.listRows) << "\n";
    }
    Json doc{{"journal", CliSession::out(log->path)},
             {"restored", restored},
             {"removed", removed},
             {"left", left},
             {"listRows", report.listRows ? Json(CliSession::out(*report.listRows)) : Json()}};
    return session.finish(doc, text.str(), report.ok ? CliSession::Done : CliSession::Failed);
}
