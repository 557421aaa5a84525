#pragma once

#include <QImage>

class PixHandle;

// Turns the image library's bitmaps into QImages at the border to the screen.
class PixImageConverter {
public:
    // 1-bit bitmaps become Format_Mono (white 0, black 1), 8-bit grey Format_Grayscale8, all
    // others Format_RGB32. A null image for an empty bitmap.
    static QImage toQImage(const PixHandle& bitmap);
};
