#include "execute/ExportPreparation.h"

#include "app/Settings.h"
#include "base/FileSystem.h"
#include "base/Prompter.h"
#include "execute/ExecuteDialogs.h"
#include "execute/ExportName.h"

std::optional<ExportName> PrepareExportName(ExecuteDialogs& dialogs, Prompter& prompter,
                                            const std::string& storageFolder,
                                            const Settings& settings) {
    ExportName accepted;
    auto accept = [&](const ExecuteDialogs::TypedName& text, bool fromDialog) {
        if (!text) {
            prompter.tell(fromDialog ? Msg::FileNameBadChar : Msg::ExportNameBadChar);
            return false;
        }
        const exportname::Checked checked =
            exportname::checkExportName(*text, fromDialog, storageFolder, settings);
        if (checked.refusal) {
            prompter.tell(*checked.refusal);
            return false;
        }
        accepted = {checked.name, checked.typed};
        return true;
    };
    if (settings.dispInputDlg == 1) {
        const auto typed = dialogs.inputFileName(
            ExecuteDialogs::NameMode::Export, settings.exportFilename,
            [&](const ExecuteDialogs::TypedName& text) { return accept(text, true); });
        if (!typed) {
            return std::nullopt;
        }
        return accepted;
    }
    if (!accept(settings.exportFilename, false)) {
        return std::nullopt;
    }
    return accepted;
}

bool CheckExistingExportFiles(ExecuteDialogs& dialogs, const Settings& settings,
                              const std::vector<std::string>& exportPaths) {
    if (settings.exportAddConse || !settings.displayFileExistCheck) {
        return true;
    }
    std::vector<std::string> existing;
    for (const std::string& path : exportPaths) {
        if (files::findNoCase(files::parentFolder(path), files::fileName(path))) {
            existing.push_back(path);
        }
    }
    return existing.empty() || dialogs.confirmOverwrite(existing);
}
