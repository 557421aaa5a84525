#include "image/ImageLibrary.h"

#include "image/ImageLibraryFiles.h"
#include "image/ImageLibraryPages.h"
#include "image/TiffPageReducer.h"

#include <algorithm>
#include <cmath>
#include <leptonica/allheaders.h>

namespace {

constexpr double Pi = 3.14159265358979323846;

// Bits per pixel a decoded bitmap of this stored depth takes in memory.
int decodedDepth(int storedBits) {
    if (storedBits <= 1) {
        return 1;
    }
    return storedBits <= 8 ? 8 : 32;
}

// Replaces the bitmap by the result of a conversion, keeping the resolution.
int replaceWith(PixHandle& bitmap, Pix* converted) {
    if (converted == nullptr) {
        return ImageLibrary::ErrNoMemory;
    }
    if (converted != bitmap.get()) {
        pixCopyResolution(converted, bitmap.get());
        bitmap.reset(converted);
    }
    return ImageLibrary::Success;
}

// A bitmap of the given depth holding src's pixels (src itself cloned when it already has it).
Pix* convertedTo(Pix* src, int depth) {
    const int have = pixGetDepth(src);
    if (have == depth && pixGetColormap(src) == nullptr) {
        return pixClone(src);
    }
    switch (depth) {
    case 1:
        return pixConvertTo1(src, 128);
    case 8:
        return pixConvertTo8(src, 0);
    case 32:
        return pixConvertTo32(src);
    default:
        return nullptr;
    }
}

int depthForBits(int bits) {
    switch (bits) {
    case 1:
        return 1;
    case 8:
        return 8;
    case 24:
    case 32:
        return 32;
    default:
        return 0;
    }
}

l_uint32 greyOf(std::uint32_t colour) {
    const std::uint32_t r = colour >> 16 & 0xff;
    const std::uint32_t g = colour >> 8 & 0xff;
    const std::uint32_t b = colour & 0xff;
    return (r * 299 + g * 587 + b * 114 + 500) / 1000;
}

BitmapRect intersect(const BitmapRect& a, const BitmapRect& b) {
    BitmapRect cut;
    cut.left = std::max(a.left, b.left);
    cut.top = std::max(a.top, b.top);
    cut.width = std::min(a.right(), b.right()) - cut.left;
    cut.height = std::min(a.bottom(), b.bottom()) - cut.top;
    return cut.isEmpty() ? BitmapRect{} : cut;
}

// Intersection of rect with the area of a width x height bitmap.
BitmapRect cutTo(const BitmapRect& rect, int width, int height) {
    return intersect(rect, BitmapRect{0, 0, width, height});
}

Pix* clipped(Pix* src, const BitmapRect& rect) {
    if (rect.left == 0 && rect.top == 0 && rect.width == static_cast<int>(pixGetWidth(src)) &&
        rect.height == static_cast<int>(pixGetHeight(src))) {
        return pixClone(src);
    }
    Box* box = boxCreate(rect.left, rect.top, rect.width, rect.height);
    Pix* piece = pixClipRectangle(src, box, nullptr);
    boxDestroy(&box);
    return piece;
}

} // namespace

bool ImageLibrary::fitsInMemory(double width, double height, int bitsPerPixel) {
    if (!(width >= 1.0) || !(height >= 1.0) || width > MaxSide || height > MaxSide) {
        return false;
    }
    const double rowBytes = std::ceil(width * decodedDepth(bitsPerPixel) / 32.0) * 4.0;
    return rowBytes * height <= static_cast<double>(MaxBitmapBytes);
}

int ImageLibrary::pageInfo(const std::string& path, int page, PageInfo& info) {
    return ImageLibraryPages::pageInfo(path, page, info);
}

int ImageLibrary::loadPage(const std::string& path, int page, PixHandle& out) {
    return ImageLibraryPages::loadPage(path, page, out);
}

