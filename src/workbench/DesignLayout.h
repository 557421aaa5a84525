#pragma once

#include "workbench/LayoutRect.h"

// The main window as designed: 558 x 455 dialog units, every control at its place.
//
// Dialog units become pixels with one fixed factor for the IPA Gothic 9 pt face at 96 dpi: two
// pixels per unit across and down. That face is about 12 pixels high and 6 to 12 pixels wide per
// character, which makes the captions fit their controls at the design size with a little room.
class DesignLayout {
public:
    static constexpr int kWidthDu = 558;
    static constexpr int kHeightDu = 455;
    static constexpr int kPixelsPerDuX = 2;
    static constexpr int kPixelsPerDuY = 2;
    static constexpr int kWidthPx = kWidthDu * kPixelsPerDuX;
    static constexpr int kHeightPx = kHeightDu * kPixelsPerDuY;

    // Every control in dialog units; magViews (1 or 2) decides how the magnified previews share
    // their band. With one view the second lies unused under the first.
    static Layout dialogUnits(int magViews);
    // The same in pixels.
    static Layout pixels(int magViews);
    static LayoutRect toPixels(const LayoutRect& du);
};
