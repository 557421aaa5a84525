#pragma once

#include "image/TiffHandle.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

// One image file opened once for reading, for everything listing it needs: whether it is a
// regular file, its first bytes, its last-write time and its TIFF directories. Owns the file
// descriptor.
class ImageFileHandle {
public:
    // Bytes of the file's beginning that are kept (enough for every kind's signature).
    static constexpr std::size_t HeadSize = 1024;

    ImageFileHandle() = default;
    ~ImageFileHandle();
    ImageFileHandle(const ImageFileHandle&) = delete;
    ImageFileHandle& operator=(const ImageFileHandle&) = delete;

    // path: a file-system path. False when it cannot be opened or is not a regular file.
    bool open(const std::string& path);

    const std::uint8_t* head() const { return m_head; }
    std::size_t headSize() const { return m_headSize; }

    // The last-write time as the image list shows it; nothing while a writer holds the file
    // locked. The shared lock taken to find out is kept until the file is closed.
    std::optional<std::string> unlockedDate() const;

    // libtiff reading through this handle's descriptor; valid while this object lives.
    TiffHandle tiff() const;

private:
    int m_fd = -1;
    std::int64_t m_modified = 0;
    std::string m_path;
    std::uint8_t m_head[HeadSize] = {};
    std::size_t m_headSize = 0;
    mutable TiffHandle::DescriptorSource m_source;
};