int ImageLibrary::loadPdfPage(const std::string& path, int page, double dpi, PixHandle& out) {
    return ImageLibraryPages::loadPdfPage(path, page, dpi, out);
}

int ImageLibrary::resize(PixHandle& bitmap, int width, int height) {
    if (!bitmap) {
        return ErrNoBitmap;
    }
    if (!fitsInMemory(width, height, bitmap.bitsPerPixel())) {
        return ErrInvalidParameter;
    }
    if (width == bitmap.width() && height == bitmap.height()) {
        return Success;
    }
    return replaceWith(bitmap, pixScaleToSize(bitmap.get(), width, height));
}

int ImageLibrary::save(const std::string& path, const PixHandle& bitmap, int format, int bits,
                       std::optional<std::uint32_t> subfileType) {
    ImageLibraryFiles::silenceLibraries();
    if (!bitmap) {
        return ErrNoBitmap;
    }
    const bool known = (format == FormatG4Tiff && bits == 1) ||
                       (format == FormatTiff24 && bits == 24) ||
                       (format == FormatPng && (bits == 0 || depthForBits(bits) != 0));
    if (!known) {
        return ErrInvalidParameter;
    }
    PixHandle pix(bits == 0 ? pixClone(bitmap.get())
                            : convertedTo(bitmap.get(), depthForBits(bits)));
    if (!pix) {
        return ErrNoMemory;
    }
    pixCopyResolution(pix.get(), bitmap.get());
    if (format == FormatTiff24) {
        pixSetSpp(pix.get(), 3);
    }
    return ImageLibraryFiles::writeReplacing(path, pix.get(), format, subfileType);
}

int ImageLibrary::saveByDepth(const std::string& path, const PixHandle& bitmap,
                              std::optional<std::uint32_t> subfileType) {
    return bitmap.bitsPerPixel() == 1 ? save(path, bitmap, FormatG4Tiff, 1, subfileType)
                                      : save(path, bitmap, FormatTiff24, 24, subfileType);
}

int ImageLibrary::appendPage(const std::string& source, int page, const std::string& target) {
    return ImageLibraryFiles::appendPage(source, page, target);
}

int ImageLibrary::thinTiffPage(const std::string& source, int page, int factor,
                               const std::string& target) {
    return TiffPageReducer::reduce(source, page, {Reduction{factor, target}},
                                   TiffPageReducer::Pages::BilevelOnly);
}

int ImageLibrary::reduceTiffPage(const std::string& source, int page,
                                 const std::vector<Reduction>& copies) {
    return TiffPageReducer::reduce(source, page, copies, TiffPageReducer::Pages::Any);
}

int ImageLibrary::rotate(PixHandle& bitmap, int hundredthsOfDegree) {
    if (!bitmap) {
        return ErrNoBitmap;
    }
    const int turn = ((hundredthsOfDegree % 36000) + 36000) % 36000;
    if (turn == 0) {
        return Success;
    }
    if (turn % 9000 == 0) {
        const int quads = turn / 9000;
        const int xRes = bitmap.xResolution();
        const int yRes = bitmap.yResolution();
        Pix* turned = pixRotateOrth(bitmap.get(), quads);
        if (turned == nullptr) {
            return ErrNoMemory;
        }
        bitmap.reset(turned);
        if (quads % 2 == 1) {
            pixSetResolution(turned, yRes, xRes);
        } else {
            pixSetResolution(turned, xRes, yRes);
        }
        return Success;
    }
    const double radians = turn * Pi / 18000.0;
    const double w = bitmap.width();
    const double h = bitmap.height();
    const double grownW = std::abs(w * std::cos(radians)) + std::abs(h * std::sin(radians)) + 2;
    const double grownH = std::abs(w * std::sin(radians)) + std::abs(h * std::cos(radians)) + 2;
    if (!fitsInMemory(grownW, grownH, bitmap.bitsPerPixel())) {
        return ErrImageTooLarge;
    }
    return replaceWith(bitmap,
                       pixRotate(bitmap.get(), static_cast<float>(radians), L_ROTATE_AREA_MAP,
                                 L_BRING_IN_WHITE, bitmap.width(), bitmap.height()));
}

