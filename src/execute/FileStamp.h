#pragma once

#include <optional>
#include <string>

// What the journal remembers of a file the run wrote, to tell later whether anyone changed it:
// its size and modification time (nanoseconds since the epoch).
struct FileStamp {
    long long size = 0;
    long long mtimeNs = 0;

    bool operator==(const FileStamp&) const = default;

    // The stamp of a regular file (cp932 path); nothing when there is none.
    static std::optional<FileStamp> of(const std::string& path);
    // The same file system holds both paths (a rename between them needs no copy).
    static bool sameFileSystem(const std::string& a, const std::string& b);
};
