#pragma once

#include "workbench/MagArea.h"

// The screen side of the magnified areas: the Zoomwell frames over the large preview, the
// rubber-band outline, the pointer, the "原点" menu and the small views 1020 and 1021.
class MagAreaView {
public:
    virtual ~MagAreaView() = default;

    // Lays the small views out for count areas and shows that many frames.
    virtual void layoutAreas(int count) = 0;
    // Moves frame index to rect (display pixels, the frame 2 pixels larger than the area).
    virtual void placeFrame(int index, const MagRect& frame) = 0;
    // Selects frame index (-1 none) with its handles oriented for origin.
    virtual void selectFrame(int index, int origin) = 0;
    virtual void showHandles(bool shown) = 0;
    virtual void drawOutline(const MagRect& rect) = 0;
    virtual void removeOutline() = 0;
    virtual void setMovePointer(bool move) = 0;
    // Shows the "原点" menu at (x, y) with the item of origin checked.
    virtual void showOriginMenu(int x, int y, int origin) = 0;
    // Renders small view index from its frame on the page, centred.
    virtual void renderView(int index) = 0;
    virtual void clearViews() = 0;
};
