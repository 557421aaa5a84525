#include "execute/TargetPath.h"

#include "base/Cp932.h"
#include "base/FileSystem.h"

namespace targetpath {

std::string cutBase(std::string_view folder, std::string_view name) {
    const std::string full = files::join(folder, name);
    std::size_t end = 0;
    while (end < full.size() && end <= kCutBytes) {
        end += cp932::charLength(full, end);
    }
    return full.substr(0, end);
}

std::string extensionOf(std::string_view fileName) {
    const std::size_t dot = cp932::findLastChar(fileName, '.');
    return dot == std::string_view::npos ? std::string() : std::string(fileName.substr(dot + 1));
}

std::string forRow(std::string_view folder, std::string_view name,
                   const std::vector<std::string>& imageFileNames) {
    const std::string base = cutBase(folder, name);
    if (imageFileNames.size() >= 2) {
        return base + ".tif";
    }
    const std::string extension =
        imageFileNames.empty() ? std::string() : extensionOf(imageFileNames.front());
    return extension.empty() ? base : base + "." + extension;
}

std::string fileKey(std::string_view path) {
    // Byte-wise: no byte of a UTF-8 sequence is an ASCII letter.
    std::string key = files::native(path).string();
    for (char& c : key) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    return key;
}

bool nameTooLong(std::string_view path) {
    return files::native(path).filename().string().size() > kMaxNameBytes;
}

} // namespace targetpath
