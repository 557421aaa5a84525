#pragma once

#include "image/ImageTypeDetector.h"
#include "image/PageMeasure.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// The checks a file passes before its pages are converted; a file that fails is not converted
// and its image list entry is marked invalid. Each returns 0 (accepted) or -1 (rejected).
class ImageCheck {
public:
    static constexpr int kMaxDpi = 600;
    // The greatest paper-size margin (mm) the environment settings accept.
    static constexpr int kMaxMargin = 99;

    // A file with the extension tif or tiff must begin with "II" or "MM".
    static bool hasTiffMagic(const std::string& path);
    static bool hasTiffMagic(const std::uint8_t* head, std::size_t size);

    // TIFF pages: no resolution above 600 dpi; at least 30 x 40 mm in one orientation; at most
    // 914 mm wide and 15000 mm long in one orientation (a roll). overA0 is set when an accepted
    // page is larger than A0.
    static int checkTiff(const std::vector<PageFacts>& pages, int margin, bool& overA0);
    // JPEG pages: no resolution above 600 dpi; at least 30 x 40 mm and not larger than A0.
    static int checkJpeg(const std::vector<PageFacts>& pages, int margin);
    // PDF pages: at least 30 x 40 mm and not larger than A0.
    static int checkPdf(const std::vector<PageFacts>& pages, int margin);

    // Why the checks refuse a file's pages, and the first page they refuse; None when they accept
    // them (and for HP-GL2 files, which have no measured pages).
    enum class Reason { None, NoPages, ResolutionTooHigh, TooSmall, LargerThanA0, LongerThanRoll };
    struct Refusal {
        Reason reason = Reason::None;
        PageFacts page;
    };
    static Refusal refusal(ImageType type, const std::vector<PageFacts>& pages, int margin);

    static bool isLargeEnough(int widthMm, int heightMm);
    static bool fitsRoll(int widthMm, int heightMm);
};
