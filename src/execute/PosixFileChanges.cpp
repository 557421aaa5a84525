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

// Makes the entries of the folder that holds path durable.
bool syncFolderOf(const std::string& nativePath) {
    const std::size_t slash = nativePath.find_last_of('/');
    const std::string folder = slash == std::string::npos ? "." : nativePath.substr(0, slash + 1);
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    const bool ok = ::fsync(fd) == 0;
    ::close(fd);
    return ok;
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
    const bool ok = renameFile(from, to, replace) && syncFolderOf(to);
    if (!ok) {
        const int error = errno;
        discard(temp);
        errno = error;
        return false;
    }
    ::close(temp.release());
    return true;
}

bool PosixFileChanges::move(const std::string& source, const std::string& target, bool replace) {
    const std::string from = files::native(source).string();
    const std::string to = files::native(target).string();
    if (renameFile(from, to, replace)) {
        return syncFolderOf(to);
    }
    if (errno != EXDEV) {
        return false;
    }
    return copyAcross(source, target, replace);
}

bool PosixFileChanges::copyAcross(const std::string& source, const std::string& target,
                                  bool replace) {
    const std::string from = files::native(source).string();
    const int in = ::open(from.c_str(), O_RDONLY | O_CLOEXEC);
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
    return ok && ::unlink(from.c_str()) == 0 && syncFolderOf(from);
}

bool PosixFileChanges::remove(const std::string& path) {
    const std::string native = files::native(path).string();
    return ::unlink(native.c_str()) == 0 && syncFolderOf(native);
}

bool PosixFileChanges::append(const std::string& path, std::string_view text) {
    const std::string native = files::native(path).string();
    const bool existed = ::access(native.c_str(), F_OK) == 0;
    const int fd = ::open(native.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
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
    return ok && (existed || syncFolderOf(native));
}

void PosixFileChanges::discard(TempFile& temp) {
    if (!temp) {
        return;
    }
    ::unlink(files::native(temp.path()).c_str());
    ::close(temp.release());
}
