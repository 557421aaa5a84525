#pragma once

#include <optional>
#include <string>
#include <vector>

class ExecuteDialogs;
class Prompter;
struct Settings;

// The export checks made before a run touches anything.

// The export file name of the run: through the file name dialog when DispInputDlg is 1,
// otherwise from ExportFilename. A refusal is shown through the prompter (the dialog stays
// open); nullopt cancels the run.
struct ExportName {
    std::string name;  // numbered, without ".csv"
    std::string typed; // before numbering (the agent type's second copy numbers it anew)
};
std::optional<ExportName> PrepareExportName(ExecuteDialogs& dialogs, Prompter& prompter,
                                            const std::string& storageFolder,
                                            const Settings& settings);

// The export files of the run that exist already are listed for the operator, unless numbering
// is on or the check is switched off. False when the operator refuses to overwrite them.
bool CheckExistingExportFiles(ExecuteDialogs& dialogs, const Settings& settings,
                              const std::vector<std::string>& exportPaths);
