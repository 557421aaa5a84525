#pragma once

#include "base/RegistryStore.h"

#include <optional>
#include <string>
#include <string_view>

// The process-wide folder paths: the data folder from the registry store, the program folder,
// and the settings file inside the data folder. Each is computed on first use and kept; an empty
// data folder is not kept, so the registry is asked again until it names one.
class AppPaths {
public:
    // executablePath: the running program's path; empty means "ask the system".
    explicit AppPaths(RegistryStore registry, std::string executablePath = {});

    std::string dataFolder();
    // The data folder named by other means than the registry (the command-line companion's
    // --data-folder).
    void setDataFolder(std::string folder) { m_dataFolder = std::move(folder); }
    std::string programFolder();
    std::string settingsFilePath();
    std::string systemFolder();
    std::string programFilesFolder();
    const RegistryStore& registry() const { return m_registry; }
    // The per-application profile: the registration agent's "ini/RegistKey.ini" when the agent
    // names a data folder (longer than one character), else the program's own profile.
    std::string applicationProfile() const;

    // A path that begins with "/" (or, in stored Windows forms, with "\\" or a drive letter,
    // colon and backslash) is absolute.
    static bool isAbsolutePath(std::string_view text);
    static std::string currentExecutablePath();

    static constexpr std::size_t kFolderBytes = 258;
    static constexpr std::size_t kSettingsPathBytes = 259;

private:
    RegistryStore m_registry;
    std::string m_executablePath;
    std::string m_dataFolder;
    std::optional<std::string> m_programFolder;
    std::optional<std::string> m_settingsFile;
    std::optional<std::string> m_systemFolder;
    std::optional<std::string> m_programFilesFolder;
};
