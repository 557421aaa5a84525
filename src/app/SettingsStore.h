#pragma once

#include "app/EnvironmentValues.h"
#include "app/Settings.h"
#include "base/ProfileFile.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

class RegistryStore;

// The one component that reads and writes the settings file. It keeps the in-memory settings;
// every read and write opens the file anew.
class SettingsStore {
public:
    using Clock = std::function<Date()>;

    SettingsStore(std::string settingsFile, std::string dataFolder, Clock today = systemToday);

    static Date systemToday();

    Settings& settings() { return m_settings; }
    const Settings& settings() const { return m_settings; }
    const std::string& settingsFile() const { return m_file.path(); }

    // SYSTEM and PATH with defaults and normalisation (not the export flags, placement or export
    // type). Writes the TargetExt default when absent; -1 when that write failed, else 0.
    int loadAll();
    // The keys an ordinary close writes, in their fixed order; -1 when any write failed.
    int saveAll();
    // Everything the main window reads when it opens, in its order: loadAll, the registration
    // agent's path, the magnified areas, the per-size memory, the placement and the export flags.
    // Returns whether the registration agent counts as installed.
    bool loadAtOpening(const RegistryStore& registry);
    // The registration agent's "Path" value, when present, replaces QuentryPath by its folder.
    // True when the agent counts as installed.
    bool applyRegistrationAgentPath(const RegistryStore& registry);

    EnvironmentValues loadForEnvironmentDialog();
    int saveFromEnvironmentDialog(const EnvironmentValues& values);

    // Single keys, read through the integer reader (absent = -1) and normalised.
    int exportType();
    bool setExportType(int type);
    // The two export flags are written only when they differ from the remembered value.
    bool exportAddConse();
    bool setExportAddConse(bool on);
    bool displayFileExistCheck();
    bool setDisplayFileExistCheck(bool on);
    bool initWindowMaximized();
    bool setInitWindowMaximized(bool on);
    WindowRect initWindowRect();
    bool setInitWindowRect(const WindowRect& rect);

    void loadMagnifiedAreas(bool withAreas);
    int saveMagnifiedAreas();
    void loadSizeMemory();
    int saveSizeMemory();
    static std::string sizeMemorySection(int index);

    // The HP-GL2 extensions of TargetExt (those after the five fixed ones, at most 10).
    std::vector<std::string> loadTargetExtensions();
    bool saveTargetExtensions(const std::vector<std::string>& extensions);

private:
    int readInt(const char* key, int fallback) const;
    std::string readPath(const char* key, const std::string& fallback) const;
    std::string loadTargetExt();
    std::optional<bool> readFlag(const char* key) const;
    bool writeInt(const char* section, const char* key, int value, bool& allOk) const;
    bool writeString(const char* section, const char* key, const std::string& value,
                     bool& allOk) const;

    ProfileFile m_file;
    std::string m_dataFolder;
    Clock m_today;
    Settings m_settings;
    // A flag read through the integer reader: remembered after the first read that finds the
    // key, read again while nothing is remembered.
    struct RememberedFlag {
        const char* key;
        std::optional<bool> remembered;
    };
    bool rememberedFlag(RememberedFlag& flag, bool fallback);
    // Writes the flag; it is remembered once the file holds it.
    bool setRememberedFlag(RememberedFlag& flag, bool on);
    // Writes the flag only when it differs from the value remembered from the file (read now
    // when nothing is remembered yet).
    bool setChangedFlag(RememberedFlag& flag, bool on);

    RememberedFlag m_exportAddConse{"ExportAddConse", std::nullopt};
    RememberedFlag m_displayFileExistCheck{"DisplayFileExistCheck", std::nullopt};
    RememberedFlag m_maximized{"InitWindowMaximized", std::nullopt};
};
