#include "image/BitmapRegion.h"

#include <cmath>
#include <leptonica/allheaders.h>

void BitmapRegion::span(int y, int& from, int& to) const {
    from = 0;
    to = m_bounds.width;
    if (m_shape != Ellipse) {
        return;
    }
    // Pixel centres inside the ellipse inscribed in the bounds.
    const double a = m_bounds.width / 2.0;
    const double b = m_bounds.height / 2.0;
    const double dy = (y + 0.5 - b) / b;
    const double inside = 1.0 - dy * dy;
    if (inside <= 0.0) {
        from = to = 0;
        return;
    }
    const double half = a * std::sqrt(inside);
    from = static_cast<int>(std::ceil(a - half - 0.5));
    to = static_cast<int>(std::floor(a + half - 0.5)) + 1;
    if (from < 0) {
        from = 0;
    }
    if (to > m_bounds.width) {
        to = m_bounds.width;
    }
}

bool BitmapRegion::contains(int x, int y) const {
    if (x < m_bounds.left || y < m_bounds.top || x >= m_bounds.right() || y >= m_bounds.bottom()) {
        return false;
    }
    int from = 0;
    int to = 0;
    span(y - m_bounds.top, from, to);
    const int column = x - m_bounds.left;
    return column >= from && column < to;
}

BitmapRegion BitmapRegion::translated(int dx, int dy) const {
    BitmapRect moved = m_bounds;
    moved.left += dx;
    moved.top += dy;
    return BitmapRegion(m_shape, moved);
}

PixHandle BitmapRegion::mask() const {
    if (isEmpty()) {
        return {};
    }
    PixHandle mask(pixCreate(m_bounds.width, m_bounds.height, 1));
    if (!mask) {
        return {};
    }
    for (int y = 0; y < m_bounds.height; ++y) {
        int from = 0;
        int to = 0;
        span(y, from, to);
        if (to > from) {
            pixRasterop(mask.get(), from, y, to - from, 1, PIX_SET, nullptr, 0, 0);
        }
    }
    return mask;
}
