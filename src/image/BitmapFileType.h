#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// Recognises an image file by its first bytes, whatever its name's extension says.
class BitmapFileType {
public:
    enum Kind { Unknown, Tiff, Jpeg, Png, Bmp, Pdf };

    // Unknown for a missing, unreadable, empty or unrecognised file.
    static Kind detect(const std::string& path);
    static Kind detect(const std::uint8_t* bytes, std::size_t size);
};
