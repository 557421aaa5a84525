#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

class ProgramLauncher;

// One program start of the registration hand-off: its command line (cp932) and how it ended,
// nothing when it could not be started.
struct AgentRun {
    std::string commandLine;
    std::optional<int> exitCode;
};

// The hand-off after a rename run in the agent export type: the conversion program of the agent
// folder is run on the storage folder and awaited, then the registration program on its work
// folder ("/d=" and the storage folder's WORK). Both are blocking runs; a program that cannot be
// started is passed over without a word, and neither exit code changes anything. Returns both
// starts in order.
std::vector<AgentRun> RunRegistrationPrograms(ProgramLauncher& launcher,
                                              std::string_view agentFolder,
                                              std::string_view storageFolder);
