#include "image/TiffHandle.h"

#include "image/ImageLibrary.h"

#include <cstdint>
#include <sys/stat.h>
#include <tiffio.h>
#include <unistd.h>

namespace {

int descriptorOf(thandle_t handle) {
    return static_cast<int>(reinterpret_cast<std::intptr_t>(handle));
}

tmsize_t readDescriptor(thandle_t handle, void* buffer, tmsize_t size) {
    return ::read(descriptorOf(handle), buffer, static_cast<std::size_t>(size));
}

tmsize_t refuseWrite(thandle_t, void*, tmsize_t) {
    return -1;
}

toff_t seekDescriptor(thandle_t handle, toff_t offset, int whence) {
    const off_t at = ::lseek(descriptorOf(handle), static_cast<off_t>(offset), whence);
    return at < 0 ? static_cast<toff_t>(-1) : static_cast<toff_t>(at);
}

int keepOpen(thandle_t) {
    return 0;
}

toff_t sizeOfDescriptor(thandle_t handle) {
    struct stat st {};
    return ::fstat(descriptorOf(handle), &st) == 0 ? static_cast<toff_t>(st.st_size) : 0;
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

TiffHandle TiffHandle::openDescriptor(int fd, const std::string& name) {
    silenceHandlers();
    TiffHandle handle;
    if (::lseek(fd, 0, SEEK_SET) != 0) {
        return handle;
    }
    handle.m_tiff = TIFFClientOpen(name.c_str(), "rm",
                                   reinterpret_cast<thandle_t>(static_cast<std::intptr_t>(fd)),
                                   readDescriptor, refuseWrite, seekDescriptor, keepOpen,
                                   sizeOfDescriptor, noMapping, noUnmapping);
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
