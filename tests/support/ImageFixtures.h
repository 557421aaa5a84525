#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Image files made by code for the image tests: TIFFs of a chosen size, resolution, depth, page
// count and compression with a deterministic pattern, damaged copies, and a small hand-written PDF.
class ImageFixtures {
public:
    struct TiffLayout {
        std::uint32_t width = 64;
        std::uint32_t height = 48;
        int bitsPerSample = 1;   // 1 or 8
        int samplesPerPixel = 1; // 1 (bilevel or grey) or 3 (RGB)
        int pages = 1;
        int compression =
            1; // libtiff COMPRESSION_* (1 none, 4 CCITT G4, 5 LZW, 7 JPEG: RGB as YCbCr)
        int photometric = 0; // for one sample: 0 MinIsWhite, 1 MinIsBlack
        float xDpi = 200.0f; // 0 leaves that resolution tag out
        float yDpi = 200.0f;
        int resolutionUnit = 2;         // 2 inch, 3 centimetre
        std::uint32_t rowsPerStrip = 0; // 0: the whole page in one strip
        std::uint32_t tileWidth = 0;    // both non-zero (multiples of 16): stored in tiles
        std::uint32_t tileLength = 0;
        int subfileType = -1; // TIFFTAG_SUBFILETYPE; -1: FILETYPE_PAGE when multi-page, else 0
    };

    // The pattern every fixture page carries: a checker of odd-sized cells shifted per page, with
    // a one-pixel frame, so that transpositions and mirrorings show.
    static bool patternBlack(std::uint32_t x, std::uint32_t y, int page);
    // Grey value (0..255) of a grey page and the three channels of an RGB page.
    static std::uint8_t patternGrey(std::uint32_t x, std::uint32_t y, int page);
    static std::uint32_t patternRgb(std::uint32_t x, std::uint32_t y, int page); // 0xRRGGBB

    // Writes the TIFF; false when libtiff refused.
    static bool writeTiff(const std::string& path, const TiffLayout& layout);

    // A little-endian TIFF whose single page claims width x height uncompressed pixels (1-bit
    // unless told otherwise) in one strip, of which the file holds only 16 bytes: a cut-off file,
    // or absurd dimensions or sample sizes.
    static void writeClaimedSizeTiff(const std::string& path, std::uint32_t width,
                                     std::uint32_t height, std::uint16_t bitsPerSample = 1,
                                     std::uint16_t samplesPerPixel = 1);

    // A white 24-bit RGB page of width x height at dpi, PackBits-compressed one row per strip, so
    // that even a page too large to hold in memory is written in a moment.
    static bool writeWhiteRgbTiff(const std::string& path, std::uint32_t width,
                                  std::uint32_t height, float dpi);

    // A copy of the first keepBytes bytes of source.
    static void writeTruncatedCopy(const std::string& source, const std::string& target,
                                   std::size_t keepBytes);
    static std::size_t fileSize(const std::string& path);
    static void writeBytes(const std::string& path, const std::string& bytes);

    // A valid PDF of the given pages, each widthPt x heightPt points, each with a black filled
    // square of 100 points at its lower-left corner (page coordinates 36..136).
    static void writePdf(const std::string& path, int pages, double widthPt, double heightPt);

    // Read back through libtiff.
    struct PageFacts {
        std::uint32_t width = 0;
        std::uint32_t height = 0;
        int bitsPerSample = 0;
        int samplesPerPixel = 0;
        int compression = 0;
        int photometric = -1;
        int strips = 0;
        float xResolution = 0.0f;
        float yResolution = 0.0f;
        std::uint32_t subfileType = 0;
    };
    static std::vector<PageFacts> readTiffPages(const std::string& path);

    // Rows of a bilevel page as black flags (photometric applied), row-major; empty on failure.
    static std::vector<std::uint8_t> readBilevelPage(const std::string& path, int page);
    // Pixels (0xRRGGBB) of the first page of an 8-bit RGB file, row-major; empty on failure.
    static std::vector<std::uint32_t> readRgbPage(const std::string& path);
};
