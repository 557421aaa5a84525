#include "ui/image/PixImageConverter.h"

#include "image/PixHandle.h"

#include <leptonica/allheaders.h>

QImage PixImageConverter::toQImage(const PixHandle& bitmap) {
    if (!bitmap) {
        return {};
    }
    Pix* pix = bitmap.get();
    PixHandle plain;
    if (pixGetColormap(pix) != nullptr ||
        (pixGetDepth(pix) != 1 && pixGetDepth(pix) != 8 && pixGetDepth(pix) != 32)) {
        plain.reset(pixConvertTo32(pix));
        if (!plain) {
            return {};
        }
        pix = plain.get();
    }
    const int width = static_cast<int>(pixGetWidth(pix));
    const int height = static_cast<int>(pixGetHeight(pix));
    const int depth = pixGetDepth(pix);
    const l_int32 wpl = pixGetWpl(pix);
    QImage image(width, height,
                 depth == 1   ? QImage::Format_Mono
                 : depth == 8 ? QImage::Format_Grayscale8
                              : QImage::Format_RGB32);
    if (image.isNull()) {
        return {};
    }
    if (depth == 1) {
        image.setColorTable({qRgb(255, 255, 255), qRgb(0, 0, 0)});
    }
    for (int y = 0; y < height; ++y) {
        const l_uint32* line = pixGetData(pix) + static_cast<std::size_t>(y) * wpl;
        uchar* out = image.scanLine(y);
        if (depth == 1) {
            // Words hold the leftmost pixel in their most significant bit.
            for (int w = 0; w < (width + 31) / 32; ++w) {
                for (int b = 0; b < 4 && w * 4 + b < (width + 7) / 8; ++b) {
                    out[w * 4 + b] = static_cast<uchar>(line[w] >> (24 - 8 * b));
                }
            }
        } else if (depth == 8) {
            for (int x = 0; x < width; ++x) {
                out[x] = static_cast<uchar>(GET_DATA_BYTE(line, x));
            }
        } else {
            auto* rgb = reinterpret_cast<QRgb*>(out);
            for (int x = 0; x < width; ++x) {
                rgb[x] = 0xff000000u | (line[x] >> 8); // 0xRRGGBB00 to 0xAARRGGBB
            }
        }
    }
    image.setDotsPerMeterX(static_cast<int>(pixGetXRes(pix) / 0.0254));
    image.setDotsPerMeterY(static_cast<int>(pixGetYRes(pix) / 0.0254));
    return image;
}
