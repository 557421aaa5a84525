#include "execute/RunPreparation.h"

#include "app/Settings.h"
#include "base/Prompter.h"
#include "execute/ExportPreparation.h"
#include "execute/ExportType.h"
#include "execute/RenamePlan.h"
#include "execute/StorageFolders.h"

bool prepareRun(RenamePlan& plan, const Settings& settings, Prompter& prompter,
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
