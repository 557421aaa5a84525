#include "image/TiffRowReader.h"

#include "image/ImageLibrary.h"

#include <algorithm>
#include <tiffio.h>

int TiffRowReader::open(const std::string& path, int page) {
    m_tiff = TiffHandle::open(path, "rm");
    if (!m_tiff) {
        return ImageLibrary::ErrFileRead;
    }
    if (const int result = m_tiff.selectPage(page); result != ImageLibrary::Success) {
        return result;
    }
    if (!m_tags.read(m_tiff.get())) {
        return ImageLibrary::ErrFileRead;
    }
    if (m_tags.width > ImageLibrary::MaxSide || m_tags.height > ImageLibrary::MaxSide) {
        return ImageLibrary::ErrImageTooLarge;
    }
    tiff* tif = m_tiff.get();
    if (m_tags.compression == COMPRESSION_JPEG && m_tags.photometric == PHOTOMETRIC_YCBCR) {
        TIFFSetField(tif, TIFFTAG_JPEGCOLORMODE, JPEGCOLORMODE_RGB);
        m_tags.photometric = PHOTOMETRIC_RGB;
    }
    const tmsize_t size = TIFFScanlineSize(tif);
    if (size <= 0) {
        return ImageLibrary::ErrFileRead;
    }
    // A row wider than the widest page of four 16-bit samples (absurd sample sizes or counts)
    // belongs to no page this program can show; its buffer is never made.
    if (static_cast<std::uint64_t>(size) > std::uint64_t{ImageLibrary::MaxSide} * 8) {
        return ImageLibrary::ErrImageTooLarge;
    }
    m_rowBytes = static_cast<std::size_t>(size);
    m_next = 0;
    m_bandTop = 0;
    m_bandRows = 0;
    if (!m_tags.tiled) {
        m_band.assign(m_rowBytes, 0);
        m_tile.clear();
        return ImageLibrary::Success;
    }
    const tmsize_t tileBytes = TIFFTileSize(tif);
    const tmsize_t tileRowBytes = TIFFTileRowSize(tif);
    if (tileBytes <= 0 || tileRowBytes <= 0 || m_tags.tileWidth == 0 || m_tags.tileLength == 0 ||
        m_tags.tileLength > ImageLibrary::MaxSide ||
        static_cast<std::uint64_t>(tileBytes) !=
            static_cast<std::uint64_t>(tileRowBytes) * m_tags.tileLength) {
        return ImageLibrary::ErrUnsupported;
    }
    if (static_cast<std::uint64_t>(tileBytes) > ImageLibrary::MaxBitmapBytes ||
        std::uint64_t{m_rowBytes} * m_tags.tileLength > ImageLibrary::MaxBitmapBytes) {
        return ImageLibrary::ErrImageTooLarge;
    }
    m_tile.assign(static_cast<std::size_t>(tileBytes), 0);
    m_band.assign(m_rowBytes * m_tags.tileLength, 0);
    return ImageLibrary::Success;
}

// Decodes the tiles across the page at m_bandTop into m_band, one page row per band row.
bool TiffRowReader::readTileBand() {
    tiff* tif = m_tiff.get();
    const std::size_t tileRowBytes = m_tile.size() / m_tags.tileLength;
    const std::uint32_t bitsPerPixel =
        static_cast<std::uint32_t>(m_tags.bitsPerSample) * m_tags.samplesPerPixel;
    m_bandRows = std::min(m_tags.tileLength, m_tags.height - m_bandTop);
    for (std::uint32_t left = 0; left < m_tags.width; left += m_tags.tileWidth) {
        if (TIFFReadTile(tif, m_tile.data(), left, m_bandTop, 0, 0) < 0) {
            return false;
        }
        const std::size_t from = static_cast<std::size_t>(left) * bitsPerPixel / 8;
        const std::size_t count = std::min(tileRowBytes, m_rowBytes - from);
        for (std::uint32_t r = 0; r < m_bandRows; ++r) {
            std::copy_n(m_tile.data() + r * tileRowBytes, count,
                        m_band.data() + r * m_rowBytes + from);
        }
    }
    return true;
}

const std::uint8_t* TiffRowReader::nextRow() {
    if (!m_tiff || m_next >= m_tags.height) {
        return nullptr;
    }
    if (!m_tags.tiled) {
        if (TIFFReadScanline(m_tiff.get(), m_band.data(), m_next, 0) != 1) {
            return nullptr;
        }
        ++m_next;
        return m_band.data();
    }
    if (m_next == m_bandTop + m_bandRows) {
        m_bandTop = m_next;
        if (!readTileBand()) {
            m_tiff.close();
            return nullptr;
        }
    }
    const std::uint8_t* row = m_band.data() + (m_next - m_bandTop) * m_rowBytes;
    ++m_next;
    return row;
}
