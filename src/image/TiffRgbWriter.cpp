#include "image/TiffRgbWriter.h"

#include <algorithm>
#include <cstring>
#include <tiffio.h>

namespace {

constexpr int DefaultDpi = 300;
// Strips of about this size are compressed whole, each in one call.
constexpr std::size_t StripBytes = 256 * 1024;

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
    ok = ok && TIFFSetField(tif, TIFFTAG_COMPRESSION, COMPRESSION_ZSTD) == 1;
    ok = ok && TIFFSetField(tif, TIFFTAG_ZSTD_LEVEL, 1) == 1;
    const std::size_t rowBytes = static_cast<std::size_t>(width) * 3;
    m_rowsPerStrip =
        static_cast<std::uint32_t>(std::clamp<std::size_t>(StripBytes / rowBytes, 1, height));
    ok = ok && TIFFSetField(tif, TIFFTAG_ROWSPERSTRIP, m_rowsPerStrip) == 1;
    m_strip.assign(rowBytes * m_rowsPerStrip, 0);
    m_stripRows = 0;
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
    const std::size_t rowBytes = m_strip.size() / m_rowsPerStrip;
    std::memcpy(m_strip.data() + rowBytes * m_stripRows, row, rowBytes);
    ++m_row;
    ++m_stripRows;
    return (m_stripRows < m_rowsPerStrip && m_row < m_height) || flushStrip();
}

bool TiffRgbWriter::flushStrip() {
    const std::size_t rowBytes = m_strip.size() / m_rowsPerStrip;
    const tmsize_t bytes = static_cast<tmsize_t>(rowBytes * m_stripRows);
    const uint32_t strip = (m_row - 1) / m_rowsPerStrip;
    m_stripRows = 0;
    return TIFFWriteEncodedStrip(m_tiff.get(), strip, m_strip.data(), bytes) == bytes;
}

bool TiffRgbWriter::finish() {
    const bool complete = m_pageOpen && m_row == m_height;
    m_pageOpen = false;
    const bool written = complete && TIFFWriteDirectory(m_tiff.get()) == 1;
    return m_tiff.close() && written;
}
