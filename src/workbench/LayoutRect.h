#pragma once

#include <map>

// A control's rectangle in the main window's client area.
struct LayoutRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;

    int right() const { return x + width; }
    int bottom() const { return y + height; }
    bool operator==(const LayoutRect&) const = default;
};

// Rectangles of the main window's controls by control id.
using Layout = std::map<int, LayoutRect>;
