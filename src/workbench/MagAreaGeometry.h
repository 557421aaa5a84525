#pragma once

#include "workbench/MagArea.h"

#include <optional>
#include <string>

// The size of the page as displayed on the large preview, in pixels.
struct DisplaySize {
    int width = 0;
    int height = 0;
};

// The geometry rules of the magnified areas, free of any screen.
class MagAreaGeometry {
public:
    // Areas shown for the ExpanPreview setting: 2 for 1, else 1.
    static int areaCount(int expanPreview) { return expanPreview == 1 ? 2 : 1; }

    // The window scale in percent: the page as displayed now against the same page fitted into
    // the preview control at the window's initial size, rounded. The page is fitted there by the
    // side that fills the control first, so the larger of the two ratios is the scale, whichever
    // side limits the page now. 100 without a page or without a control size.
    static int windowScale(DisplaySize page, DisplaySize initialControl);

    // The area kept inside the display: no negative position, a size of at least 1 and at most
    // the display, pushed back inside, then pinned to its corner unless it is free.
    static MagRect clamp(const MagRect& rect, int origin, DisplaySize display);
    // The rectangle moved to the corner of origin 0 to 3; a free area stays where it is.
    static MagRect pin(const MagRect& rect, int origin, DisplaySize display);

    // A drag by (dx, dy) from the rectangle held at button down, kept inside the display.
    static MagRect dragged(const MagRect& start, int dx, int dy, DisplaySize display);

    // The pointer of a resize: handle position + offset in twips ÷ 15, kept on the display.
    static int resizePointer(int handlePos, int offsetTwips, int displayExtent);
    // The rectangle after handle (0 left-top, 1 left, 2 left-bottom, 3 top, 4 bottom, 5
    // right-top, 6 right, 7 right-bottom) was pulled to (x, y): the opposite edges stay, a
    // handle pulled across its opposite edge swaps the sides. Nothing when the result would be
    // narrower or lower than 3 pixels.
    static std::optional<MagRect> resized(const MagRect& start, int handle, int x, int y,
                                          DisplaySize display);

    // The part of a source region a small view of the given size shows at one source pixel per
    // view pixel, and where it goes: a region smaller than the view is centred in it, a larger
    // one is cut to its centre.
    struct ViewPart {
        MagRect part;
        int x = 0;
        int y = 0;
    };
    static ViewPart centred(const MagRect& region, int viewWidth, int viewHeight);

    // The size-memory slot (0 to 20) of a paper-size text as shown in 1069 (cp932): the first
    // table size the text contains, portrait (even) when it contains "縦", landscape (odd)
    // otherwise; 20 (unfixed) when it names none.
    static int memorySlot(const std::string& paperText);
    static constexpr int kSlotsPerArea = 21;
};
