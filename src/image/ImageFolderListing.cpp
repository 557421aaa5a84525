#include "image/ImageFolderListing.h"

#include "base/Cp932.h"
#include "base/FileSystem.h"

#include <unordered_set>

namespace {

bool matches(const std::string& name, const std::string& extension) {
    const std::size_t dot = cp932::findLastChar(name, '.');
    if (extension.empty()) {
        return dot == std::string::npos;
    }
    return dot != std::string::npos &&
           cp932::equalsNoCase(std::string_view(name).substr(dot + 1), extension);
}

} // namespace

std::vector<std::string> ImageFolderListing::list(const std::string& folder,
                                                  const std::vector<std::string>& extensions) {
    std::vector<std::string> candidates;
    for (std::string& name : files::listFolder(folder, true)) {
        if (!name.empty() && name.front() != '.') {
            candidates.push_back(std::move(name));
        }
    }
    std::vector<std::string> listed;
    std::unordered_set<std::string> seen;
    for (const std::string& extension : extensions) {
        for (const std::string& name : candidates) {
            if (matches(name, extension) && seen.insert(cp932::toUpperAscii(name)).second) {
                listed.push_back(name);
            }
        }
    }
    return listed;
}
