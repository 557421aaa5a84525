#include "execute/RunLog.h"

#include "base/FileSystem.h"
#include "execute/JournalLine.h"

#include <algorithm>
#include <cstdlib>

namespace {

// Size, modification time, inode and change time from field at on; nothing unless all four are
// numbers.
std::optional<FileStamp> stampOf(const std::vector<std::string>& f, std::size_t at) {
    long long values[4] = {};
    for (std::size_t i = 0; i < 4; ++i) {
        const std::string field = at + i < f.size() ? f[at + i] : std::string();
        char* end = nullptr;
        values[i] = std::strtoll(field.c_str(), &end, 10);
        if (field.empty() || *end != '\0') {
            return std::nullopt;
        }
    }
    return FileStamp{values[0], values[1], values[2], values[3]};
}

std::optional<FolderIdentity> identityOf(const std::string& device, const std::string& inode) {
    char* deviceEnd = nullptr;
    char* inodeEnd = nullptr;
    const unsigned long long d = std::strtoull(device.c_str(), &deviceEnd, 10);
    const unsigned long long i = std::strtoull(inode.c_str(), &inodeEnd, 10);
    if (device.empty() || inode.empty() || *deviceEnd != '\0' || *inodeEnd != '\0') {
        return std::nullopt;
    }
    return FolderIdentity{d, i};
}

// The keys whose fields from 1 on name files or folders, and which of those fields do.
struct PathFields {
    const char* key;
    std::size_t first;
    std::size_t last;
};
constexpr PathFields kPathFields[] = {
    {"row", 2, 2},   {"image", 2, 2},   {"export", 1, 1}, {"second", 1, 1},
    {"keep", 1, 2},  {"kept", 1, 2},    {"move", 1, 2},   {"moved", 1, 2},
    {"write", 1, 1}, {"written", 1, 1}, {"take", 1, 2},   {"taken", 1, 2},
};
constexpr const char* kFolderKeys[] = {"images", "storage", "keep-folder", "second-folder"};

// Marks the latest unconfirmed step of kind between from and to as done.
RunLog::Step* pending(RunLog& log, RunLog::StepKind kind, const std::string& from,
                      const std::string& to) {
    for (auto it = log.steps.rbegin(); it != log.steps.rend(); ++it) {
        if (it->kind == kind && !it->done && it->from == from && it->to == to) {
            return &*it;
        }
    }
    return nullptr;
}

void notePaths(RunLog& log, int line, const std::vector<std::string>& f) {
    const auto at = [&](std::size_t i) { return i < f.size() ? f[i] : std::string(); };
    for (const char* key : kFolderKeys) {
        if (f[0] == key) {
            log.folders.push_back({line, at(1)});
        }
    }
    for (const PathFields& p : kPathFields) {
        if (f[0] == p.key) {
            for (std::size_t i = p.first; i <= p.last; ++i) {
                log.paths.push_back({line, at(i)});
            }
        }
    }
}

void readLine(RunLog& log, int line, const std::vector<std::string>& f) {
    using Kind = RunLog::StepKind;
    const std::string& key = f[0];
    const auto at = [&](std::size_t i) { return i < f.size() ? f[i] : std::string(); };
    notePaths(log, line, f);
    if (key == "nomira-run") {
        log.version = std::atoi(at(1).c_str());
    } else if (key == "data") {
        log.dataFolder = identityOf(at(1), at(2));
    } else if (key == "keep-folder") {
        log.keepFolder = at(1);
    } else if (key == "second-folder") {
        log.secondFolder = at(1);
    } else if (key == "taken") {
        log.taken.emplace_back(at(1), at(2));
    } else if (key == "run") {
        log.runId = at(1);
    } else if (key == "started") {
        log.started = at(1);
    } else if (key == "images") {
        log.imageFolder = at(1);
    } else if (key == "storage") {
        log.storageFolder = at(1);
    } else if (key == "column") {
        log.columns.push_back({std::atoi(at(1).c_str()), std::atoi(at(2).c_str())});
    } else if (key == "row") {
        log.rows.push_back(
            {at(1),
             at(2),
             std::vector<std::string>(f.begin() + std::min<std::size_t>(3, f.size()), f.end()),
             {}});
    } else if (key == "image" && !log.rows.empty()) {
        log.rows.back().sources.push_back(at(2));
    } else if (key == "export") {
        log.exportFile = at(1);
    } else if (key == "second") {
        log.secondCopy = at(1);
    } else if (key == "planned") {
        log.planned = true;
    } else if (key == "keep") {
        log.steps.push_back({Kind::Keep, at(1), at(2), false, std::nullopt, log.rowOutcomes});
    } else if (key == "move") {
        log.steps.push_back({Kind::Move, at(1), at(2), false, std::nullopt, log.rowOutcomes});
    } else if (key == "write") {
        log.steps.push_back(
            {Kind::Write, std::string(), at(1), false, std::nullopt, log.rowOutcomes});
    } else if (key == "kept" || key == "moved" || key == "written") {
        const Kind kind = key == "kept" ? Kind::Keep : key == "moved" ? Kind::Move : Kind::Write;
        const bool write = kind == Kind::Write;
        if (RunLog::Step* step = pending(log, kind, write ? "" : at(1), write ? at(1) : at(2))) {
            step->done = true;
            step->stamp = stampOf(f, write ? 2 : 3);
        }
    } else if (key == "row-done") {
        log.doneRows.push_back(at(1));
        ++log.rowOutcomes;
    } else if (key == "row-failed") {
        ++log.rowOutcomes;
    } else if (key == "end") {
        log.ended = true;
    } else if (key == "finished") {
        log.finished = true;
    } else if (key == "undone") {
        log.undone = true;
    }
}

} // namespace

bool RunLog::rowDone(const std::string& rowKey) const {
    return std::find(doneRows.begin(), doneRows.end(), rowKey) != doneRows.end();
}

const RunLog::Row* RunLog::row(const std::string& rowKey) const {
    const auto it =
        std::find_if(rows.begin(), rows.end(), [&](const Row& r) { return r.rowKey == rowKey; });
    return it == rows.end() ? nullptr : &*it;
}

std::optional<RunLog> RunLog::read(const std::string& journalPath) {
    const auto text = files::readAll(journalPath);
    if (!text || !text->starts_with("nomira-run\t")) {
        return std::nullopt;
    }
    RunLog log;
    log.path = journalPath;
    std::size_t start = 0;
    int line = 0;
    while (start < text->size()) {
        std::size_t end = text->find('\n', start);
        // A last line without its line end was cut off while it was written: it never counted.
        if (end == std::string::npos) {
            break;
        }
        readLine(log, ++line,
                 journalline::split(std::string_view(*text).substr(start, end - start)));
        start = end + 1;
    }
    return log;
}
