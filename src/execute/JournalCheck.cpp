#include "execute/JournalCheck.h"

#include "base/FileSystem.h"
#include "execute/JournalPaths.h"
#include "execute/RunJournal.h"
#include "execute/RunLog.h"

namespace journalcheck {

std::string dataFolderOf(const std::string& journalPath) {
    return files::parentFolder(
        files::parentFolder(files::parentFolder(files::absolute(journalPath))));
}

bool belongsHere(const RunLog& log) {
    return log.dataFolder && FolderIdentity::of(dataFolderOf(log.path)) == log.dataFolder;
}

std::optional<Refusal> check(const RunLog& log) {
    if (log.version != RunJournal::kVersion) {
        return Refusal{Msg::UndoOldJournal, log.path};
    }
    if (!belongsHere(log)) {
        return Refusal{Msg::UndoOtherDataFolder, log.path};
    }
    const auto lineOf = [&](const RunLog::Named& named) {
        return Refusal{Msg::UndoOutsidePath, log.path + ":" + std::to_string(named.line)};
    };
    std::vector<std::string> folders;
    for (const RunLog::Named& folder : log.folders) {
        const auto plain = journalpaths::plain(folder.path);
        if (!plain) {
            return lineOf(folder);
        }
        folders.push_back(*plain);
    }
    if (log.keepFolder && journalpaths::plain(*log.keepFolder)) {
        // The undo keeps what it takes away beside the run's keep folder.
        folders.push_back(files::join(files::parentFolder(*journalpaths::plain(*log.keepFolder)),
                                      RunJournal::kUndoKeepFolder));
    }
    for (const RunLog::Named& named : log.paths) {
        if (!journalpaths::inside(named.path, folders, log.runId)) {
            return lineOf(named);
        }
    }
    return std::nullopt;
}

} // namespace journalcheck
