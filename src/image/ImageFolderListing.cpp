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

ImageFolderListing::Result ImageFolderListing::list(const std::string& folder,
                                                    const std::vector<std::string>& extensions) {
    std::vector<files::ListedName> candidates;
    for (files::ListedName& entry : files::listFolderNames(folder, true)) {
        if (!entry.name.empty() && entry.name.front() != '.') {
            candidates.push_back(std::move(entry));
        }
    }
    Result result;
    // A file met again through a second extension is passed over silently (by its exact name);
    // another name under an upper-cased name already listed is a twin.
    std::unordered_set<std::string> met;
    std::unordered_set<std::string> metUnusable;
    std::unordered_set<std::string> metLinks;
    std::unordered_set<std::string> upper;
    for (const std::string& extension : extensions) {
        for (const files::ListedName& entry : candidates) {
            if (!matches(entry.name, extension)) {
                continue;
            }
            if (entry.link) {
                if (metLinks.insert(entry.name).second) {
                    result.links.push_back(entry.name);
                }
            } else if (!entry.held) {
                if (metUnusable.insert(entry.name).second) {
                    result.unusable.push_back(entry.name);
                }
            } else if (met.insert(entry.name).second) {
                const bool first = upper.insert(cp932::toUpperAscii(entry.name)).second;
                (first ? result.names : result.caseTwins).push_back(entry.name);
            }
        }
    }
    return result;
}
