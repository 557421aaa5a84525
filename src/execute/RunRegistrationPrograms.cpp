#include "execute/RunRegistrationPrograms.h"

#include "app/ProgramLauncher.h"
#include "base/FileSystem.h"

namespace {

std::string inQuotes(std::string_view text) {
    return "\"" + std::string(text) + "\"";
}

} // namespace

std::vector<AgentRun> RunRegistrationPrograms(ProgramLauncher& launcher,
                                              std::string_view agentFolder,
                                              std::string_view storageFolder) {
    const std::vector<std::string> commandLines{
        inQuotes(files::join(agentFolder, "Quentconv.exe")) + " " + inQuotes(storageFolder),
        inQuotes(files::join(agentFolder, "Quentry.exe")) +
            " /d=" + inQuotes(files::join(storageFolder, "WORK")),
    };
    std::vector<AgentRun> runs;
    for (const auto& commandLine : commandLines) {
        runs.push_back({commandLine, launcher.runBlockingForExit(commandLine)});
    }
    return runs;
}
