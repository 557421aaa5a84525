#pragma once

#include <string>

class Prompter;

// What the registration agent needs before a rename run in the agent export type.
struct RegistrationSetup {
    std::string agentFolder;   // QuentryPath
    std::string storageFolder; // the template's OUTPUTPATH
    std::string docType;       // the template's DOCTYPE
};

// The agent's checks, in order: its definition program is installed in the agent folder, the
// storage folder holds quentdef.xml and the map file beside it, and the map's document type is
// the template's (compared without regard to case). The first failure is told to the operator
// (an unreadable map file first with its own message) and the answer is false.
bool CheckRegistrationPrerequisites(const RegistrationSetup& setup, Prompter& prompter);
