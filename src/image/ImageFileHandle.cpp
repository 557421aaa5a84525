#include "image/ImageFileHandle.h"

#include "image/FileDate.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

ImageFileHandle::~ImageFileHandle() {
    if (m_fd >= 0) {
        ::close(m_fd);
    }
}

bool ImageFileHandle::open(const std::string& path) {
    // Non-blocking, so that a FIFO given an image's name does not stall the listing.
    m_fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (m_fd < 0) {
        return false;
    }
    struct stat st {};
    if (::fstat(m_fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        return false;
    }
    m_path = path;
    m_modified = st.st_mtime;
    const ssize_t read = ::pread(m_fd, m_head, HeadSize, 0);
    m_headSize = read > 0 ? static_cast<std::size_t>(read) : 0;
    m_source = {m_fd, static_cast<std::uint64_t>(st.st_size), 0, m_head, m_headSize};
    return true;
}

std::optional<std::string> ImageFileHandle::unlockedDate() const {
    // A writer holding the file locked makes the shared lock fail, as an exclusive open fails
    // while another program writes the file.
    if (m_fd < 0 || ::flock(m_fd, LOCK_SH | LOCK_NB) != 0) {
        return std::nullopt;
    }
    return FileDate::format(static_cast<std::time_t>(m_modified));
}

TiffHandle ImageFileHandle::tiff() const {
    return m_fd >= 0 ? TiffHandle::openDescriptor(m_source, m_path) : TiffHandle();
}
