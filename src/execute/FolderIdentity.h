#pragma once

#include <optional>
#include <string>

// A folder as the file system knows it, whatever path names it: device and inode. A copy of the
// folder is another folder.
struct FolderIdentity {
    unsigned long long device = 0;
    unsigned long long inode = 0;

    bool operator==(const FolderIdentity&) const = default;

    // Nothing when folder (cp932) is no folder.
    static std::optional<FolderIdentity> of(const std::string& folder);
};
