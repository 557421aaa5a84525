#pragma once

#include "image/TiffHandle.h"
#include "image/TiffPageTags.h"

#include <cstdint>
#include <string>

struct Pix;

// Writes 1-bit pages as CCITT Group 4 strips, one row at a time, so that a page never has to be
// held in memory. Each page is one strip; libtiff's encoder flushes it to the file as it grows.
class TiffG4Writer {
public:
    struct PageFormat {
        std::uint32_t width = 0;
        std::uint32_t height = 0;
        std::uint16_t photometric = 0; // MinIsWhite (0) or MinIsBlack (1)
        std::uint16_t resolutionUnit = 2;
        float xResolution = 0.0f;
        float yResolution = 0.0f;
    };

    // The format of a page of width x height with the photometric sense and resolution of tags.
    static PageFormat formatOf(const TiffPageTags& tags, std::uint32_t width, std::uint32_t height);

    // append: add pages after those already in the file (the file is created when missing);
    // otherwise the file is replaced. False when it cannot be opened as a TIFF.
    bool open(const std::string& path, bool append);
    // Writes into a TIFF opened for writing elsewhere.
    bool open(TiffHandle opened);
    // The file written to, for pages that are copied rather than encoded.
    tiff* get() const { return m_tiff.get(); }

    bool beginPage(const PageFormat& format);
    // row: (width + 7) / 8 bytes, most significant bit first, in the page's photometric sense.
    bool writeRow(const std::uint8_t* row);
    // Writes the page's directory; false when rows are missing or the write failed.
    bool endPage();

    // Writes a whole 1-bit Leptonica bitmap (1 = black) as one MinIsWhite page.
    bool writePage(Pix* bilevel);

    bool close();

private:
    TiffHandle m_tiff;
    std::uint32_t m_height = 0;
    std::uint32_t m_row = 0;
    bool m_pageOpen = false;
};
