#include "image/ImageTypeDetector.h"

#include "base/Cp932.h"

std::string ImageTypeDetector::typeText(ImageType type) {
    switch (type) {
    case ImageType::Tiff:
        return "TIFF";
    case ImageType::Jpeg:
        return "JPEG";
    case ImageType::Pdf:
        return "PDF";
    case ImageType::HpGl2:
        break;
    }
    return "HP-GL2";
}

std::optional<ImageType> ImageTypeDetector::fromText(const std::string& text) {
    for (ImageType type : {ImageType::Tiff, ImageType::Jpeg, ImageType::Pdf, ImageType::HpGl2}) {
        if (text == typeText(type)) {
            return type;
        }
    }
    return std::nullopt;
}

std::string ImageTypeDetector::lowerExtension(const std::string& fileName) {
    const std::size_t dot = cp932::findLastChar(fileName, '.');
    std::string ext = dot == std::string::npos ? fileName : fileName.substr(dot + 1);
    // ASCII letters only, and only where a character starts: a trail byte stays as it is.
    for (std::size_t i = 0; i < ext.size(); i += cp932::charLength(ext, i)) {
        if (ext[i] >= 'A' && ext[i] <= 'Z') {
            ext[i] = static_cast<char>(ext[i] - 'A' + 'a');
        }
    }
    return ext;
}

std::optional<ImageType> ImageTypeDetector::detect(const std::string& fileName,
                                                   const std::vector<std::string>& extensions) {
    const std::string ext = lowerExtension(fileName);
    if (ext == "tif" || ext == "tiff") {
        return ImageType::Tiff;
    }
    if (ext == "jpg" || ext == "jpeg") {
        return ImageType::Jpeg;
    }
    if (ext == "pdf") {
        return ImageType::Pdf;
    }
    for (const std::string& entry : extensions) {
        if (cp932::equalsNoCase(entry, ext)) {
            return ImageType::HpGl2;
        }
    }
    return std::nullopt;
}

std::vector<std::string> ImageTypeDetector::splitExtensions(const std::string& targetExt) {
    std::vector<std::string> pieces;
    std::size_t start = 0;
    while (start < targetExt.size()) {
        const std::size_t slash = cp932::findChar(targetExt, '/', start);
        if (slash == std::string::npos) {
            pieces.push_back(targetExt.substr(start));
            break;
        }
        pieces.push_back(targetExt.substr(start, slash - start));
        start = slash + 1;
    }
    return pieces;
}

bool ImageTypeDetector::hasTiffExtension(const std::string& fileName) {
    const std::string ext = lowerExtension(fileName);
    return ext == "tif" || ext == "tiff";
}
