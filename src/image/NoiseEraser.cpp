#include "image/NoiseEraser.h"

#include "image/ImageLibrary.h"
#include "image/PixHandle.h"

#include <leptonica/allheaders.h>

namespace {

constexpr std::uint8_t MidGrey = 128;

// A 1-bit mask of the bitmap, set where a pixel is dark (dark == true) or light.
PixHandle maskOf(const BitmapGray8& gray, bool dark) {
    PixHandle mask(pixCreate(gray.width(), gray.height(), 1));
    if (!mask) {
        return mask;
    }
    l_uint32* data = pixGetData(mask.get());
    const int wpl = pixGetWpl(mask.get());
    for (int y = 0; y < gray.height(); ++y) {
        const std::uint8_t* row = gray.row(y);
        l_uint32* line = data + static_cast<std::size_t>(y) * wpl;
        for (int x = 0; x < gray.width(); ++x) {
            if ((row[x] < MidGrey) == dark) {
                SET_DATA_BIT(line, x);
            }
        }
    }
    return mask;
}

// The components of mask whose bounding box is at most size x size, without those touching the
// edge when edgeIsBackground.
PixHandle smallParts(const PixHandle& mask, int size, int connectivity, bool edgeIsBackground) {
    PixHandle inner;
    Pix* source = mask.get();
    if (edgeIsBackground) {
        inner.reset(pixRemoveBorderConnComps(mask.get(), connectivity));
        if (!inner) {
            return inner;
        }
        source = inner.get();
    }
    return PixHandle(pixSelectBySize(source, size, size, connectivity, L_SELECT_IF_BOTH,
                                     L_SELECT_IF_LTE, nullptr));
}

void paint(BitmapGray8& gray, const PixHandle& where, std::uint8_t value) {
    const l_uint32* data = pixGetData(where.get());
    const int wpl = pixGetWpl(where.get());
    for (int y = 0; y < gray.height(); ++y) {
        const l_uint32* line = data + static_cast<std::size_t>(y) * wpl;
        std::uint8_t* row = gray.row(y);
        for (int word = 0; word < wpl; ++word) {
            if (line[word] == 0) {
                continue;
            }
            const int end = std::min(gray.width(), (word + 1) * 32);
            for (int x = word * 32; x < end; ++x) {
                if (GET_DATA_BIT(line, x)) {
                    row[x] = value;
                }
            }
        }
    }
}

} // namespace

int NoiseEraser::erase(BitmapGray8& bitmap, int strength) {
    if (bitmap.isEmpty()) {
        return ImageLibrary::ErrNoBitmap;
    }
    if (strength < MinStrength || strength > MaxStrength) {
        return ImageLibrary::ErrInvalidParameter;
    }
    const PixHandle dark = maskOf(bitmap, true);
    if (!dark) {
        return ImageLibrary::ErrNoMemory;
    }
    const PixHandle specks = smallParts(dark, strength, 8, false);
    PixHandle light(pixInvert(nullptr, dark.get()));
    if (!specks || !light) {
        return ImageLibrary::ErrNoMemory;
    }
    const PixHandle holes = smallParts(light, strength, 4, true);
    if (!holes) {
        return ImageLibrary::ErrNoMemory;
    }
    light.reset();
    paint(bitmap, specks, 255);
    paint(bitmap, holes, 0);
    return ImageLibrary::Success;
}
