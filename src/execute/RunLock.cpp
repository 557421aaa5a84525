#include "execute/RunLock.h"

#include "base/FileSystem.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The lock file, made when missing so that the whole group can open it. A link, a FIFO or a
// device planted in its place is never opened for waiting or followed.
int openLockFile(const std::string& path) {
    const int flags = O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | O_NOCTTY;
    int fd = ::open(path.c_str(), O_RDWR | O_EXCL | flags, 0666);
    if (fd >= 0) {
        // Made just now: the next operator of the group must be able to open it as well.
        files::setCreatedMode(path, fd);
    } else if (errno == EEXIST) {
        fd = ::open(path.c_str(), O_RDWR | flags, 0666);
    }
    if (fd < 0 && errno == EACCES) {
        fd = ::open(path.c_str(), O_RDONLY | flags, 0666);
    }
    struct stat st {};
    if (fd >= 0 && (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode))) {
        ::close(fd);
        return -1;
    }
    return fd;
}

} // namespace

RunLock::RunLock(const std::string& journals) {
    if (!files::isDirectory(journals) && !files::createDirectory(journals)) {
        return;
    }
    m_fd = openLockFile(files::native(files::join(journals, kFileName)).string());
    if (m_fd < 0) {
        return;
    }
    if (::flock(m_fd, LOCK_EX | LOCK_NB) == 0) {
        m_state = State::Held;
    } else if (errno == EWOULDBLOCK) {
        m_state = State::Busy;
    }
}

RunLock::~RunLock() {
    if (m_fd >= 0) {
        ::close(m_fd);
    }
}
