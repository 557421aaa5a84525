#include "workbench/MagArea.h"

int MagArea::scaleFixed(int v, int to, int from) {
    const std::int64_t f = from == 0 ? 0 : (static_cast<std::int64_t>(to) - from) * 4096 / from;
    return static_cast<int>(v + static_cast<std::int64_t>(v) * f / 4096);
}

namespace {

MagRect scaled(const MagRect& r, int to, int from) {
    return {MagArea::scaleFixed(r.left, to, from), MagArea::scaleFixed(r.top, to, from),
            MagArea::scaleFixed(r.width, to, from), MagArea::scaleFixed(r.height, to, from)};
}

} // namespace

void MagArea::setDisplay(const MagRect& rect, int windowScale) {
    display = rect;
    reference = scaled(rect, 100, windowScale);
}

void MagArea::setReference(const MagRect& rect, int windowScale) {
    reference = rect;
    display = scaled(rect, windowScale, 100);
}