int ImageLibrary::changeBits(PixHandle& bitmap, int bits) {
    if (!bitmap) {
        return ErrNoBitmap;
    }
    const int depth = depthForBits(bits);
    if (depth == 0) {
        return ErrInvalidParameter;
    }
    return replaceWith(bitmap, convertedTo(bitmap.get(), depth));
}

int ImageLibrary::exportGray8(const PixHandle& bitmap, BitmapGray8& out) {
    if (!bitmap) {
        return ErrNoBitmap;
    }
    PixHandle grey(convertedTo(bitmap.get(), 8));
    if (!grey) {
        return ErrNoMemory;
    }
    BitmapGray8 result(grey.width(), grey.height());
    const l_int32 wpl = pixGetWpl(grey.get());
    for (int y = 0; y < result.height(); ++y) {
        const l_uint32* line = pixGetData(grey.get()) + static_cast<std::size_t>(y) * wpl;
        std::uint8_t* row = result.row(y);
        for (int x = 0; x < result.width(); ++x) {
            row[x] = static_cast<std::uint8_t>(GET_DATA_BYTE(line, x));
        }
    }
    out = std::move(result);
    return Success;
}

int ImageLibrary::importGray8(const BitmapGray8& gray, PixHandle& out) {
    if (gray.isEmpty()) {
        return ErrNoBitmap;
    }
    PixHandle pix(pixCreate(gray.width(), gray.height(), 8));
    if (!pix) {
        return ErrNoMemory;
    }
    const l_int32 wpl = pixGetWpl(pix.get());
    for (int y = 0; y < gray.height(); ++y) {
        l_uint32* line = pixGetData(pix.get()) + static_cast<std::size_t>(y) * wpl;
        const std::uint8_t* row = gray.row(y);
        for (int x = 0; x < gray.width(); ++x) {
            SET_DATA_BYTE(line, x, row[x]);
        }
    }
    if (out) {
        pixCopyResolution(pix.get(), out.get());
    }
    out = std::move(pix);
    return Success;
}

int ImageLibrary::combine(PixHandle& dst, int dstX, int dstY, const PixHandle& src,
                          const BitmapRect& source, const BitmapRegion* region) {
    if (!dst || !src) {
        return ErrNoBitmap;
    }
    // A destination pixel (x, y) takes the source pixel (x - shiftX, y - shiftY).
    const int shiftX = dstX - source.left;
    const int shiftY = dstY - source.top;
    const BitmapRect from = intersect(source, BitmapRect{0, 0, src.width(), src.height()});
    BitmapRect to =
        intersect(BitmapRect{from.left + shiftX, from.top + shiftY, from.width, from.height},
                  BitmapRect{0, 0, dst.width(), dst.height()});
    if (region != nullptr) {
        to = intersect(to, region->bounds());
    }
    if (to.isEmpty()) {
        return Success;
    }
    if (pixGetColormap(dst.get()) != nullptr) {
        const int result = replaceWith(dst, pixRemoveColormap(dst.get(), REMOVE_CMAP_BASED_ON_SRC));
        if (result != Success) {
            return result;
        }
    }
    PixHandle part(
        clipped(src.get(), BitmapRect{to.left - shiftX, to.top - shiftY, to.width, to.height}));
    PixHandle matched(part ? convertedTo(part.get(), pixGetDepth(dst.get())) : nullptr);
    if (!matched) {
        return ErrNoMemory;
    }
    if (region == nullptr || region->shape() == BitmapRegion::Rectangle) {
        pixRasterop(dst.get(), to.left, to.top, to.width, to.height, PIX_SRC, matched.get(), 0, 0);
        return Success;
    }
    const BitmapRect& bounds = region->bounds();
    PixHandle wholeMask = region->mask();
    PixHandle mask(
        wholeMask ? clipped(wholeMask.get(), BitmapRect{to.left - bounds.left, to.top - bounds.top,
                                                        to.width, to.height})
                  : nullptr);
    if (!mask) {
        return ErrNoMemory;
    }
    return pixCombineMaskedGeneral(dst.get(), matched.get(), mask.get(), to.left, to.top) == 0
               ? Success
               : ErrInvalidParameter;
}

