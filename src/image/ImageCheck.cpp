#include "image/ImageCheck.h"

#include "image/PaperSize.h"

#include <fstream>

namespace {

bool resolutionTooHigh(const PageFacts& page) {
    return page.xDpi > ImageCheck::kMaxDpi || page.yDpi > ImageCheck::kMaxDpi;
}

} // namespace

bool ImageCheck::hasTiffMagic(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    char head[2] = {};
    if (!in.read(head, 2)) {
        return false;
    }
    return hasTiffMagic(reinterpret_cast<const std::uint8_t*>(head), 2);
}

bool ImageCheck::hasTiffMagic(const std::uint8_t* head, std::size_t size) {
    return size >= 2 && ((head[0] == 'I' && head[1] == 'I') || (head[0] == 'M' && head[1] == 'M'));
}

bool ImageCheck::isLargeEnough(int widthMm, int heightMm) {
    return !((widthMm < 30 || heightMm < 40) && (widthMm < 40 || heightMm < 30));
}

bool ImageCheck::fitsRoll(int widthMm, int heightMm) {
    return (widthMm <= 914 && heightMm <= 15000) || (widthMm <= 15000 && heightMm <= 914);
}

int ImageCheck::checkTiff(const std::vector<PageFacts>& pages, int margin, bool& overA0) {
    overA0 = false;
    for (const PageFacts& page : pages) {
        if (resolutionTooHigh(page) || !isLargeEnough(page.widthMm, page.heightMm) ||
            !fitsRoll(page.widthMm, page.heightMm)) {
            overA0 = false;
            return -1;
        }
        if (PaperSize::isOverA0(page.widthMm, page.heightMm, margin)) {
            overA0 = true;
        }
    }
    return pages.empty() ? -1 : 0;
}

int ImageCheck::checkJpeg(const std::vector<PageFacts>& pages, int margin) {
    for (const PageFacts& page : pages) {
        if (resolutionTooHigh(page) || !isLargeEnough(page.widthMm, page.heightMm) ||
            PaperSize::isOverA0(page.widthMm, page.heightMm, margin)) {
            return -1;
        }
    }
    return pages.empty() ? -1 : 0;
}

int ImageCheck::checkPdf(const std::vector<PageFacts>& pages, int margin) {
    for (const PageFacts& page : pages) {
        if (!isLargeEnough(page.widthMm, page.heightMm) ||
            PaperSize::isOverA0(page.widthMm, page.heightMm, margin)) {
            return -1;
        }
    }
    return pages.empty() ? -1 : 0;
}
