#pragma once

#include "base/RegularFile.h"

#include <memory>
#include <mutex>
#include <optional>
#include <string>

class ProfileIndex;

// The parsed content of one profile file, kept while the file stays as it was. Every request
// looks at the file's stamp (size, modification and change time in nanoseconds, inode) and parses
// the file again only when the stamp differs, so each read sees the file's current content while
// a run of reads parses it once.
class ProfileSnapshot {
public:
    // The index of the file's current content; nullptr when the file is missing, unreadable or
    // not a regular file.
    std::shared_ptr<const ProfileIndex> current(const std::string& path);
    // How often the file was parsed.
    int parseCount() const;

private:
    mutable std::mutex m_mutex;
    std::optional<RegularFile::Stamp> m_stamp;
    std::shared_ptr<const ProfileIndex> m_index;
    int m_parses = 0;
};
