#include "app/ProgramVersion.h"
#include "cli/AssignCommand.h"
#include "cli/CheckCommand.h"
#include "cli/CliOptions.h"
#include "cli/CliSession.h"
#include "cli/EditCommand.h"
#include "cli/InfoCommand.h"
#include "cli/MatchCommand.h"
#include "cli/PreviewCommand.h"
#include "cli/RunCommand.h"
#include "cli/ScanCommand.h"
#include "cli/SettingsCommand.h"
#include "cli/TemplateCommand.h"
#include "cli/UndoCommand.h"

#include <iostream>

int main(int argc, char* argv[]) {
    std::string error;
    const auto options = CliOptions::parse(argc, argv, error);
    if (!options) {
        std::cerr << "nomira-cli: " << error << "\n" << CliOptions::usage();
        return CliSession::Usage;
    }
    if (options->help) {
        std::cout << CliOptions::usage();
        return CliSession::Done;
    }
    if (options->version) {
        std::cout << "nomira-cli " << programversion::kVersion << " (Build "
                  << programversion::kBuildNumber << ")\n";
        return CliSession::Done;
    }
    CliSession session(*options);
    const std::string& command = options->command.front();
    if (command == "settings" && options->command.size() == 1) {
        return runSettingsCommand(session);
    }
    if (command == "template") {
        return runTemplateCommand(session);
    }
    if (command == "check") {
        return runCheckCommand(session);
    }
    if (command == "info") {
        return runInfoCommand(session);
    }
    if (command == "scan") {
        return runScanCommand(session);
    }
    if (command == "assign") {
        return runAssignCommand(session);
    }
    if (command == "names") {
        return runNamesCommand(session);
    }
    if (command == "match") {
        return runMatchCommand(session);
    }
    if (command == "run") {
        return runRunCommand(session);
    }
    if (command == "edit") {
        return runEditCommand(session);
    }
    if (command == "preview") {
        return runPreviewCommand(session);
    }
    if (command == "undo") {
        return runUndoCommand(session);
    }
    return session.usageError("unknown command " + command);
}
