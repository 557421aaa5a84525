#pragma once

#include "image/TiffHandle.h"

#include <cstdint>
#include <string>

// Writes one 24-bit RGB page, deflate-compressed in a single strip, one row at a time; libtiff's
// encoder flushes the strip to the file as it grows, so the page is never held in memory.
class TiffRgbWriter {
public:
    // Replaces the file. False when it cannot be created.
    bool open(const std::string& path);

    // Resolution in dots per inch; 0 is written as 300, as for every other saved bitmap.
    bool beginPage(std::uint32_t width, std::uint32_t height, int xDpi, int yDpi);
    // row: width x 3 bytes R, G, B.
    bool writeRow(const std::uint8_t* row);
    // Writes the page's directory and closes the file; false when rows are missing or a write
    // failed.
    bool finish();

private:
    TiffHandle m_tiff;
    std::uint32_t m_height = 0;
    std::uint32_t m_row = 0;
    bool m_pageOpen = false;
};
