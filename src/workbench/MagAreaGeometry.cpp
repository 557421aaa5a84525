#include "workbench/MagAreaGeometry.h"

#include "base/TextCodec.h"
#include "image/PaperSize.h"

#include <algorithm>
#include <cstdint>

int MagAreaGeometry::windowScale(DisplaySize page, DisplaySize initialControl) {
    if (page.width <= 0 || page.height <= 0 || initialControl.width <= 0 ||
        initialControl.height <= 0) {
        return 100;
    }
    const auto percent = [](int now, int initial) {
        return static_cast<int>((static_cast<std::int64_t>(now) * 100 + initial / 2) / initial);
    };
    return std::max(percent(page.width, initialControl.width),
                    percent(page.height, initialControl.height));
}

MagRect MagAreaGeometry::clamp(const MagRect& rect, int origin, DisplaySize display) {
    MagRect r = rect;
    r.left = std::max(r.left, 0);
    r.top = std::max(r.top, 0);
    r.width = std::clamp(r.width, 1, std::max(display.width, 1));
    r.height = std::clamp(r.height, 1, std::max(display.height, 1));
    r.left = std::max(std::min(r.left, display.width - r.width), 0);
    r.top = std::max(std::min(r.top, display.height - r.height), 0);
    return pin(r, origin, display);
}

MagRect MagAreaGeometry::pin(const MagRect& rect, int origin, DisplaySize display) {
    MagRect r = rect;
    const int right = display.width - r.width;
    const int bottom = display.height - r.height;
    switch (origin) {
    case MagArea::TopLeft:
        r.left = 0;
        r.top = 0;
        break;
    case MagArea::TopRight:
        r.left = right;
        r.top = 0;
        break;
    case MagArea::BottomLeft:
        r.left = 0;
        r.top = bottom;
        break;
    case MagArea::BottomRight:
        r.left = right;
        r.top = bottom;
        break;
    default:
        break;
    }
    return r;
}

MagRect MagAreaGeometry::dragged(const MagRect& start, int dx, int dy, DisplaySize display) {
    MagRect r = start;
    r.left = std::max(std::min(start.left + dx, display.width - r.width), 0);
    r.top = std::max(std::min(start.top + dy, display.height - r.height), 0);
    return r;
}

int MagAreaGeometry::resizePointer(int handlePos, int offsetTwips, int displayExtent) {
    return std::clamp(handlePos + offsetTwips / 15, 0, std::max(displayExtent, 0));
}

std::optional<MagRect> MagAreaGeometry::resized(const MagRect& start, int handle, int x, int y,
                                                DisplaySize display) {
    int left = start.left;
    int top = start.top;
    int right = start.right();
    int bottom = start.bottom();
    const bool leftEdge = handle >= 0 && handle <= 2;
    const bool rightEdge = handle >= 5 && handle <= 7;
    const bool topEdge = handle == 0 || handle == 3 || handle == 5;
    const bool bottomEdge = handle == 2 || handle == 4 || handle == 7;
    if (leftEdge) {
        left = std::min(x, right);
        right = std::max(x, right);
    } else if (rightEdge) {
        right = std::max(x, left);
        left = std::min(x, left);
    }
    if (topEdge) {
        top = std::min(y, bottom);
        bottom = std::max(y, bottom);
    } else if (bottomEdge) {
        bottom = std::max(y, top);
        top = std::min(y, top);
    }
    if (right - left < 3 || bottom - top < 3) {
        return std::nullopt;
    }
    return clamp({left, top, right - left, bottom - top}, MagArea::Free, display);
}

MagAreaGeometry::ViewPart MagAreaGeometry::centred(const MagRect& region, int viewWidth,
                                                   int viewHeight) {
    ViewPart v{region, 0, 0};
    const auto fit = [](int& start, int& extent, int& at, int view) {
        if (extent > view) {
            start += (extent - view) / 2;
            extent = std::max(view, 0);
        } else {
            at = (view - extent) / 2;
        }
    };
    fit(v.part.left, v.part.width, v.x, viewWidth);
    fit(v.part.top, v.part.height, v.y, viewHeight);
    return v;
}

int MagAreaGeometry::memorySlot(const std::string& paperText) {
    static const std::string portrait = textcodec::utf8ToCp932("縦");
    for (int i = 0; i < PaperSize::kEntryCount; ++i) {
        if (paperText.find(PaperSize::kTable[i].name) != std::string::npos) {
            return i * 2 + (paperText.find(portrait) != std::string::npos ? 0 : 1);
        }
    }
    return kSlotsPerArea - 1;
}
