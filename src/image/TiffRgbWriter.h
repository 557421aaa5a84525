#pragma once

#include "image/TiffHandle.h"

#include <cstdint>
#include <string>
#include <vector>

// Writes one 24-bit RGB page, zstd-compressed (fastest level), one row at a time. Rows are
// gathered into strips of about 256 KB, each compressed whole in one call,
// and written out, so the page is never held in memory. zstd at its fastest level takes about half
// the time of deflate for the same size, which matters for the A0 magnified copy (186 MB of rows).
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
    bool flushStrip();

    TiffHandle m_tiff;
    std::vector<std::uint8_t> m_strip;
    std::uint32_t m_rowsPerStrip = 1;
    std::uint32_t m_stripRows = 0;
    std::uint32_t m_height = 0;
    std::uint32_t m_row = 0;
    bool m_pageOpen = false;
};
