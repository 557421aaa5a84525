#include "image/TiffHandle.h"

#include "image/ImageLibrary.h"

#include <tiffio.h>

TiffHandle::~TiffHandle() {
    close();
}

TiffHandle& TiffHandle::operator=(TiffHandle&& other) noexcept {
    if (this != &other) {
        close();
        m_tiff = other.m_tiff;
        other.m_tiff = nullptr;
    }
    return *this;
}

void TiffHandle::silenceHandlers() {
    // Set on every open: another component may have installed printing handlers meanwhile.
    TIFFSetErrorHandler(nullptr);
    TIFFSetWarningHandler(nullptr);
}

TiffHandle TiffHandle::open(const std::string& path, const char* mode) {
    silenceHandlers();
    TiffHandle handle;
    handle.m_tiff = TIFFOpen(path.c_str(), mode);
    return handle;
}

TiffHandle TiffHandle::adopt(tiff* opened) {
    TiffHandle handle;
    handle.m_tiff = opened;
    return handle;
}

int TiffHandle::pageCount() const {
    return m_tiff != nullptr ? static_cast<int>(TIFFNumberOfDirectories(m_tiff)) : 0;
}

int TiffHandle::selectPage(int page) {
    const int count = pageCount();
    if (count == 0) {
        return ImageLibrary::ErrFileRead;
    }
    if (page < 1 || page > count) {
        return ImageLibrary::ErrPageNotFound;
    }
    return TIFFSetDirectory(m_tiff, static_cast<tdir_t>(page - 1)) == 1 ? ImageLibrary::Success
                                                                        : ImageLibrary::ErrFileRead;
}

bool TiffHandle::close() {
    if (m_tiff == nullptr) {
        return true;
    }
    const bool flushed = TIFFFlush(m_tiff) == 1;
    TIFFClose(m_tiff);
    m_tiff = nullptr;
    return flushed;
}
