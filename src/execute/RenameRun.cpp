#include "execute/RenameRun.h"

#include "app/Settings.h"
#include "base/Cp932.h"
#include "base/FileSystem.h"
#include "base/Prompter.h"
#include "execute/ExecuteDialogs.h"
#include "execute/ExportName.h"
#include "execute/ExportType.h"
#include "execute/ExportWriter.h"
#include "execute/FileChanges.h"
#include "execute/JournalCheck.h"
#include "execute/JournaledFileChanges.h"
#include "execute/PageJoiner.h"
#include "execute/RunJournal.h"
#include "execute/RunJournals.h"
#include "execute/RunLock.h"
#include "execute/TargetPath.h"
#include "execute/TemporaryFiles.h"
#include "image/ImageLibrary.h"

#include <algorithm>
#include <filesystem>

namespace {

bool samePath(const std::string& a, const std::string& b) {
    std::error_code error;
    return a == b || std::filesystem::equivalent(files::native(a), files::native(b), error);
}

// A run stopped before its first change: every image counts as failed.
RenameRun::Outcome stopped(const RenamePlan& plan) {
    RenameRun::Outcome outcome;
    for (const RenamePlan::Row& row : plan.rows) {
        for (const std::string& image : row.images) {
            outcome.results.push_back({image, false});
        }
    }
    return outcome;
}

} // namespace

int RenameRun::Outcome::renamed() const {
    return static_cast<int>(
        std::count_if(results.begin(), results.end(), [](const auto& r) { return r.written; }));
}

