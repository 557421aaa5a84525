#include "support/FileModes.h"

#include "base/FileSystem.h"

#include <stdexcept>
#include <sys/stat.h>

UmaskScope::UmaskScope(mode_t mask) : m_saved(::umask(mask)) {
}

UmaskScope::~UmaskScope() {
    ::umask(m_saved);
}

int modeOf(const std::string& path) {
    struct stat st {};
    if (::lstat(files::native(path).c_str(), &st) != 0) {
        return -1;
    }
    return static_cast<int>(st.st_mode & 07777);
}

void makeShared(const std::string& folder) {
    if (::chmod(files::native(folder).c_str(), 02775) != 0) {
        throw std::runtime_error("cannot share " + folder);
    }
}
