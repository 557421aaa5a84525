#pragma once

// Synthetic 400-dpi line drawings for the image benchmarks: frame, a title block, a grid of thin
// lines and two diagonals, stored as one-strip 1-bit G4 TIFFs as a drawing scanner writes them.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>
#include <tiffio.h>
#include <vector>

inline constexpr int kDpi = 400;

inline std::uint32_t pixels(int mm, int dpi = kDpi) {
    return static_cast<std::uint32_t>(std::lround(mm / 25.4 * dpi));
}

inline bool inked(std::uint32_t x, std::uint32_t y, std::uint32_t w, std::uint32_t h) {
    const std::uint32_t frame = 40;
    if (x < frame || y < frame || x + frame >= w || y + frame >= h) {
        return (x % 8 == 0 || y % 8 == 0) && (x < 6 || y < 6 || x + 6 >= w || y + 6 >= h);
    }
    if (x < frame + 4 || y < frame + 4 || x + frame + 4 >= w || y + frame + 4 >= h) {
        return true;
    }
    if (x % 397 < 2 || y % 401 < 2) {
        return true;
    }
    const std::uint32_t d = static_cast<std::uint32_t>(static_cast<std::uint64_t>(y) * w / h);
    return (x >= d && x - d < 3) || (w - x >= d && w - x - d < 3);
}

inline void writeDrawing(const std::string& path, int widthMm, int heightMm) {
    TIFFSetErrorHandler(nullptr);
    TIFFSetWarningHandler(nullptr);
    const std::uint32_t w = pixels(widthMm);
    const std::uint32_t h = pixels(heightMm);
    TIFF* tif = TIFFOpen(path.c_str(), "w");
    TIFFSetField(tif, TIFFTAG_IMAGEWIDTH, w);
    TIFFSetField(tif, TIFFTAG_IMAGELENGTH, h);
    TIFFSetField(tif, TIFFTAG_BITSPERSAMPLE, 1);
    TIFFSetField(tif, TIFFTAG_SAMPLESPERPIXEL, 1);
    TIFFSetField(tif, TIFFTAG_COMPRESSION, COMPRESSION_CCITTFAX4);
    TIFFSetField(tif, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_MINISWHITE);
    TIFFSetField(tif, TIFFTAG_ROWSPERSTRIP, h);
    TIFFSetField(tif, TIFFTAG_XRESOLUTION, static_cast<float>(kDpi));
    TIFFSetField(tif, TIFFTAG_YRESOLUTION, static_cast<float>(kDpi));
    TIFFSetField(tif, TIFFTAG_RESOLUTIONUNIT, RESUNIT_INCH);
    std::vector<std::uint8_t> row((w + 7) / 8);
    for (std::uint32_t y = 0; y < h; ++y) {
        std::fill(row.begin(), row.end(), 0);
        for (std::uint32_t x = 0; x < w; ++x) {
            if (inked(x, y, w, h)) {
                row[x >> 3] |= static_cast<std::uint8_t>(0x80 >> (x & 7));
            }
        }
        TIFFWriteScanline(tif, row.data(), y, 0);
    }
    TIFFClose(tif);
}
