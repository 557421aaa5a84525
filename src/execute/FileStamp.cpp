#include "execute/FileStamp.h"

#include "base/FileSystem.h"

#include <sys/stat.h>

namespace {

long long nanoseconds(const timespec& t) {
    return static_cast<long long>(t.tv_sec) * 1000000000LL + t.tv_nsec;
}

} // namespace

std::optional<FileStamp> FileStamp::of(const std::string& path) {
    struct stat st {};
    if (::lstat(files::native(path).c_str(), &st) != 0 || !S_ISREG(st.st_mode)) {
        return std::nullopt;
    }
    return FileStamp{static_cast<long long>(st.st_size), nanoseconds(st.st_mtim),
                     static_cast<long long>(st.st_ino), nanoseconds(st.st_ctim)};
}

bool FileStamp::sameFileSystem(const std::string& a, const std::string& b) {
    struct stat sa {};
    struct stat sb {};
    return ::stat(files::native(a).c_str(), &sa) == 0 &&
           ::stat(files::native(b).c_str(), &sb) == 0 && sa.st_dev == sb.st_dev;
}
