#include "image/TiffPageTags.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <tiffio.h>

namespace {

int toDpi(float value, std::uint16_t unit) {
    if (!(value > 0.0f) || !std::isfinite(value)) {
        return 0;
    }
    const double dpi = unit == RESUNIT_CENTIMETER ? value * 2.54 : value;
    return dpi > 1e6 ? 0 : static_cast<int>(std::lround(dpi));
}

} // namespace

bool TiffPageTags::read(tiff* tif) {
    *this = TiffPageTags{};
    if (TIFFGetField(tif, TIFFTAG_IMAGEWIDTH, &width) != 1 ||
        TIFFGetField(tif, TIFFTAG_IMAGELENGTH, &height) != 1 || width == 0 || height == 0) {
        return false;
    }
    TIFFGetFieldDefaulted(tif, TIFFTAG_BITSPERSAMPLE, &bitsPerSample);
    TIFFGetFieldDefaulted(tif, TIFFTAG_SAMPLESPERPIXEL, &samplesPerPixel);
    TIFFGetFieldDefaulted(tif, TIFFTAG_COMPRESSION, &compression);
    TIFFGetFieldDefaulted(tif, TIFFTAG_RESOLUTIONUNIT, &resolutionUnit);
    photometricStated = TIFFGetField(tif, TIFFTAG_PHOTOMETRIC, &photometric) == 1;
    if (!photometricStated) {
        photometric = PHOTOMETRIC_MINISWHITE;
    }
    if (TIFFGetField(tif, TIFFTAG_XRESOLUTION, &xResolution) != 1) {
        xResolution = 0.0f;
    }
    if (TIFFGetField(tif, TIFFTAG_YRESOLUTION, &yResolution) != 1) {
        yResolution = 0.0f;
    }
    TIFFGetFieldDefaulted(tif, TIFFTAG_PLANARCONFIG, &planarConfig);
    TIFFGetFieldDefaulted(tif, TIFFTAG_SAMPLEFORMAT, &sampleFormat);
    std::uint16_t* red = nullptr;
    std::uint16_t* green = nullptr;
    std::uint16_t* blue = nullptr;
    if (photometric == PHOTOMETRIC_PALETTE && bitsPerSample <= 8 &&
        TIFFGetField(tif, TIFFTAG_COLORMAP, &red, &green, &blue) == 1) {
        for (std::uint32_t i = 0; i < (1u << bitsPerSample); ++i) {
            palette.push_back(static_cast<std::uint32_t>(red[i] >> 8) << 16 |
                              static_cast<std::uint32_t>(green[i] >> 8) << 8 |
                              static_cast<std::uint32_t>(blue[i] >> 8));
        }
    }
    tiled = TIFFIsTiled(tif) != 0;
    if (tiled) {
        TIFFGetField(tif, TIFFTAG_TILEWIDTH, &tileWidth);
        TIFFGetField(tif, TIFFTAG_TILELENGTH, &tileLength);
    }
    return true;
}

bool TiffPageTags::isStreamableBilevel() const {
    return bitsPerSample == 1 && samplesPerPixel == 1 &&
           (photometric == PHOTOMETRIC_MINISWHITE || photometric == PHOTOMETRIC_MINISBLACK);
}

int TiffPageTags::bitsPerPixel() const {
    const std::int64_t bits = std::int64_t{bitsPerSample} * samplesPerPixel;
    return static_cast<int>(std::min<std::int64_t>(bits, std::numeric_limits<int>::max()));
}

int TiffPageTags::xDpi() const {
    return toDpi(xResolution, resolutionUnit);
}

int TiffPageTags::yDpi() const {
    return toDpi(yResolution, resolutionUnit);
}
