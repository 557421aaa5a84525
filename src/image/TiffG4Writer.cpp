#include "image/TiffG4Writer.h"

#include <filesystem>
#include <leptonica/allheaders.h>
#include <tiffio.h>
#include <utility>
#include <vector>

TiffG4Writer::PageFormat TiffG4Writer::formatOf(const TiffPageTags& tags, std::uint32_t width,
                                                std::uint32_t height) {
    PageFormat format;
    format.width = width;
    format.height = height;
    format.photometric = tags.photometric;
    format.resolutionUnit = tags.resolutionUnit;
    format.xResolution = tags.xResolution;
    format.yResolution = tags.yResolution;
    return format;
}

bool TiffG4Writer::open(const std::string& path, bool append) {
    std::error_code error;
    const bool exists = std::filesystem::exists(path, error);
    m_tiff = TiffHandle::open(path, append && exists ? "a" : "w");
    m_pageOpen = false;
    return static_cast<bool>(m_tiff);
}

bool TiffG4Writer::open(TiffHandle opened) {
    m_tiff = std::move(opened);
    m_pageOpen = false;
    return static_cast<bool>(m_tiff);
}

bool TiffG4Writer::beginPage(const PageFormat& format) {
    tiff* tif = m_tiff.get();
    if (tif == nullptr || m_pageOpen || format.width == 0 || format.height == 0) {
        return false;
    }
    bool ok = TIFFSetField(tif, TIFFTAG_SUBFILETYPE, FILETYPE_PAGE) == 1;
    ok = ok && TIFFSetField(tif, TIFFTAG_IMAGEWIDTH, format.width) == 1;
    ok = ok && TIFFSetField(tif, TIFFTAG_IMAGELENGTH, format.height) == 1;
    ok = ok && TIFFSetField(tif, TIFFTAG_BITSPERSAMPLE, 1) == 1;
    ok = ok && TIFFSetField(tif, TIFFTAG_SAMPLESPERPIXEL, 1) == 1;
    ok = ok && TIFFSetField(tif, TIFFTAG_COMPRESSION, COMPRESSION_CCITTFAX4) == 1;
    ok = ok && TIFFSetField(tif, TIFFTAG_PHOTOMETRIC, format.photometric) == 1;
    ok = ok && TIFFSetField(tif, TIFFTAG_FILLORDER, FILLORDER_MSB2LSB) == 1;
    ok = ok && TIFFSetField(tif, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG) == 1;
    ok = ok && TIFFSetField(tif, TIFFTAG_ROWSPERSTRIP, format.height) == 1;
    ok = ok && TIFFSetField(tif, TIFFTAG_RESOLUTIONUNIT, format.resolutionUnit) == 1;
    // Each resolution the source states is kept, also when it states only one of them.
    if (format.xResolution > 0.0f) {
        ok = ok && TIFFSetField(tif, TIFFTAG_XRESOLUTION, format.xResolution) == 1;
    }
    if (format.yResolution > 0.0f) {
        ok = ok && TIFFSetField(tif, TIFFTAG_YRESOLUTION, format.yResolution) == 1;
    }
    m_height = format.height;
    m_row = 0;
    m_pageOpen = ok;
    return ok;
}

bool TiffG4Writer::writeRow(const std::uint8_t* row) {
    if (!m_pageOpen || m_row >= m_height) {
        return false;
    }
    // libtiff's scanline API takes a non-const buffer but does not modify it for CCITT encoding.
    auto* data = const_cast<std::uint8_t*>(row);
    if (TIFFWriteScanline(m_tiff.get(), data, m_row, 0) != 1) {
        return false;
    }
    ++m_row;
    return true;
}

bool TiffG4Writer::endPage() {
    if (!m_pageOpen) {
        return false;
    }
    m_pageOpen = false;
    return m_row == m_height && TIFFWriteDirectory(m_tiff.get()) == 1;
}

bool TiffG4Writer::writePage(Pix* bilevel) {
    if (bilevel == nullptr || pixGetDepth(bilevel) != 1) {
        return false;
    }
    PageFormat format;
    format.width = pixGetWidth(bilevel);
    format.height = pixGetHeight(bilevel);
    format.photometric = PHOTOMETRIC_MINISWHITE;
    format.resolutionUnit = RESUNIT_INCH;
    format.xResolution = static_cast<float>(pixGetXRes(bilevel));
    format.yResolution = static_cast<float>(pixGetYRes(bilevel));
    if (!beginPage(format)) {
        return false;
    }
    // Leptonica keeps rows as native-endian 32-bit words, most significant bit leftmost.
    const std::size_t rowBytes = (format.width + 7) / 8;
    const l_int32 wpl = pixGetWpl(bilevel);
    std::vector<std::uint8_t> row(static_cast<std::size_t>(wpl) * 4);
    for (std::uint32_t y = 0; y < format.height; ++y) {
        const l_uint32* words = pixGetData(bilevel) + static_cast<std::size_t>(y) * wpl;
        for (l_int32 w = 0; w < wpl; ++w) {
            row[4 * w] = static_cast<std::uint8_t>(words[w] >> 24);
            row[4 * w + 1] = static_cast<std::uint8_t>(words[w] >> 16);
            row[4 * w + 2] = static_cast<std::uint8_t>(words[w] >> 8);
            row[4 * w + 3] = static_cast<std::uint8_t>(words[w]);
        }
        if (format.width % 8 != 0) {
            row[rowBytes - 1] &= static_cast<std::uint8_t>(0xff00 >> (format.width % 8));
        }
        if (!writeRow(row.data())) {
            return false;
        }
    }
    return endPage();
}

bool TiffG4Writer::close() {
    const bool complete = !m_pageOpen;
    m_pageOpen = false;
    return m_tiff.close() && complete;
}
