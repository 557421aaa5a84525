#include "base/RegularFile.h"

#include "base/FileSystem.h"
#include "base/Prompter.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

RegularFile::Stamp stampFrom(const struct stat& st) {
    RegularFile::Stamp s;
    s.device = static_cast<std::uint64_t>(st.st_dev);
    s.inode = static_cast<std::uint64_t>(st.st_ino);
    s.size = static_cast<std::int64_t>(st.st_size);
    s.modifiedNs = static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    s.changedNs = static_cast<std::int64_t>(st.st_ctim.tv_sec) * 1000000000 + st.st_ctim.tv_nsec;
    return s;
}

RegularFile::State stateOf(int statResult, const struct stat& st) {
    if (statResult != 0) {
        return errno == ENOENT || errno == ENOTDIR ? RegularFile::State::Missing
                                                   : RegularFile::State::Unreadable;
    }
    return S_ISREG(st.st_mode) ? RegularFile::State::Open : RegularFile::State::NotRegular;
}

} // namespace

RegularFile::RegularFile(std::string_view path) {
    if (path.empty()) {
        return;
    }
    const std::string native = files::native(path).string();
    struct stat st {};
    m_state = stateOf(::stat(native.c_str(), &st), st);
    if (m_state != State::Open) {
        return;
    }
    // The path may have been replaced by a FIFO since it was looked at: the open must not wait
    // for a writer, and what was opened is checked once more.
    m_fd = ::open(native.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (m_fd < 0) {
        m_state = errno == ENOENT ? State::Missing : State::Unreadable;
        return;
    }
    m_state = stateOf(::fstat(m_fd, &st), st);
    if (m_state != State::Open) {
        ::close(m_fd);
        m_fd = -1;
        return;
    }
    m_stamp = stampFrom(st);
}

RegularFile::~RegularFile() {
    if (m_fd >= 0) {
        ::close(m_fd);
    }
}

RegularFile::State RegularFile::probe(std::string_view path) {
    struct stat st {};
    return path.empty() ? State::Missing : stateOf(::stat(files::native(path).c_str(), &st), st);
}

bool RegularFile::refused(std::string_view path, Prompter& prompter) {
    if (probe(path) != State::NotRegular) {
        return false;
    }
    prompter.tell(Msg::FileNotRegular, {files::fileName(path)});
    return true;
}

std::optional<RegularFile::Stamp> RegularFile::stampOf(std::string_view path) {
    struct stat st {};
    if (path.empty() || stateOf(::stat(files::native(path).c_str(), &st), st) != State::Open) {
        return std::nullopt;
    }
    return stampFrom(st);
}

std::optional<std::string> RegularFile::readAll() {
    if (m_fd < 0) {
        return std::nullopt;
    }
    std::string content;
    if (m_stamp.size > 0) {
        content.reserve(static_cast<std::size_t>(m_stamp.size));
    }
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(m_fd, buffer, sizeof buffer);
        if (n == 0) {
            return content;
        }
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return std::nullopt;
        }
        content.append(buffer, static_cast<std::size_t>(n));
    }
}

std::FILE* RegularFile::releaseToStream() {
    if (m_fd < 0) {
        return nullptr;
    }
    // Reads of a regular file never wait; the flag only kept the open from doing so.
    ::fcntl(m_fd, F_SETFL, ::fcntl(m_fd, F_GETFL) & ~O_NONBLOCK);
    std::FILE* stream = ::fdopen(m_fd, "rb");
    if (stream != nullptr) {
        m_fd = -1;
    }
    return stream;
}
