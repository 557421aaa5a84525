#pragma once

#include "execute/FileChanges.h"

// The real file changes, on POSIX calls. Renames are made durable by syncing the folder, so that
// a power cut after a commit or a move never brings the old state back halfway; a change that was
// made is reported done even when its folder cannot be synced.
class PosixFileChanges final : public FileChanges {
public:
    TempFile createTemp(const std::string& folder) override;
    bool write(TempFile& temp, const void* data, std::size_t size) override;
    bool sync(TempFile& temp) override;
    bool commit(TempFile& temp, const std::string& target, bool replace) override;
    bool move(const std::string& source, const std::string& target, bool replace) override;
    bool remove(const std::string& path) override;
    bool append(const std::string& path, std::string_view text) override;
    void discard(TempFile& temp) override;

private:
    bool copyAcross(const std::string& source, const std::string& target, bool replace);
};
