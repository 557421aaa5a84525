#include "execute/TemporaryFiles.h"

#include "base/FileSystem.h"
#include "execute/FileChanges.h"

#include <cctype>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace temporaries {

bool isTemporaryName(std::string_view fileName) {
    constexpr std::string_view prefix = "~nmr";
    if (fileName.size() != kPattern.size() || !fileName.starts_with(prefix) ||
        !fileName.ends_with(kSuffix)) {
        return false;
    }
    for (std::size_t i = prefix.size(); i < fileName.size() - kSuffix.size(); ++i) {
        if (std::isalnum(static_cast<unsigned char>(fileName[i])) == 0) {
            return false;
        }
    }
    return true;
}

int removeLeftovers(FileChanges& changes, const std::string& folder) {
    int removed = 0;
    for (const std::string& name : files::listFolder(folder)) {
        if (!isTemporaryName(name)) {
            continue;
        }
        const std::string path = files::join(folder, name);
        const int fd = ::open(files::native(path).c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
        if (fd < 0) {
            continue;
        }
        // A file that a running program writes is locked by it.
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0 && changes.remove(path)) {
            ++removed;
        }
        ::close(fd);
    }
    return removed;
}

} // namespace temporaries
