#pragma once

#include "image/ImageSettings.h"
#include "image/ImageTypeDetector.h"
#include "image/PageMeasure.h"

#include <optional>
#include <string>
#include <vector>

class ImageFileHandle;

// What the program learns about one image file when it is listed: its pages measured, the checks
// applied, the paper size of page 1 and the page count.
struct ImageFacts {
    int result = 0; // 0 accepted, 1 missing, 3/6 converter, -1 rejected, else library code
    int pageCount = 0;
    bool overA0 = false;
    std::vector<PageFacts> pages;    // empty for HP-GL2 files and files that could not be read
    std::string paperSize;           // of page 1; "不定形" when it could not be measured
    std::optional<std::string> date; // last-write time, when no writer held the file locked
};

// Measures and checks image files: TIFF and JPEG through the image library, PDF through poppler
// (in points), HP-GL2 by counting the pages the plot converter writes. The file is opened once
// for its kind, date and (TIFF) directories.
class ImageProbe {
public:
    explicit ImageProbe(const ImageSettings& settings) : m_settings(settings) {}

    ImageFacts inspect(const std::string& path, ImageType type) const;

private:
    // file: the file opened, or null when it could not be opened for reading.
    void inspectTiff(const std::string& native, const ImageFileHandle* file,
                     ImageFacts& facts) const;
    void inspectJpeg(const std::string& native, ImageFacts& facts) const;
    void inspectPdf(const std::string& native, ImageFacts& facts) const;

    const ImageSettings& m_settings;
};
