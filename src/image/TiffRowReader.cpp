#include "image/TiffRowReader.h"

#include "image/ImageLibrary.h"

#include <tiffio.h>

int TiffRowReader::open(const std::string& path, int page) {
    m_tiff = TiffHandle::open(path, "r");
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
    if (m_tags.tiled) {
        return ImageLibrary::ErrUnsupported;
    }
    const tmsize_t size = TIFFScanlineSize(m_tiff.get());
    if (size <= 0) {
        return ImageLibrary::ErrFileRead;
    }
    m_row.assign(static_cast<std::size_t>(size), 0);
    m_next = 0;
    return ImageLibrary::Success;
}

const std::uint8_t* TiffRowReader::nextRow() {
    if (!m_tiff || m_next >= m_tags.height) {
        return nullptr;
    }
    if (TIFFReadScanline(m_tiff.get(), m_row.data(), m_next, 0) != 1) {
        return nullptr;
    }
    ++m_next;
    return m_row.data();
}
