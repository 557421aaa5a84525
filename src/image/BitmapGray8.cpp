#include "image/BitmapGray8.h"

BitmapGray8::BitmapGray8(int width, int height, std::uint8_t fill) {
    if (width > 0 && height > 0) {
        m_width = width;
        m_height = height;
        m_pixels.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), fill);
    }
}
