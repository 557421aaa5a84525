#pragma once

// A rectangle of bitmap pixels: left and top of the first pixel, width and height in pixels.
struct BitmapRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;

    bool isEmpty() const { return width <= 0 || height <= 0; }
    int right() const { return left + width; }  // one past the last column
    int bottom() const { return top + height; } // one past the last row
    bool operator==(const BitmapRect&) const = default;
};
