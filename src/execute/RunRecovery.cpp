#include "execute/RunRecovery.h"

#include "base/FileSystem.h"
#include "execute/JournalCheck.h"
#include "execute/JournaledFileChanges.h"
#include "execute/RunJournal.h"
#include "execute/RunLock.h"
#include "execute/RunLog.h"
#include "execute/TemporaryFiles.h"

namespace runrecovery {

Account account(const RunLog& log) {
    Account a;
    for (const RunLog::Row& row : log.rows) {
        ++(log.rowDone(row.rowKey) ? a.doneRows : a.otherRows);
    }
    return a;
}

void removeLeftovers(FileChanges& changes, const RunLog& log) {
    std::vector<std::string> folders{log.storageFolder, log.imageFolder};
    if (log.secondCopy) {
        folders.push_back(files::parentFolder(*log.secondCopy));
    }
    for (const std::string& folder : folders) {
        temporaries::removeLeftovers(changes, folder);
    }
}

bool finish(FileChanges& changes, const RunLog& log) {
    const RunLock lock(files::parentFolder(files::parentFolder(files::absolute(log.path))));
    if (!lock.held() || journalcheck::check(log)) {
        return false;
    }
    RunJournal journal = RunJournal::resume(changes, log.path);
    JournaledFileChanges journaled(changes, journal);
    for (const RunLog::Row& row : log.rows) {
        if (row.sources.size() < 2 || !log.rowDone(row.rowKey)) {
            continue;
        }
        for (const std::string& source : row.sources) {
            if (files::exists(source)) {
                journaled.keep(source);
            }
        }
    }
    removeLeftovers(changes, log);
    return journal.add({"finished"});
}

} // namespace runrecovery
