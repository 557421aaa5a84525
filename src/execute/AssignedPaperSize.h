#pragma once

#include <string>

// The paper size a rename row takes from its first image: TIFF and JPEG files measured and
// classified with the margin, PDF files through their first page's size in points, with the
// dimensions appended as " (幅 %dmm×高さ %dmm)"; "不定形" for every other file and for a file
// that cannot be measured. The type is told by the file name's extension.
class AssignedPaperSize {
public:
    // path: the image file, cp932.
    static std::string of(const std::string& path, int margin, int jpgResolution);
};
