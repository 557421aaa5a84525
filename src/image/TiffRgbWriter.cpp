#include "image/TiffRgbWriter.h"

#include <tiffio.h>

namespace {

constexpr int DefaultDpi = 300;

} // namespace

bool TiffRgbWriter::open(const std::string& path) {
    m_tiff = TiffHandle::open(path, "w");
    m_pageOpen = false;
    return static_cast<bool>(m_tiff);
}

bool TiffRgbWriter::beginPage(std::uint32_t width, std::uint32_t height, int xDpi, int yDpi) {
    tiff* tif = m_tiff.get();
    if (tif == nullptr || m_pageOpen || width == 0 || height == 0) {
        return false;
    }
    const float xRes = static_cast<float>(xDpi > 0 ? xDpi : DefaultDpi);
    const float yRes = static_cast<float>(yDpi > 0 ? yDpi : DefaultDpi);
    bool ok = TIFFSetField(tif, TIFFTAG_IMAGEWIDTH, width) == 1;
    ok = ok && TIFFSetField(tif, TIFFTAG_IMAGELENGTH, height) == 1;
    ok = ok && TIFFSetField(tif, TIFFTAG_BITSPERSAMPLE, 8) == 1;
    ok = ok && TIFFSetField(tif, TIFFTAG_SAMPLESPERPIXEL, 3) == 1;
    ok = ok && TIFFSetField(tif, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_RGB) == 1;
    ok = ok && TIFFSetField(tif, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG) == 1;
    ok = ok && TIFFSetField(tif, TIFFTAG_ORIENTATION, ORIENTATION_TOPLEFT) == 1;
    ok = ok && TIFFSetField(tif, TIFFTAG_COMPRESSION, COMPRESSION_ADOBE_DEFLATE) == 1;
    ok = ok && TIFFSetField(tif, TIFFTAG_ROWSPERSTRIP, height) == 1;
    ok = ok && TIFFSetField(tif, TIFFTAG_RESOLUTIONUNIT, RESUNIT_INCH) == 1;
    ok = ok && TIFFSetField(tif, TIFFTAG_XRESOLUTION, xRes) == 1;
    ok = ok && TIFFSetField(tif, TIFFTAG_YRESOLUTION, yRes) == 1;
    m_height = height;
    m_row = 0;
    m_pageOpen = ok;
    return ok;
}

bool TiffRgbWriter::writeRow(const std::uint8_t* row) {
    if (!m_pageOpen || m_row >= m_height) {
        return false;
    }
    // libtiff takes a non-const buffer; the deflate encoder only reads it.
    if (TIFFWriteScanline(m_tiff.get(), const_cast<std::uint8_t*>(row), m_row, 0) != 1) {
        return false;
    }
    ++m_row;
    return true;
}

bool TiffRgbWriter::finish() {
    const bool complete = m_pageOpen && m_row == m_height;
    m_pageOpen = false;
    const bool written = complete && TIFFWriteDirectory(m_tiff.get()) == 1;
    return m_tiff.close() && written;
}
