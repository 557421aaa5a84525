#include "execute/RunUndo.h"

#include "base/FileSystem.h"
#include "base/Prompter.h"
#include "execute/FileChangeSteps.h"
#include "execute/FileChanges.h"
#include "execute/JournalCheck.h"
#include "execute/ReturnedRows.h"
#include "execute/RunJournal.h"
#include "execute/RunLock.h"
#include "execute/RunLog.h"
#include "execute/RunRecovery.h"
#include "renamelist/ListCopy.h"

#include <algorithm>
#include <filesystem>
#include <map>

namespace {

// The disk as the undo will have left it so far: paths it frees or fills, over the real state.
class Overlay {
public:
    bool exists(const std::string& path) const {
        const auto it = m_present.find(path);
        return it != m_present.end() ? it->second : files::exists(path);
    }
    void moved(const std::string& from, const std::string& to) {
        m_present[from] = false;
        m_present[to] = true;
    }
    void removed(const std::string& path) { m_present[path] = false; }

private:
    std::map<std::string, bool> m_present;
};

// A file the run confirmed is still that very file: inode, size, modification and change time.
bool unchanged(const RunLog::Step& step) {
    return step.kind == RunLog::StepKind::Keep || !step.done ||
           (step.stamp && FileStamp::of(step.to) == step.stamp);
}

bool takenAway(const RunLog& log, const std::string& path) {
    return std::any_of(log.taken.begin(), log.taken.end(),
                       [&](const auto& taken) { return taken.first == path; });
}

bool sameContent(const std::string& a, const std::string& b) {
    const auto stampA = FileStamp::of(a);
    const auto stampB = FileStamp::of(b);
    return stampA && stampB && stampA->sameContent(*stampB);
}

} // namespace

RunUndo::Preview RunUndo::preview(const RunLog& log) {
    using Kind = RunLog::StepKind;
    Preview preview;
    Overlay disk;
    auto refuse = [&](Msg msg, const std::string& path) {
        preview.refusal = std::pair{msg, path};
        preview.actions.clear();
    };
    for (auto it = log.steps.rbegin(); it != log.steps.rend() && !preview.refusal; ++it) {
        const RunLog::Step& step = *it;
        const bool made = disk.exists(step.to);
        if (step.kind == Kind::Write) {
            if (!made) {
                // Never written, or taken away by an undo that stopped halfway; a confirmed file
                // that is simply gone cannot be accounted for.
                if (step.done && !takenAway(log, step.to)) {
                    refuse(Msg::UndoTargetChanged, step.to);
                }
                continue;
            }
            if (!step.done) {
                // Cut off before its confirmation: nothing tells that the run wrote this file.
                preview.left.push_back(step.to);
                continue;
            }
            if (!unchanged(step)) {
                refuse(Msg::UndoTargetChanged, step.to);
                continue;
            }
            preview.actions.push_back({true, step.to, {}});
            disk.removed(step.to);
            continue;
        }
        const bool original = disk.exists(step.from);
        if (!made) {
            // Not carried out, or already taken back; a confirmed step whose file is gone from
            // both places cannot be taken back.
            if (step.done && !original) {
                refuse(Msg::UndoTargetChanged, step.to);
            }
            continue;
        }
        if (!unchanged(step)) {
            refuse(Msg::UndoTargetChanged, step.to);
        } else if (!original) {
            preview.actions.push_back({false, step.to, step.from});
            disk.moved(step.to, step.from);
        } else if (!step.done && sameContent(step.from, step.to)) {
            // A move across file systems cut off after the copy landed: the copy goes.
            preview.actions.push_back({true, step.to, {}});
            disk.removed(step.to);
        } else {
            refuse(Msg::UndoNameTaken, step.from);
        }
    }
    return preview;
}

