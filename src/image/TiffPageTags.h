#pragma once

#include <cstdint>
#include <vector>

struct tiff;

// The tags of one TIFF page that the image library relies on, read from the current directory.
struct TiffPageTags {
    // Reads the current directory. False when width or length is missing or zero.
    bool read(tiff* tif);

    // 1-bit single-sample black-and-white page: it can be streamed row by row.
    bool isStreamableBilevel() const;

    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::uint16_t bitsPerSample = 1;
    std::uint16_t samplesPerPixel = 1;
    std::uint16_t photometric = 0; // MinIsWhite when the page states none
    bool photometricStated = false;
    std::uint16_t compression = 1;
    std::uint16_t resolutionUnit = 2;
    float xResolution = 0.0f;
    float yResolution = 0.0f;
    std::uint16_t planarConfig = 1;
    std::uint16_t sampleFormat = 1;
    std::vector<std::uint32_t> palette; // 0xRRGGBB per index of a palette page
    bool tiled = false;
    std::uint32_t tileWidth = 0; // of a tiled page
    std::uint32_t tileLength = 0;

    // Bits of one pixel; a product that a damaged page drives past int reads as the int maximum.
    int bitsPerPixel() const;
    // Resolution in dots per inch (centimetre units converted), 0 when absent.
    int xDpi() const;
    int yDpi() const;
};
