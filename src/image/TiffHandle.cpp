#include "image/TiffHandle.h"

#include "image/ImageLibrary.h"

#include <cstring>
#include <tiffio.h>
#include <unistd.h>

namespace {

using Source = TiffHandle::DescriptorSource;

Source& sourceOf(thandle_t handle) {
    return *static_cast<Source*>(handle);
}

tmsize_t readSource(thandle_t handle, void* buffer, tmsize_t size) {
    Source& source = sourceOf(handle);
    const auto wanted = static_cast<std::size_t>(size);
    ssize_t read = 0;
    if (source.offset + wanted <= source.headSize) {
        std::memcpy(buffer, source.head + source.offset, wanted);
        read = static_cast<ssize_t>(wanted);
    } else {
        read = ::pread(source.fd, buffer, wanted, static_cast<off_t>(source.offset));
    }
    if (read > 0) {
        source.offset += static_cast<std::uint64_t>(read);
    }
    return read;
}

tmsize_t refuseWrite(thandle_t, void*, tmsize_t) {
    return -1;
}

toff_t seekSource(thandle_t handle, toff_t offset, int whence) {
    Source& source = sourceOf(handle);
    std::uint64_t base = 0;
    if (whence == SEEK_CUR) {
        base = source.offset;
    } else if (whence == SEEK_END) {
        base = source.size;
    }
    source.offset = base + offset;
    return source.offset;
}

int keepOpen(thandle_t) {
    return 0;
}

toff_t sizeOfSource(thandle_t handle) {
    return sourceOf(handle).size;
}

int noMapping(thandle_t, void**, toff_t*) {
    return 0;
}

void noUnmapping(thandle_t, void*, toff_t) {
}

} // namespace

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

TiffHandle TiffHandle::openDescriptor(DescriptorSource& source, const std::string& name) {
    silenceHandlers();
    source.offset = 0;
    TiffHandle handle;
    handle.m_tiff = TIFFClientOpen(name.c_str(), "rm", &source, readSource, refuseWrite, seekSource,
                                   keepOpen, sizeOfSource, noMapping, noUnmapping);
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
