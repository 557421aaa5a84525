#include "execute/RunJournal.h"

#include "base/FileSystem.h"
#include "execute/FileChanges.h"
#include "execute/FileStamp.h"
#include "execute/FolderIdentity.h"
#include "execute/JournalLine.h"
#include "execute/JournalPaths.h"
#include "execute/RenamePlan.h"
#include "template/Template.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>

namespace {

std::string timeText(const char* format) {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    ::localtime_r(&now, &local);
    char text[32];
    std::strftime(text, sizeof text, format, &local);
    return text;
}

// A run folder of its own: the start time, numbered when runs start in one second. The number
// follows the highest one of that second, even when older runs of it were removed, so that the
// folders sort in the order the runs started.
std::string makeRunFolder(const std::string& journals, std::string& runId) {
    if (!files::isDirectory(journals) && !files::createDirectory(journals)) {
        return {};
    }
    const std::string stamp = timeText("%Y%m%d-%H%M%S");
    int n = 1;
    for (const std::string& name : files::listFolder(journals, false)) {
        if (name == stamp) {
            n = std::max(n, 2);
        } else if (name.starts_with(stamp + "-")) {
            n = std::max(n, std::atoi(name.c_str() + stamp.size() + 1) + 1);
        }
    }
    for (; n < 100; ++n) {
        char suffix[16] = "";
        if (n > 1) {
            std::snprintf(suffix, sizeof suffix, "-%02d", n);
        }
        runId = stamp + suffix;
        const std::string folder = files::join(journals, runId);
        if (!files::exists(folder) && files::createDirectory(folder)) {
            return folder;
        }
    }
    return {};
}

std::string planText(const std::string& folder, const std::string& runId, const RenamePlan& plan,
                     const Template& t, const std::string& secondFolder) {
    using journalline::compose;
    using journalpaths::resolved;
    using journalpaths::resolvedFolder;
    const auto data = FolderIdentity::of(files::parentFolder(files::parentFolder(folder)));
    std::string text = compose({"nomira-run", std::to_string(RunJournal::kVersion)}) +
                       compose({"run", runId}) +
                       compose({"started", timeText("%Y-%m-%d %H:%M:%S")}) +
                       compose({"data", data ? std::to_string(data->device) : "",
                                data ? std::to_string(data->inode) : ""}) +
                       compose({"images", resolvedFolder(plan.imageFolder)}) +
                       compose({"storage", resolvedFolder(plan.storageFolder)}) +
                       compose({"keep-folder", files::join(folder, RunJournal::kKeepFolder)});
    if (!secondFolder.empty()) {
        text += compose({"second-folder", resolvedFolder(secondFolder)});
    }
    for (const ColumnDef& column : t.columns) {
        text +=
            compose({"column", std::to_string(column.sourceField), std::to_string(column.type)});
    }
    for (const RenamePlan::Row& row : plan.rows) {
        std::vector<std::string> fields{"row", row.rowKey, resolved(row.target)};
        fields.insert(fields.end(), row.cells.begin(), row.cells.end());
        text += compose(fields);
        for (const std::string& image : row.images) {
            text += compose({"image", row.rowKey, resolved(plan.sourceOf(image))});
        }
    }
    if (plan.exportFile) {
        text += compose({"export", resolved(*plan.exportFile)});
    }
    if (plan.secondCopy) {
        text += compose({"second", resolved(*plan.secondCopy)});
    }
    return text + compose({"planned"});
}

} // namespace

RunJournal::RunJournal(FileChanges& changes, std::string path, std::string runId)
    : m_changes(changes), m_path(std::move(path)), m_runId(std::move(runId)) {
}

std::unique_ptr<RunJournal> RunJournal::start(FileChanges& changes, const std::string& journals,
                                              const RenamePlan& plan, const Template& t,
                                              const std::string& secondFolder) {
    std::string runId;
    const std::string folder = makeRunFolder(journalpaths::resolvedFolder(journals), runId);
    if (folder.empty()) {
        return nullptr;
    }
    std::unique_ptr<RunJournal> journal(
        new RunJournal(changes, files::join(folder, kFileName), runId));
    if (!changes.append(journal->m_path, planText(folder, runId, plan, t, secondFolder))) {
        files::removeFile(journal->m_path);
        std::error_code error;
        std::filesystem::remove(files::native(folder), error);
        return nullptr;
    }
    return journal;
}

RunJournal RunJournal::resume(FileChanges& changes, const std::string& journalPath) {
    const std::string path = journalpaths::resolved(journalPath);
    return RunJournal(changes, path, files::fileName(files::parentFolder(path)));
}

bool RunJournal::add(const std::vector<std::string>& fields) {
    m_broken = m_broken || !m_changes.append(m_path, journalline::compose(fields));
    return !m_broken;
}

std::string RunJournal::keepPathFor(const std::string& original, std::string_view keepFolder) {
    const std::string runFolder = files::parentFolder(m_path);
    const std::string parent = files::parentFolder(original);
    const std::string folder = FileStamp::sameFileSystem(runFolder, parent)
                                   ? files::join(runFolder, keepFolder)
                                   : files::join(parent, std::string(kKeepBeside) + m_runId);
    if (!files::isDirectory(folder) && !files::createDirectory(folder)) {
        return {};
    }
    for (int n = 1;; ++n) {
        char prefix[16];
        std::snprintf(prefix, sizeof prefix, "%04d-", n);
        const std::string path = files::join(folder, prefix + files::fileName(original));
        if (!files::exists(path)) {
            return path;
        }
    }
}
