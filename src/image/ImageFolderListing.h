#pragma once

#include <string>
#include <vector>

// Lists the image files of a folder: for each extension of TargetExt in order, the regular,
// non-hidden files whose extension equals it without regard to case (an empty extension takes the
// names without a dot); a name already listed (without regard to case) is not listed again.
class ImageFolderListing {
public:
    static std::vector<std::string> list(const std::string& folder,
                                         const std::vector<std::string>& extensions);
};
