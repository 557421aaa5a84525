#include "image/PageMeasure.h"

#include "image/BitmapFileType.h"
#include "image/ImageFileHandle.h"
#include "image/ImageLibrary.h"
#include "image/ImageLibraryFiles.h"
#include "image/PopplerDocument.h"
#include "image/TiffHandle.h"
#include "image/TiffPageTags.h"

#include <cmath>
#include <tiffio.h>

namespace {

// A file claiming more pages than this is treated as damaged rather than walked for ever.
constexpr int kMaxPages = 65535;

int truncated(double value) {
    if (!std::isfinite(value) || value > 2.0e9 || value < -2.0e9) {
        return value > 0 ? 2000000000 : 0;
    }
    return static_cast<int>(value);
}

} // namespace

int PageMeasure::pixelsToMm(int pixels, int dpi) {
    if (dpi <= 0) {
        return 0;
    }
    return truncated(static_cast<double>(pixels) / dpi * 25.4 + 0.5);
}

int PageMeasure::pointsToMm(double points) {
    return truncated(points * 25.4 / 72.0 + 0.5);
}

PageFacts PageMeasure::fromPixels(int page, int widthPx, int heightPx, int bitsPerPixel, int xDpi,
                                  int yDpi, int jpgResolution) {
    PageFacts f{page, widthPx, heightPx, bitsPerPixel, xDpi, yDpi, 0, 0};
    f.widthMm = pixelsToMm(widthPx, xDpi);
    f.heightMm = pixelsToMm(heightPx, yDpi);
    if (f.widthMm == 0 || f.heightMm == 0) {
        f.widthMm = pixelsToMm(widthPx, jpgResolution);
        f.heightMm = pixelsToMm(heightPx, jpgResolution);
    }
    return f;
}

PageFacts PageMeasure::fromPoints(int page, double widthPoints, double heightPoints) {
    PageFacts f;
    f.page = page;
    f.widthPx = truncated(std::round(widthPoints));
    f.heightPx = truncated(std::round(heightPoints));
    f.bitsPerPixel = 24;
    f.xDpi = f.yDpi = static_cast<int>(ImageLibrary::PdfDpi);
    f.widthMm = pointsToMm(widthPoints);
    f.heightMm = pointsToMm(heightPoints);
    return f;
}

int PageMeasure::tiffPages(const std::string& path, int jpgResolution,
                           std::vector<PageFacts>& out) {
    out.clear();
    ImageFileHandle file;
    if (!file.open(path)) {
        return ImageLibraryFiles::unrecognised(path);
    }
    return tiffPages(file, path, jpgResolution, out);
}

int PageMeasure::tiffPages(const ImageFileHandle& file, const std::string& path, int jpgResolution,
                           std::vector<PageFacts>& out) {
    out.clear();
    ImageLibraryFiles::silenceLibraries();
    if (BitmapFileType::detect(file.head(), file.headSize()) != BitmapFileType::Tiff) {
        return ImageLibraryFiles::unrecognised(path);
    }
    TiffHandle tif = file.tiff();
    if (!tif) {
        return ImageLibrary::ErrFileRead;
    }
    for (int page = 1;; ++page) {
        TiffPageTags tags;
        if (!tags.read(tif.get())) {
            return ImageLibrary::ErrFileRead;
        }
        if (tags.width > ImageLibrary::MaxSide || tags.height > ImageLibrary::MaxSide) {
            return ImageLibrary::ErrImageTooLarge;
        }
        out.push_back(fromPixels(page, static_cast<int>(tags.width), static_cast<int>(tags.height),
                                 tags.bitsPerPixel(), tags.xDpi(), tags.yDpi(), jpgResolution));
        if (TIFFLastDirectory(tif.get())) {
            return ImageLibrary::Success;
        }
        if (page >= kMaxPages || !TIFFReadDirectory(tif.get())) {
            return ImageLibrary::ErrFileRead;
        }
    }
}

int PageMeasure::rasterPage(const std::string& path, int jpgResolution, PageFacts& out) {
    ImageLibrary::PageInfo info;
    if (const int result = ImageLibrary::pageInfo(path, 1, info); result != ImageLibrary::Success) {
        return result;
    }
    out = fromPixels(1, info.width, info.height, info.bitsPerPixel, info.xResolution,
                     info.yResolution, jpgResolution);
    return ImageLibrary::Success;
}

int PageMeasure::pdfPages(const std::string& path, std::vector<PageFacts>& out) {
    out.clear();
    if (BitmapFileType::detect(path) != BitmapFileType::Pdf) {
        return ImageLibraryFiles::unrecognised(path);
    }
    PopplerDocument document;
    if (const int result = document.open(path); result != ImageLibrary::Success) {
        return result;
    }
    return pdfPages(document, out);
}

int PageMeasure::pdfPages(const PopplerDocument& document, std::vector<PageFacts>& out) {
    out.clear();
    const int count = document.pageCount();
    if (count < 1) {
        return ImageLibrary::ErrFileRead;
    }
    for (int page = 1; page <= count; ++page) {
        double width = 0.0;
        double height = 0.0;
        if (const int result = document.pageSize(page, width, height);
            result != ImageLibrary::Success) {
            return result;
        }
        out.push_back(fromPoints(page, width, height));
    }
    return ImageLibrary::Success;
}
