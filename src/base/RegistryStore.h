#pragma once

#include "base/ProfileFile.h"

#include <optional>
#include <string>
#include <string_view>

// The machine-wide registry values the program reads, kept in a read-only profile file whose
// sections are the key paths and whose keys are the value names. Found at $NOMIRA_REGISTRY,
// else /etc/nomira/registry.ini.
class RegistryStore {
public:
    explicit RegistryStore(std::string path) : m_file(std::move(path)) {}

    static std::string defaultPath();

    // The string value, or nothing when the key or the value is missing.
    std::optional<std::string> value(std::string_view keyPath, std::string_view name) const;
    const std::string& path() const { return m_file.path(); }

private:
    ProfileFile m_file;
};
