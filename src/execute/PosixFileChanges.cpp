#include "execute/PosixFileChanges.h"

#include "base/FileSystem.h"
#include "execute/TemporaryFiles.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

// Makes the entries of the folder that holds path durable, as far as the folder lets itself be
// opened and synced. It follows a change that is already made: its result never turns that
// change into a failure (the change is there, and reporting it failed would misstate the
// files), so it reports nothing.
void syncFolderOf(const std::string& nativePath) {
    const int error = errno;
    const std::size_t slash = nativePath.find_last_of('/');
    const std::string folder = slash == std::string::npos ? "." : nativePath.substr(0, slash + 1);
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
    errno = error;
}

// Renames from onto to. Without replace, an existing target makes the rename fail; on file
// systems without an exclusive rename a hard link stands in for it.
bool renameFile(const std::string& from, const std::string& to, bool replace) {
    if (replace) {
        return std::rename(from.c_str(), to.c_str()) == 0;
    }
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) {
        return true;
    }
    if (errno != EINVAL && errno != ENOSYS) {
        return false;
    }
    if (::link(from.c_str(), to.c_str()) != 0) {
        return false;
    }
    ::unlink(from.c_str());
    return true;
}

bool writeAll(int fd, const void* data, std::size_t size) {
    const auto* p = static_cast<const char*>(data);
    while (size > 0) {
        const ssize_t n = ::write(fd, p, size);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            if (n == 0) {
                errno = ENOSPC;
            }
            return false;
        }
        p += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

} // namespace

TempFile PosixFileChanges::createTemp(const std::string& folder) {
    const std::string pattern = files::native(files::join(folder, temporaries::kPattern)).string();
    for (int attempt = 0; attempt < 8; ++attempt) {
        std::string name = pattern;
        const int fd = ::mkstemps(name.data(), static_cast<int>(temporaries::kSuffix.size()));
        if (fd < 0) {
            return {};
        }
        // The lock tells the clean-up of leftovers that this file is in use. A clean-up may have
        // taken the file between its creation and the lock; then it is made anew.
        struct stat st {};
        if (::flock(fd, LOCK_EX | LOCK_NB) != 0 || ::fstat(fd, &st) != 0 || st.st_nlink == 0) {
            ::close(fd);
            continue;
        }
        files::setCreatedMode(name, fd);
        ::fcntl(fd, F_SETFD, FD_CLOEXEC);
        return TempFile(*this, files::fromNative(name), fd);
    }
    return {};
}

bool PosixFileChanges::write(TempFile& temp, const void* data, std::size_t size) {
    return writeAll(temp.fd(), data, size);
}

bool PosixFileChanges::sync(TempFile& temp) {
    return temp && ::fsync(temp.fd()) == 0;
}

bool PosixFileChanges::commit(TempFile& temp, const std::string& target, bool replace) {
    if (!temp) {
        errno = EBADF;
        return false;
    }
    const std::string from = files::native(temp.path()).string();
    const std::string to = files::native(target).string();
    if (!renameFile(from, to, replace)) {
        const int error = errno;
        discard(temp);
        errno = error;
        return false;
    }
    syncFolderOf(to);
    ::close(temp.release());
    return true;
}

// Only a regular file is ever moved: a symbolic link put in place of an image would otherwise be
// carried into the storage folder, or its target copied there.
bool PosixFileChanges::move(const std::string& source, const std::string& target, bool replace) {
    const std::string from = files::native(source).string();
    const std::string to = files::native(target).string();
    struct stat st {};
    if (::lstat(from.c_str(), &st) != 0) {
        return false;
    }
    if (!S_ISREG(st.st_mode)) {
        errno = S_ISLNK(st.st_mode) ? ELOOP : EISDIR;
        return false;
    }
    if (renameFile(from, to, replace)) {
        syncFolderOf(to);
        return true;
    }
    if (errno != EXDEV) {
        return false;
    }
    return copyAcross(source, target, replace);
}

bool PosixFileChanges::copyAcross(const std::string& source, const std::string& target,
                                  bool replace) {
    const std::string from = files::native(source).string();
    const int in = ::open(from.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    if (in < 0) {
        return false;
    }
    struct stat st {};
    TempFile temp = ::fstat(in, &st) == 0 ? createTemp(files::parentFolder(target)) : TempFile();
    bool ok = static_cast<bool>(temp);
    std::vector<char> buffer(1 << 20);
    while (ok) {
        const ssize_t n = ::read(in, buffer.data(), buffer.size());
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            ok = n == 0;
            break;
        }
        ok = write(temp, buffer.data(), static_cast<std::size_t>(n));
    }
    ::close(in);
    if (ok) {
        const struct timespec times[2] = {st.st_atim, st.st_mtim};
        ::fchmod(temp.fd(), st.st_mode & 07777);
        ::futimens(temp.fd(), times);
    }
    // The source goes only once its content is safe under the target's name.
    ok = ok && sync(temp) && commit(temp, target, replace);
    if (!ok || ::unlink(from.c_str()) != 0) {
        return false;
    }
    syncFolderOf(from);
    return true;
}

bool PosixFileChanges::remove(const std::string& path) {
    const std::string native = files::native(path).string();
    if (::unlink(native.c_str()) != 0) {
        return false;
    }
    syncFolderOf(native);
    return true;
}

bool PosixFileChanges::append(const std::string& path, std::string_view text) {
    const std::string native = files::native(path).string();
    const bool existed = ::access(native.c_str(), F_OK) == 0;
    const int fd =
        ::open(native.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0644);
    if (fd < 0) {
        return false;
    }
    if (!existed) {
        files::setCreatedMode(native, fd);
    }
    const bool ok = writeAll(fd, text.data(), text.size()) && ::fsync(fd) == 0;
    const int error = errno;
    ::close(fd);
    errno = error;
    if (ok && !existed) {
        syncFolderOf(native);
    }
    return ok;
}

void PosixFileChanges::discard(TempFile& temp) {
    if (!temp) {
        return;
    }
    ::unlink(files::native(temp.path()).c_str());
    ::close(temp.release());
}
