#include "image/PaperSize.h"
#include "image/ImageCheck.h"
#include "image/PageMeasure.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

constexpr int kIntMax = std::numeric_limits<int>::max();
constexpr int kIntMin = std::numeric_limits<int>::min();

} // namespace

TEST(PaperSize, ClassifiesByTheTableInOrderWithinTheMargin) {
    struct Case {
        int w, h, margin;
        const char* expected;
    } cases[] = {
        {210, 297, 12, "A4 縦"},          {297, 210, 12, "A4 横"},
        {222, 309, 12, "A4 縦"},          {223, 297, 12, "不定形"},
        {560, 790, 99, "A1 縦"},          {841, 1189, 0, "A0 縦"},
        {1189, 841, 0, "A0 横"},          {257, 364, 0, "B4 縦"},
        {182, 257, 0, "B5 縦"},           {100, 100, 12, "不定形"},
        {1030, 728, 12, "B1 横"},         {420, 420, 12, "不定形"},
        {297, 297, 0, "不定形"},          {0, 0, 12, "不定形"},
        {210, 297, 0, "A4 縦"},           {210, 297, kIntMax, "A0 縦"},
        {kIntMin, kIntMin, 12, "不定形"}, {kIntMax, 5, kIntMax, "A0 横"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(u8(PaperSize::classify(c.w, c.h, c.margin)), c.expected)
            << c.w << " x " << c.h << " margin " << c.margin;
    }
}

TEST(PaperSize, DescribeAppendsTheMeasuredSize) {
    EXPECT_EQ(u8(PaperSize::describe(297, 210, 12)), "A4 横 (幅 297mm×高さ 210mm)");
}

TEST(PaperSize, OverA0NeedsBothOrientationsExceeded) {
    struct Case {
        int w, h, margin;
        bool over;
    } cases[] = {
        {841, 1189, 12, false},
        {853, 1201, 12, false},
        {1201, 853, 12, false},
        {854, 1189, 12, true},
        {1202, 854, 12, true},
        {914, 12000, 12, true},
        {500, 1300, 12, true},
        {800, 1000, 12, false},
        {842, 1190, 0, true},
        {842, 1189, 0, true},
        {841, 1189, 0, false},
        {5000, 5000, kIntMax, false},
        {kIntMax, kIntMax, kIntMax, false},
        {kIntMax, 10, 0, true},
        {kIntMin, kIntMin, 0, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(PaperSize::isOverA0(c.w, c.h, c.margin), c.over) << c.w << " x " << c.h;
    }
}

TEST(PaperSize, SizeClassLeavesOrientationAndDimensionsAside) {
    const struct {
        const char* text;
        const char* sizeClass;
    } cases[] = {
        {"A1 横 (幅 841mm×高さ 594mm)", "A1"},
        {"A1", "A1"},
        {"B4 縦", "B4"},
        {"A5 横", "不定形"},
        {"不定形", "不定形"},
        {"", ""},
        {"   ", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(PaperSize::sizeClass(sj(c.text)), sj(c.sizeClass)) << c.text;
    }
}

TEST(PaperSize, MagnifiedPreviewsForTheLargeSizesOnly) {
    for (const char* text : {"A0 縦", "A1 横", "A2 縦", "B1 縦", "B2 横", "B3 縦"}) {
        EXPECT_TRUE(PaperSize::needsMagnifiedPreview(sj(text))) << text;
    }
    for (const char* text : {"A3 縦", "B4 横", "A4 縦", "B5 縦", "不定形", ""}) {
        EXPECT_FALSE(PaperSize::needsMagnifiedPreview(sj(text))) << text;
    }
}

TEST(PageMeasure, RoundsMillimetresAndFallsBackToTheAssumedResolution) {
    EXPECT_EQ(PageMeasure::pixelsToMm(3307, 400), 210);
    EXPECT_EQ(PageMeasure::pixelsToMm(4677, 400), 297);
    EXPECT_EQ(PageMeasure::pointsToMm(595.0), 210);
    EXPECT_EQ(PageMeasure::pointsToMm(842.0), 297);
    const PageFacts stated = PageMeasure::fromPixels(1, 3307, 4677, 1, 400, 400, 96);
    EXPECT_EQ(stated.widthMm, 210);
    EXPECT_EQ(stated.heightMm, 297);
    // A side that comes out as 0 puts both sides on the assumed resolution.
    const PageFacts missing = PageMeasure::fromPixels(1, 794, 1123, 8, 400, 0, 96);
    EXPECT_EQ(missing.widthMm, 210);
    EXPECT_EQ(missing.heightMm, 297);
}

namespace {

PageFacts pageMm(int w, int h, int dpi = 400) {
    PageFacts p;
    p.page = 1;
    p.widthMm = w;
    p.heightMm = h;
    p.xDpi = p.yDpi = dpi;
    return p;
}

} // namespace

TEST(ImageCheck, TiffPagesMustBeLargeEnoughAndFitARoll) {
    struct Case {
        int w, h, dpi, result;
        bool overA0;
    } cases[] = {
        {914, 12000, 400, 0, true}, {915, 15001, 400, -1, false}, {210, 297, 400, 0, false},
        {29, 40, 400, -1, false},   {30, 40, 400, 0, false},      {40, 30, 400, 0, false},
        {35, 35, 400, -1, false},   {1000, 1000, 400, -1, false}, {15000, 914, 400, 0, true},
        {210, 297, 601, -1, false}, {210, 297, 600, 0, false},
    };
    for (const Case& c : cases) {
        bool overA0 = !c.overA0;
        EXPECT_EQ(ImageCheck::checkTiff({pageMm(c.w, c.h, c.dpi)}, 12, overA0), c.result)
            << c.w << " x " << c.h << " @" << c.dpi;
        EXPECT_EQ(overA0, c.overA0) << c.w << " x " << c.h;
    }
}

TEST(ImageCheck, JpegAndPdfPagesLargerThanA0AreRejected) {
    EXPECT_EQ(ImageCheck::checkJpeg({pageMm(841, 1189)}, 12), 0);
    EXPECT_EQ(ImageCheck::checkJpeg({pageMm(900, 1300)}, 12), -1);
    EXPECT_EQ(ImageCheck::checkJpeg({pageMm(20, 20)}, 12), -1);
    EXPECT_EQ(ImageCheck::checkJpeg({pageMm(210, 297, 700)}, 12), -1);
    EXPECT_EQ(ImageCheck::checkPdf({pageMm(210, 297), pageMm(900, 1300)}, 12), -1);
    EXPECT_EQ(ImageCheck::checkPdf({pageMm(210, 297), pageMm(297, 210)}, 12), 0);
    EXPECT_EQ(ImageCheck::checkPdf({pageMm(210, 297), pageMm(20, 297)}, 12), -1);
    EXPECT_EQ(ImageCheck::checkPdf({}, 12), -1);
}

TEST(ImageCheck, TheRefusalNamesTheFirstRefusedPageAndWhy) {
    using Reason = ImageCheck::Reason;
    const PageFacts camera = pageMm(1411, 1058, 72);
    PageFacts second = pageMm(20, 20);
    second.page = 2;
    const struct {
        ImageType type;
        std::vector<PageFacts> pages;
        Reason reason;
        int page;
    } cases[] = {
        {ImageType::Jpeg, {camera}, Reason::LargerThanA0, 1},
        {ImageType::Tiff, {pageMm(900, 1300)}, Reason::None, 0},     // a TIFF over A0 is accepted
        {ImageType::Pdf, {pageMm(210, 297, 1200)}, Reason::None, 0}, // PDF pages have no dpi
        {ImageType::Tiff, {pageMm(210, 297, 1200)}, Reason::ResolutionTooHigh, 1},
        {ImageType::Jpeg, {pageMm(20, 20, 1200)}, Reason::ResolutionTooHigh, 1}, // dpi first
        {ImageType::Pdf, {pageMm(210, 297), second}, Reason::TooSmall, 2},
        {ImageType::Tiff, {pageMm(1000, 16000)}, Reason::LongerThanRoll, 1},
        {ImageType::Pdf, {}, Reason::NoPages, 0},
        {ImageType::HpGl2, {}, Reason::None, 0},
    };
    for (const auto& c : cases) {
        const ImageCheck::Refusal r = ImageCheck::refusal(c.type, c.pages, 12);
        EXPECT_EQ(r.reason, c.reason) << int(c.type) << " " << c.pages.size();
        EXPECT_EQ(r.page.page, c.page) << int(c.type);
    }
}
