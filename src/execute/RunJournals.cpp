#include "execute/RunJournals.h"

#include "base/FileSystem.h"
#include "execute/FileChanges.h"
#include "execute/JournalCheck.h"
#include "execute/RunJournal.h"

#include <filesystem>

namespace runjournals {

std::string folderOf(const std::string& dataFolder) {
    return files::join(dataFolder, "journal");
}

std::vector<std::string> list(const std::string& journals) {
    std::vector<std::string> paths;
    for (const std::string& name : files::listFolder(journals, false)) {
        const std::string path = files::join(files::join(journals, name), RunJournal::kFileName);
        if (files::isRegularFile(path)) {
            paths.push_back(path);
        }
    }
    return paths;
}

namespace {

void removeKeptBeside(FileChanges& changes, const RunLog& log) {
    std::vector<std::string> kept;
    for (const RunLog::Step& step : log.steps) {
        if (step.kind == RunLog::StepKind::Keep) {
            kept.push_back(step.to);
        }
    }
    for (const auto& [path, where] : log.taken) {
        kept.push_back(where);
    }
    for (const std::string& path : kept) {
        const std::string folder = files::parentFolder(path);
        if (files::fileName(folder).starts_with(RunJournal::kKeepBeside)) {
            if (files::exists(path)) {
                changes.remove(path);
            }
            std::error_code error;
            std::filesystem::remove(files::native(folder), error);
        }
    }
}

std::optional<RunLog> newest(const std::string& journals) {
    const auto paths = list(journals);
    return paths.empty() ? std::nullopt : RunLog::read(paths.back());
}

} // namespace

std::optional<RunLog> undoable(const std::string& journals) {
    auto log = newest(journals);
    return log && !log->undone ? log : std::nullopt;
}

std::optional<RunLog> unfinished(const std::string& journals) {
    auto log = newest(journals);
    return log && !log->settled() && !log->undone ? log : std::nullopt;
}

int prune(FileChanges& changes, const std::string& journals, int keep) {
    const auto paths = list(journals);
    int left = 0;
    int removed = 0;
    for (auto it = paths.rbegin(); it != paths.rend(); ++it) {
        const auto log = RunLog::read(*it);
        if (log && !log->settled() && !log->undone) {
            continue;
        }
        if (++left <= keep) {
            continue;
        }
        // Kept files beside their originals (another file system) first, then the run's folder.
        // Outside the journals folder only what a sound journal of this data folder names.
        if (log && !journalcheck::check(*log)) {
            removeKeptBeside(changes, *log);
        }
        std::error_code error;
        std::filesystem::remove_all(files::native(files::parentFolder(*it)), error);
        removed += error ? 0 : 1;
    }
    return removed;
}

} // namespace runjournals