std::string RunUndo::rowsCsv(const RunLog& log) {
    int fieldCount = 0;
    for (const RunLog::Column& column : log.columns) {
        fieldCount = std::max(fieldCount, column.sourceField);
    }
    std::string text;
    for (const RunLog::Row& row : log.rows) {
        if (!log.rowDone(row.rowKey)) {
            continue;
        }
        std::vector<std::string> fields(static_cast<std::size_t>(fieldCount));
        for (std::size_t k = 0; k < log.columns.size() && k < row.cells.size(); ++k) {
            const RunLog::Column& column = log.columns[k];
            if (column.sourceField > 0) {
                fields[static_cast<std::size_t>(column.sourceField - 1)] =
                    ListCopy::field(column.type, row.cells[k]);
            }
        }
        for (std::size_t i = 0; i < fields.size(); ++i) {
            text += (i > 0 ? "," : "") + fields[i];
        }
        text += "\r\n";
    }
    return text;
}

RunUndo::Report RunUndo::undo(const RunLog& log, bool dryRun) {
    Report report;
    if (log.undone) {
        m_prompter.tell(Msg::UndoNothing);
        return report;
    }
    if (const auto refusal = journalcheck::check(log)) {
        report.preview.refusal = std::pair{refusal->msg, refusal->detail};
        m_prompter.tell(refusal->msg, {refusal->detail});
        return report;
    }
    std::optional<RunLock> lock;
    if (!dryRun) {
        lock.emplace(files::parentFolder(files::parentFolder(files::absolute(log.path))));
        if (!lock->held()) {
            m_prompter.tell(Msg::RunBusy, {journalcheck::dataFolderOf(log.path)});
            return report;
        }
    }
    report.preview = preview(log);
    if (report.preview.refusal) {
        m_prompter.tell(report.preview.refusal->first, {report.preview.refusal->second});
        return report;
    }
    if (!log.doneRows.empty()) {
        report.listRows = returnedrows::fileFor(log.path);
    }
    report.ok = dryRun || carryOut(log, report.preview);
    if (!report.ok) {
        report.listRows.reset();
    }
    return report;
}

bool RunUndo::carryOut(const RunLog& log, const Preview& preview) {
    RunJournal journal = RunJournal::resume(m_changes, log.path);
    int restored = 0;
    for (const Action& action : preview.actions) {
        const bool ok = action.remove ? takeAway(journal, action.from)
                                      : m_changes.move(action.from, action.to, false);
        if (!ok) {
            m_prompter.tell(Msg::UndoFailed, {action.remove ? action.from : action.to});
            return false;
        }
        restored += action.remove ? 0 : 1;
    }
    const std::string rows = returnedrows::fileFor(log.path);
    const std::string rowsFolder = files::parentFolder(rows);
    if (!log.doneRows.empty() &&
        ((!files::isDirectory(rowsFolder) && !files::createDirectory(rowsFolder)) ||
         !filesteps::writeWhole(m_changes, rows, rowsCsv(log), true))) {
        m_prompter.tell(Msg::UndoFailed, {rows});
        return false;
    }
    journal.add({"undone"});
    for (const RunLog::Step& step : log.steps) {
        const std::string folder = files::parentFolder(step.to);
        if (files::fileName(folder).starts_with(RunJournal::kKeepBeside)) {
            std::error_code error;
            std::filesystem::remove(files::native(folder), error); // only when empty
        }
    }
    runrecovery::removeLeftovers(m_changes, log);
    const int removed = static_cast<int>(preview.actions.size()) - restored;
    if (log.doneRows.empty()) {
        m_prompter.tell(Msg::UndoDone, {std::to_string(restored), std::to_string(removed)});
    } else {
        m_prompter.tell(Msg::UndoDoneRows, {std::to_string(restored), std::to_string(removed),
                                            std::to_string(log.doneRows.size()), rows});
    }
    if (!preview.left.empty()) {
        std::string names;
        for (const std::string& path : preview.left) {
            names += (names.empty() ? "" : "\r\n") + path;
        }
        m_prompter.tell(Msg::UndoLeftUnconfirmed, {names});
    }
    return true;
}

bool RunUndo::takeAway(RunJournal& journal, const std::string& path) {
    const std::string kept = journal.keepPathFor(path, RunJournal::kUndoKeepFolder);
    return !kept.empty() && journal.add({"take", path, kept}) &&
           m_changes.move(path, kept, false) && journal.add({"taken", path, kept});
}