int ImageLibrary::create(PixHandle& out, int width, int height, int bits, std::uint32_t colour) {
    const int depth = depthForBits(bits);
    if (depth == 0 || !fitsInMemory(width, height, depth)) {
        return ErrInvalidParameter;
    }
    PixHandle pix(pixCreate(width, height, depth));
    if (!pix) {
        return ErrNoMemory;
    }
    if (const int result = fill(pix, colour); result != Success) {
        return result;
    }
    out = std::move(pix);
    return Success;
}

int ImageLibrary::fill(PixHandle& bitmap, std::uint32_t colour) {
    if (!bitmap) {
        return ErrNoBitmap;
    }
    if (pixGetColormap(bitmap.get()) != nullptr) {
        const int result =
            replaceWith(bitmap, pixRemoveColormap(bitmap.get(), REMOVE_CMAP_BASED_ON_SRC));
        if (result != Success) {
            return result;
        }
    }
    Pix* pix = bitmap.get();
    switch (pixGetDepth(pix)) {
    case 1:
        return (greyOf(colour) >= 128 ? pixClearAll(pix) : pixSetAll(pix)) == 0 ? Success
                                                                                : ErrUnsupported;
    case 8:
        return pixSetAllArbitrary(pix, greyOf(colour)) == 0 ? Success : ErrUnsupported;
    case 32:
        return pixSetAllArbitrary(pix, (colour & 0xffffffu) << 8) == 0 ? Success : ErrUnsupported;
    default:
        return ErrUnsupported;
    }
}

int ImageLibrary::clip(const PixHandle& src, const BitmapRect& rect, PixHandle& out) {
    if (!src) {
        return ErrNoBitmap;
    }
    const BitmapRect cut = cutTo(rect, src.width(), src.height());
    if (cut.isEmpty()) {
        return ErrInvalidParameter;
    }
    PixHandle piece(clipped(src.get(), cut));
    if (piece && piece.get() == src.get()) {
        piece.reset(pixCopy(nullptr, src.get()));
    }
    if (!piece) {
        return ErrNoMemory;
    }
    out = std::move(piece);
    return Success;
}

int ImageLibrary::scaleForDisplay(const PixHandle& src, const BitmapRect& source, int width,
                                  int height, bool smooth, PixHandle& out) {
    if (!src) {
        return ErrNoBitmap;
    }
    const BitmapRect cut = cutTo(source, src.width(), src.height());
    if (cut.isEmpty() || !fitsInMemory(width, height, 32)) {
        return ErrInvalidParameter;
    }
    PixHandle piece(clipped(src.get(), cut));
    if (!piece) {
        return ErrNoMemory;
    }
    PixHandle scaled;
    if (!smooth) {
        scaled.reset(pixScaleBySamplingToSize(piece.get(), width, height));
    } else if (pixGetDepth(piece.get()) == 1 && width < cut.width && height < cut.height) {
        const float factor = std::max(static_cast<float>(width) / cut.width,
                                      static_cast<float>(height) / cut.height);
        PixHandle grey(pixScaleToGray(piece.get(), std::min(factor, 0.99f)));
        scaled.reset(grey ? pixScaleToSize(grey.get(), width, height) : nullptr);
    } else {
        PixHandle plain(pixGetColormap(piece.get()) ? pixConvertTo32(piece.get())
                                                    : pixClone(piece.get()));
        scaled.reset(plain ? pixScaleToSize(plain.get(), width, height) : nullptr);
    }
    if (!scaled) {
        return ErrNoMemory;
    }
    out = std::move(scaled);
    return Success;
}
