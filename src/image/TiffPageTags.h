#pragma once

#include <cstdint>

struct tiff;

// The tags of one TIFF page that the image library relies on, read from the current directory.
struct TiffPageTags {
    // Reads the current directory. False when width or length is missing or zero.
    bool read(tiff* tif);

    // 1-bit single-sample page stored in strips: it can be streamed row by row.
    bool isStreamableBilevel() const;

    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::uint16_t bitsPerSample = 1;
    std::uint16_t samplesPerPixel = 1;
    std::uint16_t photometric = 0;
    std::uint16_t compression = 1;
    std::uint16_t resolutionUnit = 2;
    float xResolution = 0.0f;
    float yResolution = 0.0f;
    bool tiled = false;

    // Resolution in dots per inch (centimetre units converted), 0 when absent.
    int xDpi() const;
    int yDpi() const;
};
