#include "execute/AssignedPaperSize.h"

#include "base/Cp932.h"
#include "base/FileSystem.h"
#include "image/ImageLibrary.h"
#include "image/PageMeasure.h"
#include "image/PaperSize.h"

#include <vector>

namespace {

std::string extensionOf(const std::string& path) {
    const std::string name = files::fileName(path);
    const std::size_t dot = cp932::findLastChar(name, '.');
    return dot == std::string::npos ? std::string() : name.substr(dot + 1);
}

bool measured(const PageFacts& page) {
    return page.widthMm > 0 && page.heightMm > 0;
}

// The first page of a TIFF or JPEG file; a TIFF whose directory gives no size is measured again
// as a plain raster page.
bool firstRasterPage(const std::string& native, bool tiff, int jpgResolution, PageFacts& out) {
    if (tiff) {
        std::vector<PageFacts> pages;
        if (PageMeasure::tiffPages(native, jpgResolution, pages) == ImageLibrary::Success &&
            !pages.empty() && measured(pages.front())) {
            out = pages.front();
            return true;
        }
    }
    return PageMeasure::rasterPage(native, jpgResolution, out) == ImageLibrary::Success &&
           measured(out);
}

} // namespace

std::string AssignedPaperSize::of(const std::string& path, int margin, int jpgResolution) {
    const std::string ext = extensionOf(path);
    const auto is = [&ext](const char* e) { return cp932::equalsNoCase(ext, e); };
    const std::string native = files::native(path).string();
    PageFacts first;
    if (is("tif") || is("tiff") || is("jpeg") || is("jpg")) {
        if (firstRasterPage(native, is("tif") || is("tiff"), jpgResolution, first)) {
            return PaperSize::describe(first.widthMm, first.heightMm, margin);
        }
    } else if (is("pdf")) {
        std::vector<PageFacts> pages;
        if (PageMeasure::pdfPages(native, pages) == ImageLibrary::Success && !pages.empty()) {
            return PaperSize::describe(pages.front().widthMm, pages.front().heightMm, margin);
        }
    }
    return PaperSize::unfixed();
}
