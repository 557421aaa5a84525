#include "image/PreviewNaming.h"

#include "base/Cp932.h"
#include "base/FileSystem.h"

#include <cstdio>

std::string PreviewNaming::tempFolder(const std::string& dataFolder) {
    return files::join(dataFolder, "temp");
}

std::string PreviewNaming::extensionOf(const std::string& fileName) {
    const std::size_t dot = cp932::findLastChar(fileName, '.');
    return dot == std::string::npos ? std::string() : fileName.substr(dot + 1);
}

std::string PreviewNaming::baseNameOf(const std::string& fileName) {
    const std::size_t dot = cp932::findLastChar(fileName, '.');
    return dot == std::string::npos ? fileName : fileName.substr(0, dot);
}

std::string PreviewNaming::previewName(const std::string& imageFileName, int number,
                                       bool magnified) {
    char suffix[32];
    std::snprintf(suffix, sizeof suffix, "-%04d%s.png", number, magnified ? "-ZM" : "");
    return baseNameOf(imageFileName) + "-" + extensionOf(imageFileName) + suffix;
}

std::string PreviewNaming::previewPath(const std::string& tempFolder,
                                       const std::string& imageFileName, int number,
                                       bool magnified) {
    return files::join(tempFolder, previewName(imageFileName, number, magnified));
}
