#include "image/FileDate.h"

#include "base/FileSystem.h"

#include <cstdio>
#include <ctime>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {

// Opens the file for reading and takes a shared lock without waiting: a writer that holds the
// file locked makes this fail, as an exclusive open fails while another program writes the file.
std::optional<std::time_t> lastWriteUnlocked(const std::string& native) {
    const int fd = ::open(native.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        return std::nullopt;
    }
    std::optional<std::time_t> time;
    struct stat st {};
    if (::flock(fd, LOCK_SH | LOCK_NB) == 0) {
        if (::fstat(fd, &st) == 0) {
            time = st.st_mtime;
        }
        ::flock(fd, LOCK_UN);
    }
    ::close(fd);
    return time;
}

} // namespace

std::string FileDate::format(std::time_t time) {
    std::tm local{};
    localtime_r(&time, &local);
    char text[64];
    std::snprintf(text, sizeof text, "%04d/%02d/%02d %02d:%02d:%02d", local.tm_year + 1900,
                  local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec);
    return text;
}

std::optional<std::string> FileDate::read(const std::string& path, int attempts,
                                          std::chrono::milliseconds pause) {
    const std::string native = files::native(path).string();
    for (int attempt = 1; attempt <= attempts; ++attempt) {
        if (const auto time = lastWriteUnlocked(native)) {
            return format(*time);
        }
        if (attempt < attempts) {
            std::this_thread::sleep_for(pause);
        }
    }
    return std::nullopt;
}
