#pragma once

#include "image/ImageCheck.h"
#include "image/ImageSettings.h"
#include "image/ImageTypeDetector.h"

#include <string>

// The one line the empty preview shows when a file gets no preview, saying why: the page larger
// than A0 with its measured size and resolution (a camera picture at 72 dpi measures metres),
// smaller than 30 x 40 mm, above 600 dpi, longer than a roll, or not readable at all. cp932.
class PreviewNote {
public:
    // Measures the file at path (cp932) and says why its checks refuse it; a file they accept
    // (its conversion failed for another reason) gets the plain line.
    static std::string forFile(const std::string& path, ImageType type,
                               const ImageSettings& settings);
    static std::string text(const ImageCheck::Refusal& refusal);
};
