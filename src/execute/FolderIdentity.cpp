#include "execute/FolderIdentity.h"

#include "base/FileSystem.h"

#include <sys/stat.h>

std::optional<FolderIdentity> FolderIdentity::of(const std::string& folder) {
    struct stat st {};
    if (::stat(files::native(folder).c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) {
        return std::nullopt;
    }
    return FolderIdentity{static_cast<unsigned long long>(st.st_dev),
                          static_cast<unsigned long long>(st.st_ino)};
}
