#include "image/ImageEditRules.h"

#include <algorithm>
#include <cmath>
#include <numbers>

int ImageEditRules::deskewHundredths(int x1, int y1, int x2, int y2) {
    if (x2 == x1) {
        return -QuarterTurn;
    }
    const double degrees = std::atan(static_cast<double>(y2 - y1) / static_cast<double>(x2 - x1)) *
                           180.0 / std::numbers::pi;
    const int turn = static_cast<int>(-100.0 * degrees);
    return std::abs(turn) == QuarterTurn ? -QuarterTurn : turn;
}

bool ImageEditRules::isRegionLargeEnough(const BitmapRect& bounds) {
    return bounds.width >= MinRegionSide && bounds.height >= MinRegionSide;
}

int ImageEditRules::scrolledNoiseValue(int value, Scroll action, int thumb) {
    switch (action) {
    case Scroll::LineLeft:
        value -= NoiseLineStep;
        break;
    case Scroll::LineRight:
        value += NoiseLineStep;
        break;
    case Scroll::PageLeft:
        value -= NoisePageStep;
        break;
    case Scroll::PageRight:
        value += NoisePageStep;
        break;
    case Scroll::Home:
        value = NoiseMin;
        break;
    case Scroll::End:
        value = NoiseMax;
        break;
    case Scroll::Thumb:
        value = thumb;
        break;
    }
    return std::clamp(value, NoiseMin, NoiseMax);
}

ImageEditRules::Layout ImageEditRules::layoutFor(Kind kind, Range range) {
    Layout layout;
    switch (kind) {
    case Kind::Rotate:
        layout.rotateGroup = true;
        break;
    case Kind::Deskew:
        layout.deskewGroup = true;
        layout.guideLines = true;
        layout.crossPointer = true;
        break;
    case Kind::Noise:
        layout.noiseGroups = true;
        layout.crossPointer = range != Range::Whole;
        layout.runEnabled = range == Range::Whole;
        break;
    }
    return layout;
}
