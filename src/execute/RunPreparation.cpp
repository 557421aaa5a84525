#include "execute/RunPreparation.h"

#include "app/Settings.h"
#include "base/FileSystem.h"
#include "base/Prompter.h"
#include "execute/ExecuteTexts.h"
#include "execute/ExportPreparation.h"
#include "execute/ExportType.h"
#include "execute/RenamePlan.h"
#include "execute/StorageFolders.h"

namespace {

bool passesChecks(RenamePlan& plan, const Settings& settings, Prompter& prompter,
                  ExecuteDialogs& dialogs) {
    if (const auto refusal = storagefolders::check(plan.storageFolder, settings)) {
        prompter.tell(*refusal);
        return false;
    }
    if (plan.duplicateNames()) {
        prompter.tell(Msg::AssignDuplicateName);
        return false;
    }
    const ExportType type = exportTypeOf(settings.exportType);
    if (type == ExportType::None) {
        return true;
    }
    if (type != ExportType::RowCsv) {
        const auto name = PrepareExportName(dialogs, prompter, plan.storageFolder, settings);
        if (!name) {
            return false;
        }
        plan.setExportName(name->name, name->typed, settings);
    }
    return CheckExistingExportFiles(dialogs, settings, plan.exportPaths(settings.exportType));
}

// Names the rows the run will not write, with the reason, once per reason.
void tellRefusedRows(const RenamePlan& plan, Prompter& prompter) {
    std::vector<std::string> taken;
    std::vector<std::string> tooLong;
    for (const RenamePlan::Row& row : plan.rows) {
        if (row.takenBy) {
            taken.push_back(fillPlaceholders(executetexts::takenRowLine(),
                                             {row.rowKey, plan.rows[row.takenBy->by].rowKey,
                                              files::fileName(row.takenBy->path)}));
        } else if (row.nameTooLong) {
            tooLong.push_back(fillPlaceholders(executetexts::refusedRowLine(), {row.rowKey}));
        }
    }
    if (!taken.empty()) {
        prompter.tellWithLines(Msg::RunTargetTaken, taken);
    }
    if (!tooLong.empty()) {
        prompter.tellWithLines(Msg::RunNameTooLong, tooLong);
    }
}

} // namespace

bool prepareRun(RenamePlan& plan, const Settings& settings, Prompter& prompter,
                ExecuteDialogs& dialogs) {
    if (!passesChecks(plan, settings, prompter, dialogs)) {
        return false;
    }
    tellRefusedRows(plan, prompter);
    return true;
}
