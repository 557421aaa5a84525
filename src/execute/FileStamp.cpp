#include "execute/FileStamp.h"

#include "base/FileSystem.h"

#include <sys/stat.h>

std::optional<FileStamp> FileStamp::of(const std::string& path) {
    struct stat st {};
    if (::stat(files::native(path).c_str(), &st) != 0 || !S_ISREG(st.st_mode)) {
        return std::nullopt;
    }
    return FileStamp{static_cast<long long>(st.st_size),
                     static_cast<long long>(st.st_mtim.tv_sec) * 1000000000LL + st.st_mtim.tv_nsec};
}

bool FileStamp::sameFileSystem(const std::string& a, const std::string& b) {
    struct stat sa {};
    struct stat sb {};
    return ::stat(files::native(a).c_str(), &sa) == 0 &&
           ::stat(files::native(b).c_str(), &sb) == 0 && sa.st_dev == sb.st_dev;
}
