#pragma once

#include "image/BitmapRect.h"

// The small rules of the image editor that do not depend on a page: the deskew angle, the
// least region size, the noise value's scroll steps and which controls each edit kind shows.
class ImageEditRules {
public:
    enum class Kind { Rotate = 0, Deskew = 1, Noise = 2 };
    enum class Range { Whole = 0, Inside = 1, Outside = 2 };

    // Hundredths of a degree of one quarter turn; 1128 "左回転" turns by -QuarterTurn.
    static constexpr int QuarterTurn = 9000;
    // Mouse positions reported by the Zoomwell control lying over the display are this many
    // pixels off the display's own.
    static constexpr int ZoomwellOffset = 2;
    // Regions narrower or lower than this are refused.
    static constexpr int MinRegionSide = 3;

    static constexpr int NoiseMin = 1;
    static constexpr int NoiseMax = 64;
    static constexpr int NoiseInitial = 10;
    static constexpr int NoiseLineStep = 1;
    static constexpr int NoisePageStep = 10;

    // The turn (hundredths of a degree, clockwise positive) that levels the line from
    // (x1, y1) to (x2, y2): -100 x its angle, truncated; a vertical line gives -9000.
    static int deskewHundredths(int x1, int y1, int x2, int y2);

    static bool isRegionLargeEnough(const BitmapRect& bounds);

    enum class Scroll { LineLeft, LineRight, PageLeft, PageRight, Home, End, Thumb };
    // The noise value after a scroll-bar action (thumb: the thumb's position), kept in 1..64.
    static int scrolledNoiseValue(int value, Scroll action, int thumb = 0);

    // "ﾉｲｽﾞ除去" is offered only with the setting NoiseErase 1.
    static bool isNoiseOffered(int noiseEraseSetting) { return noiseEraseSetting == 1; }

    // The control groups a kind shows.
    struct Layout {
        bool rotateGroup = false; // 1127 with 1128, 1129
        bool deskewGroup = false; // 1125 with 1126
        bool noiseGroups = false; // "範囲", "図形選択", 1123, the value, 1031 and 1013
        bool guideLines = false;  // the Zoomwell guide-line grid
        bool crossPointer = false;
        bool runEnabled = false; // 1126 or 1013
    };
    static Layout layoutFor(Kind kind, Range range);
};
