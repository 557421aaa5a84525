#pragma once

#include "workbench/LayoutRect.h"

// How a control follows the main window when it grows over its design size.
enum class GrowthRule {
    Fixed,           // stays where it is
    Widen,           // wider by dx (the top border lines)
    ShiftHalfX,      // right by dx / 2 (the image header)
    ShiftX,          // right by dx (the rename-list and image-list side)
    ShiftXY,         // right by dx and down by dy (the buttons under the preview)
    PreviewStack,    // wider by dx, top down by dy / 2, bottom down by dy
    MagView,         // wider by dx, each of n views dy / (2 n) higher, stacked
    CentreInPreview, // kept centred in the preview background
    BottomEdge,      // down by dy and wider by dx (the status bar)
};

// The growth of the window over its design size; a smaller size counts as no growth.
struct Growth {
    int dx = 0;
    int dy = 0;
};

class LayoutGrowth {
public:
    static GrowthRule rule(int controlId);
    static Growth over(int designWidth, int designHeight, int width, int height);
    // The rectangles of every control of the design for a growth of (dx, dy), with magViews (1 or
    // 2) magnified previews sharing their band.
    static Layout grow(const Layout& design, Growth growth, int magViews);
};
