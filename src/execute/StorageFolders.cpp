#include "execute/StorageFolders.h"

#include "app/Settings.h"
#include "base/Cp932.h"
#include "base/FileSystem.h"

#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace storagefolders {

bool isUsable(const std::string& folder) {
    struct stat st {};
    const std::string native = files::native(folder).string();
    return !folder.empty() && ::stat(native.c_str(), &st) == 0 && S_ISDIR(st.st_mode) &&
           (st.st_mode & 0444) != 0 && (st.st_mode & 0222) != 0 && (st.st_mode & 0111) != 0 &&
           ::access(native.c_str(), R_OK | W_OK | X_OK) == 0;
}

std::optional<Msg> check(const std::string& storageFolder, const Settings& settings) {
    if (!files::isDirectory(storageFolder)) {
        return Msg::StorageFolderMissing;
    }
    if (!isUsable(storageFolder)) {
        return Msg::StorageFolderNoAccess;
    }
    if (settings.exportSelectFolder != 1) {
        return std::nullopt;
    }
    const std::string& second = settings.exportSelectFolderPath;
    if (!files::isDirectory(second)) {
        return Msg::SecondFolderMissing;
    }
    if (!isUsable(second)) {
        return Msg::SecondFolderNoAccess;
    }
    std::error_code error;
    if (cp932::equalsNoCase(files::withoutTrailingSeparator(storageFolder),
                            files::withoutTrailingSeparator(second)) ||
        std::filesystem::equivalent(files::native(storageFolder), files::native(second), error)) {
        return Msg::SecondFolderSame;
    }
    return std::nullopt;
}

} // namespace storagefolders
