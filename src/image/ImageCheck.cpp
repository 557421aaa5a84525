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

ImageCheck::Refusal ImageCheck::refusal(ImageType type, const std::vector<PageFacts>& pages,
                                        int margin) {
    if (type == ImageType::HpGl2) {
        return {};
    }
    if (pages.empty()) {
        return {Reason::NoPages, {}};
    }
    for (const PageFacts& page : pages) {
        if (type != ImageType::Pdf && resolutionTooHigh(page)) {
            return {Reason::ResolutionTooHigh, page};
        }
        if (!isLargeEnough(page.widthMm, page.heightMm)) {
            return {Reason::TooSmall, page};
        }
        if (type == ImageType::Tiff && !fitsRoll(page.widthMm, page.heightMm)) {
            return {Reason::LongerThanRoll, page};
        }
        if (type != ImageType::Tiff && PaperSize::isOverA0(page.widthMm, page.heightMm, margin)) {
            return {Reason::LargerThanA0, page};
        }
    }
    return {};
}

bool ImageCheck::isLargeEnough(int widthMm, int heightMm) {
    return !((widthMm < 30 || heightMm < 40) && (widthMm < 40 || heightMm < 30));
}

bool ImageCheck::fitsRoll(int widthMm, int heightMm) {
    return (widthMm <= 914 && heightMm <= 15000) || (widthMm <= 15000 && heightMm <= 914);
}

int ImageCheck::checkTiff(const std::vector<PageFacts>& pages, int margin, bool& overA0) {
    overA0 = false;
    if (refusal(ImageType::Tiff, pages, margin).reason != Reason::None) {
        return -1;
    }
    for (const PageFacts& page : pages) {
        overA0 = overA0 || PaperSize::isOverA0(page.widthMm, page.heightMm, margin);
    }
    return 0;
}

int ImageCheck::checkJpeg(const std::vector<PageFacts>& pages, int margin) {
    return refusal(ImageType::Jpeg, pages, margin).reason == Reason::None ? 0 : -1;
}

int ImageCheck::checkPdf(const std::vector<PageFacts>& pages, int margin) {
    return refusal(ImageType::Pdf, pages, margin).reason == Reason::None ? 0 : -1;
}
