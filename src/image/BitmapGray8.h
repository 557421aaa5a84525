#pragma once

#include <cstdint>
#include <vector>

// A plain 8-bit grey bitmap handed to the noise eraser: rows top to bottom, one byte per pixel,
// no padding, 0 black and 255 white.
class BitmapGray8 {
public:
    BitmapGray8() = default;
    BitmapGray8(int width, int height, std::uint8_t fill = 255);

    int width() const { return m_width; }
    int height() const { return m_height; }
    bool isEmpty() const { return m_pixels.empty(); }

    std::uint8_t* row(int y) { return m_pixels.data() + static_cast<std::size_t>(y) * m_width; }
    const std::uint8_t* row(int y) const {
        return m_pixels.data() + static_cast<std::size_t>(y) * m_width;
    }
    std::uint8_t& at(int x, int y) { return row(y)[x]; }
    std::uint8_t at(int x, int y) const { return row(y)[x]; }

private:
    int m_width = 0;
    int m_height = 0;
    std::vector<std::uint8_t> m_pixels;
};
