#pragma once

#include <optional>
#include <string>

// What the journal remembers of a file the run wrote, to tell later whether it is still that
// file: its inode, size, and modification and change times (nanoseconds since the epoch). An edit
// that puts the old modification time back still moves the change time.
struct FileStamp {
    long long size = 0;
    long long mtimeNs = 0;
    long long inode = 0;
    long long ctimeNs = 0;

    bool operator==(const FileStamp&) const = default;
    // The same size and modification time: the same content, as a copy onto another file system
    // keeps it (inode and change time are the copy's own).
    bool sameContent(const FileStamp& other) const {
        return size == other.size && mtimeNs == other.mtimeNs;
    }

    // The stamp of a regular file (cp932 path), not followed through a link; nothing when there
    // is none.
    static std::optional<FileStamp> of(const std::string& path);
    // The same file system holds both paths (a rename between them needs no copy).
    static bool sameFileSystem(const std::string& a, const std::string& b);
};
