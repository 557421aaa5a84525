#include "execute/RunLog.h"

#include "base/FileSystem.h"
#include "execute/JournalLine.h"

#include <algorithm>
#include <cstdlib>

namespace {

std::optional<FileStamp> stampOf(const std::vector<std::string>& f, std::size_t at) {
    if (f.size() < at + 2 || f[at].empty() || f[at + 1].empty()) {
        return std::nullopt;
    }
    return FileStamp{std::atoll(f[at].c_str()), std::atoll(f[at + 1].c_str())};
}

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

void readLine(RunLog& log, const std::vector<std::string>& f) {
    using Kind = RunLog::StepKind;
    const std::string& key = f[0];
    const auto at = [&](std::size_t i) { return i < f.size() ? f[i] : std::string(); };
    if (key == "run") {
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
    while (start < text->size()) {
        std::size_t end = text->find('\n', start);
        // A last line without its line end was cut off while it was written: it never counted.
        if (end == std::string::npos) {
            break;
        }
        readLine(log, journalline::split(std::string_view(*text).substr(start, end - start)));
        start = end + 1;
    }
    return log;
}
