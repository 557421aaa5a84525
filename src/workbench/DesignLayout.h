#pragma once

#include "workbench/LayoutRect.h"

#include <utility>

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

    // Every control in dialog units; both magnified previews cover their whole band.
    static Layout dialogUnits();
    // The same in pixels, with the band shared by magViews (1 or 2) views.
    static Layout pixels(int magViews);
    // The magnified previews in their band (pixels): one view fills it, the second lying unused
    // under the first; two views are each half the band's height less 3 pixels, the first at the
    // top, the second at the bottom.
    static std::pair<LayoutRect, LayoutRect> magViews(const LayoutRect& band, int views);
    static LayoutRect toPixels(const LayoutRect& du);
};
