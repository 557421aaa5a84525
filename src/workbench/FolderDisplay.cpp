#include "workbench/FolderDisplay.h"

#include "base/Cp932.h"
#include "base/FileSystem.h"

std::string shortenFolderForDisplay(std::string_view path, std::size_t maxBytes) {
    if (path.size() <= maxBytes) {
        return std::string(path);
    }
    const std::size_t cut = cp932::findLastChar(path, files::kSeparator);
    const std::string_view last = cut == std::string_view::npos ? path : path.substr(cut + 1);
    const std::size_t headBytes = last.size() < maxBytes ? maxBytes - last.size() : 0;
    std::string out = cp932::cutBytes(path, headBytes);
    out += "...";
    out.push_back(files::kSeparator);
    out.append(last);
    return out;
}
