#pragma once

#include "image/BitmapRect.h"
#include "image/PixHandle.h"

// An area of a bitmap: a rectangle or the ellipse inscribed in it, in bitmap pixels.
class BitmapRegion {
public:
    enum Shape { Rectangle = 1, Ellipse = 3 };

    BitmapRegion() = default;
    BitmapRegion(Shape shape, BitmapRect bounds) : m_shape(shape), m_bounds(bounds) {}

    Shape shape() const { return m_shape; }
    const BitmapRect& bounds() const { return m_bounds; }
    bool isEmpty() const { return m_bounds.isEmpty(); }

    bool contains(int x, int y) const;
    BitmapRegion translated(int dx, int dy) const;

    // A 1-bit mask the size of the bounds, set where the region covers a pixel.
    PixHandle mask() const;

private:
    // Columns [from, to) of row y (relative to the bounds' top) that lie inside the region.
    void span(int y, int& from, int& to) const;

    Shape m_shape = Rectangle;
    BitmapRect m_bounds;
};