RenameRun::Outcome RenameRun::run(const RenamePlan& plan) {
    // One run at a time per data folder; a run that was cut off is settled or undone first, or
    // it would no longer be the newest run and could be neither.
    const RunLock lock(m_p.journals);
    if (!lock.held()) {
        if (lock.state() == RunLock::State::Busy) {
            m_p.prompter.tell(Msg::RunBusy, {files::parentFolder(files::absolute(m_p.journals))});
            return stopped(plan);
        }
        m_p.prompter.tell(Msg::JournalWriteFailed, {m_p.journals});
        Outcome outcome = stopped(plan);
        outcome.journalFailed = true;
        return outcome;
    }
    if (const auto cut = runjournals::unfinished(m_p.journals);
        cut && journalcheck::belongsHere(*cut)) {
        m_p.prompter.tell(Msg::RunUnsettled, {cut->started});
        return stopped(plan);
    }
    Outcome outcome;
    m_rowCsvs.clear();
    m_written.clear();
    temporaries::removeLeftovers(m_p.changes, plan.storageFolder);
    runjournals::prune(m_p.changes, m_p.journals, std::max(m_p.settings.keepRuns - 1, 0));
    const std::string secondFolder =
        m_p.settings.exportSelectFolder == 1 ? m_p.settings.exportSelectFolderPath : "";
    const auto journal = RunJournal::start(m_p.changes, m_p.journals, plan, m_p.t, secondFolder);
    if (!journal) {
        m_p.prompter.tell(Msg::JournalWriteFailed, {m_p.journals});
        outcome = stopped(plan);
        outcome.journalFailed = true;
        return outcome;
    }
    outcome.journal = journal->path();
    JournaledFileChanges changes(m_p.changes, *journal);
    m_changes = &changes;
    const ExportType type = exportTypeOf(m_p.settings.exportType);
    std::vector<ExportWriter::Row> exportRows;
    std::vector<std::pair<int, ExportWriter::Row>> rowsInListOrder;
    std::vector<std::string> joinedSources;
    int sequence = 0;
    for (const RenamePlan::Row& row : plan.rows) {
        // In the Ledgra type a row that is not written gives its number to the next one.
        const std::string target =
            type == ExportType::Ledgra
                ? targetpath::forRow(plan.storageFolder, RenamePlan::sequenceName(sequence + 1),
                                     row.images)
                : row.target;
        const auto to =
            journal->broken() || row.refused() ? std::nullopt : destinationOf(plan, row, target);
        const bool written = to && writeRow(plan, row, *to);
        journal->add({written ? "row-done" : "row-failed", row.rowKey});
        for (const std::string& image : row.images) {
            outcome.results.push_back({image, written});
        }
        ExportWriter::Row exportRow{row.cells, written ? files::fileName(to->target) : ""};
        if (written) {
            ++sequence;
            m_written.insert(targetpath::fileKey(to->target));
            outcome.targets.push_back(to->target);
            outcome.doneRows.push_back(row.rowKey);
            if (row.multiPage()) {
                for (const std::string& image : row.images) {
                    if (!samePath(plan.sourceOf(image), to->target)) {
                        joinedSources.push_back(plan.sourceOf(image));
                    }
                }
            }
        }
        rowsInListOrder.emplace_back(row.row, exportRow);
        exportRows.push_back(std::move(exportRow));
    }

    ExportWriter writer(changes, m_p.prompter, m_p.t, m_p.settings);
    if (plan.exportFile && !journal->broken()) {
        const std::string& path = *plan.exportFile;
        bool listed = false;
        if (type == ExportType::Ledgra) {
            listed = writer.WriteLedgraList(path, exportRows);
        } else if (type == ExportType::Agent) {
            listed = writer.WriteAgentList(path, exportRows);
        } else if (type == ExportType::RenameListCsv) {
            std::stable_sort(rowsInListOrder.begin(), rowsInListOrder.end(),
                             [](const auto& a, const auto& b) { return a.first < b.first; });
            std::vector<ExportWriter::Row> ordered;
            for (auto& [number, row] : rowsInListOrder) {
                ordered.push_back(std::move(row));
            }
            listed = writer.WriteRenameListCsv(path, ordered);
        }
        if (listed) {
            outcome.exportFiles.push_back(path);
        }
    }
    outcome.exportFiles.insert(outcome.exportFiles.end(), m_rowCsvs.begin(), m_rowCsvs.end());
    if (m_p.settings.exportSelectFolder == 1 && !outcome.exportFiles.empty() &&
        !journal->broken()) {
        writer.CopyToSecondFolder(outcome.exportFiles, plan.typedExportName);
    }
    // Joined pages are safe in their complete target now; their sources go to the keep folder.
    for (const std::string& source : joinedSources) {
        if (files::exists(source) && !journal->broken()) {
            changes.remove(source);
        }
    }
    journal->add({"end", std::to_string(outcome.renamed()), std::to_string(outcome.processed())});
    m_changes = nullptr;
    if (journal->broken()) {
        outcome.journalFailed = true;
        m_p.prompter.tell(Msg::JournalWriteFailed, {journal->path()});
    }
    return outcome;
}

std::optional<RenameRun::Destination> RenameRun::destinationOf(const RenamePlan& plan,
                                                               const RenamePlan::Row& row,
                                                               const std::string& target) {
    if (takenBySource(plan, row, target) || m_written.contains(targetpath::fileKey(target))) {
        return std::nullopt;
    }
    const auto existing = existingAt(row, target);
    // A single image that only changes the letter case of its own name is not in its own way.
    if (!existing || (!row.multiPage() && samePath(*existing, plan.sourceOf(row.images.front())))) {
        return Destination{target, false};
    }
    if (takenBySource(plan, row, *existing)) {
        return std::nullopt;
    }
    // The file that is there is the one replaced, under its own spelling, so that no two names
    // that differ only in case are left side by side. Without the same-name check the operator
    // has chosen to replace existing files; the complete new file then takes the old one's place
    // in one rename.
    if (m_p.settings.renameOverwrite != 1) {
        return Destination{*existing, true};
    }
    const std::string extension =
        row.multiPage() ? std::string("tif") : targetpath::extensionOf(row.images.front());
    const std::string dotted = extension.empty() ? std::string() : "." + extension;
    std::string name = files::fileName(target);
    name = name.substr(0, name.size() - dotted.size());
    const ExportType type = exportTypeOf(m_p.settings.exportType);
    for (;;) {
        if (m_p.prompter.tell(Msg::TargetExistsQuestion, {name, dotted}) == Answer::Yes) {
            return Destination{*existing, true};
        }
        std::string accepted;
        const auto typed = m_p.dialogs.inputFileName(
            ExecuteDialogs::NameMode::Rename, name, [&](const ExecuteDialogs::TypedName& text) {
                if (!text) {
                    m_p.prompter.tell(Msg::FileNameBadChar);
                    return false;
                }
                const auto checked =
                    exportname::checkRenameName(*text, type, plan.storageFolder, extension);
                if (checked.refusal) {
                    m_p.prompter.tell(*checked.refusal);
                    return false;
                }
                accepted = checked.name;
                return true;
            });
        if (typed) {
            const std::string renamed = files::join(plan.storageFolder, accepted) + dotted;
            if (takenBySource(plan, row, renamed)) {
                return std::nullopt;
            }
            return Destination{renamed, false};
        }
        if (!m_p.dialogs.mayAskAgain()) {
            return std::nullopt;
        }
    }
}

