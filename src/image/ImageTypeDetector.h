#pragma once

#include <optional>
#include <string>
#include <vector>

// The kinds of image file the image list takes.
enum class ImageType { Tiff, Jpeg, Pdf, HpGl2 };

// Detects an image file's type from its name and splits the TargetExt setting.
class ImageTypeDetector {
public:
    // "TIFF", "JPEG", "PDF" or "HP-GL2".
    static std::string typeText(ImageType type);
    static std::optional<ImageType> fromText(const std::string& text);

    // The text after the last "." (the whole name when there is none), in lower case.
    static std::string lowerExtension(const std::string& fileName);

    // tif/tiff TIFF, jpg/jpeg JPEG, pdf PDF; another extension that equals an entry of the list
    // (without regard to case) HP-GL2; nothing otherwise.
    static std::optional<ImageType> detect(const std::string& fileName,
                                           const std::vector<std::string>& extensions);

    // TargetExt split at every "/": an empty piece between separators stays, a trailing empty
    // piece is dropped.
    static std::vector<std::string> splitExtensions(const std::string& targetExt);

    // The extension is tif or tiff (without regard to case).
    static bool hasTiffExtension(const std::string& fileName);
};
