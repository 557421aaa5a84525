#pragma once

#include "image/BitmapGray8.h"

// The noise eraser of the image editor: removes dark specks and light holes from an 8-bit grey
// bitmap, in place. A speck or hole is a connected area of dark (below mid grey) or light pixels
// whose bounding box is at most `strength` pixels each way; strokes and text that reach beyond
// that in either direction stay untouched. Light areas that reach the bitmap's edge are
// background, never holes.
class NoiseEraser {
public:
    static constexpr int MinStrength = 1;
    static constexpr int MaxStrength = 64;

    // Returns the image library's Success (1), ErrNoBitmap for an empty bitmap,
    // ErrInvalidParameter for a strength outside 1..64 or ErrNoMemory; on failure the bitmap is
    // unchanged.
    static int erase(BitmapGray8& bitmap, int strength);
};
