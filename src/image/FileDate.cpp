#include "image/FileDate.h"

#include "base/FileSystem.h"

#include <cerrno>
#include <cstdio>
#include <ctime>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

// Opens the file for reading and takes a shared lock without waiting: a writer that holds the
// file locked makes this fail, as an exclusive open fails while another program writes the file.
FileDate::Look FileDate::look(const std::string& nativePath) {
    const int fd = ::open(nativePath.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        return {std::nullopt, errno};
    }
    Look result;
    struct stat st {};
    if (::flock(fd, LOCK_SH | LOCK_NB) != 0) {
        result.error = errno;
    } else {
        if (::fstat(fd, &st) == 0) {
            result.time = st.st_mtime;
        } else {
            result.error = errno;
        }
        ::flock(fd, LOCK_UN);
    }
    ::close(fd);
    return result;
}

void FileDate::sleep(std::chrono::milliseconds pause) {
    std::this_thread::sleep_for(pause);
}

bool FileDate::canPass(int error) {
    return error == EWOULDBLOCK || error == EAGAIN || error == EBUSY || error == ETXTBSY ||
           error == EINTR;
}

std::string FileDate::format(std::time_t time) {
    std::tm local{};
    localtime_r(&time, &local);
    char text[64];
    std::snprintf(text, sizeof text, "%04d/%02d/%02d %02d:%02d:%02d", local.tm_year + 1900,
                  local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec);
    return text;
}

std::optional<std::string> FileDate::read(const std::string& path, int attempts,
                                          std::chrono::milliseconds pause, const Probe& probe,
                                          const Wait& wait) {
    const std::string native = files::native(path).string();
    for (int attempt = 1; attempt <= attempts; ++attempt) {
        const Look found = probe(native);
        if (found.time) {
            return format(*found.time);
        }
        if (!canPass(found.error) || attempt == attempts) {
            break;
        }
        wait(pause);
    }
    return std::nullopt;
}
