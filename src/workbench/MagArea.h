#pragma once

#include <cstdint>

// A rectangle of a magnified area: left, top, width and height in pixels.
struct MagRect {
    int left = 0;
    int top = 0;
    int width = 100;
    int height = 50;

    int right() const { return left + width; }
    int bottom() const { return top + height; }
    // Both bounds inclusive, as a click on an area's edge still hits it.
    bool contains(int x, int y) const {
        return x >= left && x <= right() && y >= top && y <= bottom();
    }
    bool operator==(const MagRect&) const = default;
};

// One magnified area of the preview: its anchor and its rectangle both on the large preview's
// display and in reference pixels, the display at the window's initial size. The window scale
// (percent) links the two.
struct MagArea {
    enum Origin { TopLeft = 0, TopRight = 1, BottomLeft = 2, BottomRight = 3, Free = 4 };

    int origin = BottomRight;
    MagRect display;
    MagRect reference;
    bool enabled = false;

    // Scales v by to ÷ from through a 12-bit fixed-point factor, the way every area coordinate
    // is converted (a from of 0 leaves v as it is).
    static int scaleFixed(int v, int to, int from);

    // Sets the display rectangle and derives the reference one.
    void setDisplay(const MagRect& rect, int windowScale);
    // Sets the reference rectangle and derives the display one.
    void setReference(const MagRect& rect, int windowScale);
};
