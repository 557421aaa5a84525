#include "read/CodeScanner.h"

#define ZX_USE_UTF8 1
#include <ZXing/ReadBarcode.h>

#include <algorithm>

std::vector<ReadCode> CodeScanner::scan(const std::uint8_t* grey, int width, int height,
                                        int stride) {
    std::vector<ReadCode> codes;
    if (grey == nullptr || width <= 0 || height <= 0) {
        return codes;
    }
    ZXing::DecodeHints hints;
    hints.setFormats(ZXing::BarcodeFormat::QRCode | ZXing::BarcodeFormat::DataMatrix |
                     ZXing::BarcodeFormat::Code128 | ZXing::BarcodeFormat::Code39);
    hints.setTryRotate(true);
    const ZXing::ImageView view(grey, width, height, ZXing::ImageFormat::Lum, stride);
    for (const ZXing::Result& r : ZXing::ReadBarcodes(view, hints)) {
        if (!r.isValid() || r.text().empty()) {
            continue;
        }
        ReadCode code{ZXing::ToString(r.format()), r.text()};
        const bool seen = std::any_of(codes.begin(), codes.end(), [&](const ReadCode& c) {
            return c.format == code.format && c.text == code.text;
        });
        if (!seen) {
            codes.push_back(std::move(code));
        }
    }
    return codes;
}
