#pragma once

#include "workbench/MagArea.h"

// The screen side of the magnified areas: the Zoomwell frames over the large preview, the
// rubber-band outline, the pointer and the small views 1020 and 1021. Every call has a
// do-nothing default, for a window without a screen.
class MagAreaView {
public:
    virtual ~MagAreaView() = default;

    // Lays the small views out for count areas and shows that many frames.
    virtual void layoutAreas(int count) { (void)count; }
    // Moves frame index to rect (display pixels, the frame 2 pixels larger than the area).
    virtual void placeFrame(int index, const MagRect& frame) {
        (void)index;
        (void)frame;
    }
    // Selects frame index (-1 none) with its handles oriented for origin.
    virtual void selectFrame(int index, int origin) {
        (void)index;
        (void)origin;
    }
    virtual void showHandles(bool shown) { (void)shown; }
    virtual void drawOutline(const MagRect& rect) { (void)rect; }
    virtual void removeOutline() {}
    virtual void setMovePointer(bool move) { (void)move; }
    // Renders small view index from its frame on the page, centred.
    virtual void renderView(int index) { (void)index; }
    virtual void clearViews() {}
};
