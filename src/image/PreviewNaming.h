#pragma once

#include <string>

// Names of preview files in the temp folder: "<base>-<ext>-<nnnn>.png" and the magnified
// "<base>-<ext>-<nnnn>-ZM.png", where base is the image file name without its extension, ext the
// extension as the file name spells it (its letter case kept) and nnnn the 1-based preview number.
// Writers and look-ups both use this one spelling, so the case-sensitive file system finds what
// was written. All texts are cp932.
class PreviewNaming {
public:
    // The temp folder of a data folder: "<data>/temp", the one spelling used everywhere.
    static std::string tempFolder(const std::string& dataFolder);

    // File name (no folder) of preview number of imageFileName.
    static std::string previewName(const std::string& imageFileName, int number,
                                   bool magnified = false);
    // Full path in tempFolder.
    static std::string previewPath(const std::string& tempFolder, const std::string& imageFileName,
                                   int number, bool magnified = false);

    // The extension as written (without the dot; empty when the name has none) and the base name.
    static std::string extensionOf(const std::string& fileName);
    static std::string baseNameOf(const std::string& fileName);
};
