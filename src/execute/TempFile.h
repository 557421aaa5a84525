#pragma once

#include <string>

class FileChanges;

// An open temporary file made by a FileChanges in some folder. While it is open it is locked, so
// that the clean-up of leftovers never takes a file that a running program is still writing. A
// file that is neither committed nor discarded by its owner is discarded when this goes away.
class TempFile {
public:
    TempFile() = default;
    TempFile(FileChanges& owner, std::string path, int fd)
        : m_owner(&owner), m_path(std::move(path)), m_fd(fd) {}
    ~TempFile();
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;
    TempFile(TempFile&& other) noexcept;
    TempFile& operator=(TempFile&& other) noexcept;

    explicit operator bool() const { return m_fd >= 0; }
    // The cp932 path of the file.
    const std::string& path() const { return m_path; }
    int fd() const { return m_fd; }

    // Forgets the file once it was committed or discarded; returns the descriptor to close.
    int release();

private:
    FileChanges* m_owner = nullptr;
    std::string m_path;
    int m_fd = -1;
};
