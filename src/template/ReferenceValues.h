#pragma once

#include "app/SettingsKeys.h"

#include <ctime>
#include <optional>
#include <string>

class LaunchRequester;
class ProgramLauncher;
class Prompter;
class TemplateEditGrid;

// "参照値設定..." of the template dialog. The registration agent's definition program is started
// as a watched launch (the dialog is disabled while it runs); once it has ended, the definition it
// left behind, if it wrote one after the start, fills the names and source fields of the grid.
class ReferenceValues {
public:
    // Where the agent lives and where it records its last definition.
    struct Agent {
        std::string folder;       // QuentryPath, with its trailing separator
        std::string profilePath;  // the application's profile: WorkPath/LastPath
        std::string registryPath; // the registry store: LastPath under the agent key
        std::string key = keys::kQuentryRegistryKey;
    };
    // What a definition set in the dialog besides the grid.
    struct Applied {
        std::string docType;
        std::string storageFolder; // the folder of the definition's XML file
    };

    static constexpr const char* kProgram = "Quentdef.exe";

    ReferenceValues(Agent agent, ProgramLauncher& launcher, Prompter& prompter);

    // The button: refused with a message when the definition program is not in the agent folder;
    // otherwise the start time is remembered and the program started without arguments,
    // completing with ProgramLauncher::kDefinitionsReady.
    bool start(LaunchRequester& requester, std::time_t now = std::time(nullptr));

    // The completion message: the last definition is read into the grid. Nothing when no start
    // preceded it, no last definition is known, the map file predates the start, or a file is
    // missing, unreadable or too long for the grid (each of these told).
    std::optional<Applied> definitionsReady(TemplateEditGrid& grid);

    const std::string& startStamp() const { return m_startStamp; }
    // The default cabinet and folder of the last XML definition that could be read.
    const std::string& cabinetName() const { return m_cabinetName; }
    const std::string& folderName() const { return m_folderName; }

private:
    Agent m_agent;
    ProgramLauncher& m_launcher;
    Prompter& m_prompter;
    std::string m_startStamp;
    std::string m_cabinetName;
    std::string m_folderName;
};
