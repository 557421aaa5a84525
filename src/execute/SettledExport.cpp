#include "execute/SettledExport.h"

#include "app/Settings.h"
#include "base/FileSystem.h"
#include "base/Prompter.h"
#include "execute/ExportType.h"
#include "execute/ExportWriter.h"
#include "execute/FileChangeSteps.h"
#include "execute/JournaledFileChanges.h"
#include "execute/RunJournal.h"
#include "execute/RunLog.h"
#include "execute/RunRows.h"
#include "template/Template.h"

#include <algorithm>
#include <cstdlib>

namespace settledexport {

State of(const RunLog& log) {
    if (!log.exportFile) {
        return State::None;
    }
    const bool written = std::any_of(log.steps.begin(), log.steps.end(), [&](const auto& step) {
        return step.kind == RunLog::StepKind::Write && step.done && step.to == *log.exportFile;
    });
    return written ? State::Written : State::Missing;
}

bool writable(const RunLog& log, const Template& t, const Settings& settings) {
    const ExportType type = exportTypeOf(settings.exportType);
    if (!log.exportFile || (type != ExportType::Ledgra && type != ExportType::Agent &&
                            type != ExportType::RenameListCsv)) {
        return false;
    }
    if (files::absolute(t.storageFolder) != log.storageFolder ||
        t.columns.size() != log.columns.size()) {
        return false;
    }
    for (std::size_t k = 0; k < t.columns.size(); ++k) {
        if (t.columns[k].sourceField != log.columns[k].sourceField ||
            t.columns[k].type != log.columns[k].type) {
            return false;
        }
    }
    return true;
}

bool write(FileChanges& changes, Prompter& prompter, const RunLog& log, const Template& t,
           const Settings& settings) {
    RunJournal journal = RunJournal::resume(changes, log.path);
    JournaledFileChanges journaled(changes, journal);
    std::vector<std::pair<int, ExportWriter::Row>> rows;
    for (const runrows::State& state : runrows::of(log)) {
        rows.emplace_back(std::atoi(state.row->rowKey.c_str()),
                          ExportWriter::Row{state.row->cells, files::fileName(state.target)});
    }
    const ExportType type = exportTypeOf(settings.exportType);
    if (type == ExportType::RenameListCsv) {
        // The rename list CSV lists the rows in the order of the list, as the run writes it.
        std::stable_sort(rows.begin(), rows.end(),
                         [](const auto& a, const auto& b) { return a.first < b.first; });
    }
    std::vector<ExportWriter::Row> ordered;
    for (auto& [number, row] : rows) {
        ordered.push_back(std::move(row));
    }
    ExportWriter writer(journaled, prompter, t, settings);
    const std::string& path = *log.exportFile;
    const bool written = type == ExportType::Ledgra  ? writer.WriteLedgraList(path, ordered)
                         : type == ExportType::Agent ? writer.WriteAgentList(path, ordered)
                                                     : writer.WriteRenameListCsv(path, ordered);
    if (!written) {
        prompter.tell(Msg::SettledExportFailed, {path});
        return false;
    }
    if (log.secondCopy && !filesteps::copy(journaled, path, *log.secondCopy, true)) {
        prompter.tell(Msg::SecondCopyFailed);
    }
    return !journal.broken();
}

} // namespace settledexport
