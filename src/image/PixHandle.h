#pragma once

// Owner of one Leptonica PIX: the bitmap type of the image library. Move-only; the destructor
// frees the PIX.

struct Pix;

class PixHandle {
public:
    PixHandle() = default;
    explicit PixHandle(Pix* pix) noexcept : m_pix(pix) {}
    ~PixHandle();
    PixHandle(const PixHandle&) = delete;
    PixHandle& operator=(const PixHandle&) = delete;
    PixHandle(PixHandle&& other) noexcept : m_pix(other.release()) {}
    PixHandle& operator=(PixHandle&& other) noexcept;

    Pix* get() const noexcept { return m_pix; }
    Pix* release() noexcept;
    void reset(Pix* pix = nullptr) noexcept;
    explicit operator bool() const noexcept { return m_pix != nullptr; }

    // Pixel size and depth; 0 when empty. Colour pages (held as 32-bit words) report 24 bits per
    // pixel, as they are saved.
    int width() const;
    int height() const;
    int bitsPerPixel() const;
    int xResolution() const;
    int yResolution() const;

    // A deep copy (empty when this is empty or memory ran out).
    PixHandle copy() const;

private:
    Pix* m_pix = nullptr;
};
