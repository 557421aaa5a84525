#pragma once

#include "execute/TempFile.h"

#include <cstddef>
#include <string>
#include <string_view>

// Every change that a rename run makes to files goes through this one interface: making a
// temporary file, writing and syncing it, renaming it onto its target, moving and removing files.
// A target therefore only ever appears as a complete file, through a rename in its own folder.
// Paths are cp932 texts. Operations report failure by returning false and leave errno set.
class FileChanges {
public:
    virtual ~FileChanges() = default;

    // A new, empty temporary file in folder with a short name of its own (see TemporaryFiles).
    // An empty TempFile when it cannot be made.
    virtual TempFile createTemp(const std::string& folder) = 0;
    // Appends size bytes at the file's current position.
    virtual bool write(TempFile& temp, const void* data, std::size_t size) = 0;
    // Flushes the file's content to the disk.
    virtual bool sync(TempFile& temp) = 0;
    // Renames the synced file onto target, which must be in the same folder, and makes the rename
    // itself durable. Without replace an existing target is never touched (the call fails).
    // The TempFile is closed afterwards, whatever the result; on failure the file is removed.
    virtual bool commit(TempFile& temp, const std::string& target, bool replace) = 0;
    // Moves source to target: a rename within one file system, otherwise a copy into a
    // temporary file beside the target, synced and renamed onto it, and only then the source is
    // removed. Without replace an existing target is never touched (the call fails).
    virtual bool move(const std::string& source, const std::string& target, bool replace) = 0;
    virtual bool remove(const std::string& path) = 0;
    // Appends text to the file at path (made when missing) and syncs it; a new file's folder
    // entry is synced too. The run journal grows by these.
    virtual bool append(const std::string& path, std::string_view text) = 0;
    // Closes and removes a temporary file that will not be committed.
    virtual void discard(TempFile& temp) = 0;
};
