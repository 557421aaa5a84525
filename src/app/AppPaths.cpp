#include "app/AppPaths.h"

#include "app/SettingsKeys.h"
#include "base/Cp932.h"
#include "base/FileSystem.h"
#include "base/TextCodec.h"

#include <cstdlib>
#include <unistd.h>

AppPaths::AppPaths(RegistryStore registry, std::string executablePath)
    : m_registry(std::move(registry)), m_executablePath(std::move(executablePath)) {
}

std::string AppPaths::currentExecutablePath() {
    char buffer[4096];
    const ssize_t n = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (n <= 0) {
        return {};
    }
    return textcodec::utf8ToCp932(std::string_view(buffer, static_cast<std::size_t>(n)));
}

std::string AppPaths::dataFolder() {
    if (!m_dataFolder.empty()) {
        return m_dataFolder;
    }
    const auto value = m_registry.value(keys::kNomiraRegistryKey, "DataPath");
    if (value && !value->empty()) {
        m_dataFolder = cp932::cutBytes(files::withoutTrailingSeparator(*value), kFolderBytes);
    }
    return m_dataFolder;
}

std::string AppPaths::programFolder() {
    if (!m_programFolder) {
        const std::string exe =
            m_executablePath.empty() ? currentExecutablePath() : m_executablePath;
        const std::string folder = files::parentFolder(exe);
        m_programFolder = folder.empty() ? std::string("/opt/Orvane/Nomira")
                                         : cp932::cutBytes(folder, kFolderBytes);
    }
    return *m_programFolder;
}

std::string AppPaths::settingsFilePath() {
    if (!m_settingsFile) {
        m_settingsFile =
            cp932::cutBytes(files::join(dataFolder(), "Nomira.ini"), kSettingsPathBytes);
    }
    return *m_settingsFile;
}

std::string AppPaths::systemFolder() {
    if (!m_systemFolder) {
        const char* env = std::getenv("SystemRoot");
        m_systemFolder = env != nullptr ? textcodec::utf8ToCp932(env) : std::string("C:\\WINDOWS");
    }
    return *m_systemFolder;
}

std::string AppPaths::programFilesFolder() {
    if (!m_programFilesFolder) {
        const char* env = std::getenv("ProgramFiles");
        m_programFilesFolder =
            env != nullptr ? textcodec::utf8ToCp932(env) : std::string("C:\\ProgramFiles");
    }
    return *m_programFilesFolder;
}

bool AppPaths::isAbsolutePath(std::string_view text) {
    if (!text.empty() && text[0] == '/') {
        return true;
    }
    if (text.size() >= 2 && text[0] == '\\' && text[1] == '\\') {
        return true;
    }
    return text.size() >= 3 && text[1] == ':' && text[2] == '\\';
}

std::string AppPaths::applicationProfile() const {
    const auto agentData = m_registry.value(keys::kQuentryRegistryKey, "DataPath");
    if (agentData && agentData->size() > 1) {
        return files::join(files::join(*agentData, "ini"), "RegistKey.ini");
    }
    const char* config = std::getenv("XDG_CONFIG_HOME");
    const char* home = std::getenv("HOME");
    const std::string base =
        (config != nullptr && *config != '\0')
            ? textcodec::utf8ToCp932(config)
            : files::join(home != nullptr ? textcodec::utf8ToCp932(home) : "/tmp", ".config");
    return files::join(files::join(base, "Nomira"), "Nomira.profile.ini");
}
