#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// Owner of one libtiff TIFF*. Opening through this class also silences libtiff's error and
// warning handlers, so that broken files never print anything.

struct tiff;

class TiffHandle {
public:
    TiffHandle() = default;
    ~TiffHandle();
    TiffHandle(const TiffHandle&) = delete;
    TiffHandle& operator=(const TiffHandle&) = delete;
    TiffHandle(TiffHandle&& other) noexcept : m_tiff(other.m_tiff) { other.m_tiff = nullptr; }
    TiffHandle& operator=(TiffHandle&& other) noexcept;

    // mode is libtiff's: "r", "w", "a". Returns an empty handle when the file cannot be opened.
    static TiffHandle open(const std::string& path, const char* mode);
    // Takes ownership of a TIFF* opened otherwise (for example over a client stream).
    static TiffHandle adopt(tiff* opened);
    // A file read by position through a descriptor its owner keeps open, with the file's first
    // bytes already at hand.
    struct DescriptorSource {
        int fd = -1;
        std::uint64_t size = 0;
        std::uint64_t offset = 0;
        const std::uint8_t* head = nullptr;
        std::size_t headSize = 0;
    };
    // Reads through source, which must outlive the handle; name is used in messages only. The
    // file is read, not memory-mapped.
    static TiffHandle openDescriptor(DescriptorSource& source, const std::string& name);

    // Replaces libtiff's process-wide error and warning handlers with silent ones.
    static void silenceHandlers();

    tiff* get() const noexcept { return m_tiff; }
    explicit operator bool() const noexcept { return m_tiff != nullptr; }

    // Number of pages; 0 when the directory chain cannot be read.
    int pageCount() const;
    // Makes page (1-based) current. An image library result: Success, ErrPageNotFound when the
    // file has fewer pages, ErrFileRead when its directories are damaged.
    int selectPage(int page);

    // Closes now; returns false when libtiff reported a failure while flushing.
    bool close();

private:
    tiff* m_tiff = nullptr;
};