std::optional<std::string> RenameRun::existingAt(const RenamePlan::Row& row,
                                                 const std::string& target) {
    if (files::exists(target)) {
        return target;
    }
    // The plan looked for the planned target; a target it did not foresee (a Ledgra number
    // handed on) is looked for now.
    if (target == row.target) {
        return !row.existing.empty() && files::exists(row.existing)
                   ? std::optional<std::string>(row.existing)
                   : std::nullopt;
    }
    const std::string folder = files::parentFolder(target);
    const auto name = files::findNoCase(folder, files::fileName(target));
    return name ? std::optional<std::string>(files::join(folder, *name)) : std::nullopt;
}

bool RenameRun::takenBySource(const RenamePlan& plan, const RenamePlan::Row& row,
                              const std::string& target) const {
    for (const RenamePlan::Row& other : plan.rows) {
        for (const std::string& image : other.images) {
            const bool ownMove = &other == &row && !row.multiPage();
            const std::string source = plan.sourceOf(image);
            if (!ownMove && files::exists(source) && samePath(source, target)) {
                return true;
            }
        }
    }
    return false;
}

bool RenameRun::writeRow(const RenamePlan& plan, const RenamePlan::Row& row,
                         const Destination& to) {
    if (exportTypeOf(m_p.settings.exportType) == ExportType::RowCsv) {
        RenamePlan::Row placed = row;
        placed.target = to.target;
        ExportWriter writer(*m_changes, m_p.prompter, m_p.t, m_p.settings);
        if (!writer.WriteRowCsv(placed.rowCsv(), {row.cells, files::fileName(to.target)})) {
            return false;
        }
        m_rowCsvs.push_back(placed.rowCsv());
        m_written.insert(targetpath::fileKey(placed.rowCsv()));
    }
    if (!row.multiPage()) {
        // A moved image is an ordinary file of the storage folder: its read-only mode goes.
        const std::string source = plan.sourceOf(row.images.front());
        return files::isPlainFile(source) && files::clearReadOnly(source) &&
               m_changes->move(source, to.target, to.replace);
    }
    std::vector<PageJoiner::Source> sources;
    for (std::size_t i = 0; i < row.images.size(); ++i) {
        sources.push_back({plan.sourceOf(row.images[i]), row.pages[i]});
    }
    return PageJoiner(*m_changes).join(sources, to.target, to.replace) == ImageLibrary::Success;
}

void RenameRun::tellFailures(Prompter& prompter, const Outcome& outcome) {
    if (outcome.failed()) {
        prompter.tell(Msg::RenameFailedCount,
                      {std::to_string(outcome.processed() - outcome.renamed())});
    }
}

void RenameRun::tellDone(Prompter& prompter, const Outcome& outcome) {
    prompter.tell(Msg::RenameDone,
                  {std::to_string(outcome.renamed()), std::to_string(outcome.processed())});
}
