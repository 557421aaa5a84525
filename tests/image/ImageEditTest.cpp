#include "image/DeskewLine.h"
#include "image/ImageEditRules.h"
#include "image/ImageEditor.h"
#include "image/ImageLibrary.h"
#include "image/NoiseEraser.h"

#include "support/ImageFixtures.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <leptonica/allheaders.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <tiffio.h>
#include <unistd.h>

#include <filesystem>

namespace {

using Range = ImageEditRules::Range;
using Scroll = ImageEditRules::Scroll;

TEST(ImageEditRulesTest, DeskewTurnIsTruncatedHundredthsAndVerticalGivesMinusQuarter) {
    struct Case {
        int x1, y1, x2, y2, hundredths;
    };
    for (const Case& c :
         {Case{100, 100, 300, 110, -286}, Case{300, 110, 100, 100, -286},
          Case{100, 110, 300, 100, 286}, Case{0, 0, 100, 100, -4500}, Case{0, 0, 0, 50, -9000},
          Case{0, 50, 0, 0, -9000}, Case{0, 0, 1000, 0, 0}}) {
        EXPECT_EQ(ImageEditRules::deskewHundredths(c.x1, c.y1, c.x2, c.y2), c.hundredths)
            << c.x1 << "," << c.y1 << " - " << c.x2 << "," << c.y2;
    }
}

TEST(ImageEditRulesTest, NoiseValueStepsStayWithinBounds) {
    struct Case {
        int value;
        Scroll action;
        int thumb, expected;
    };
    for (const Case& c : {Case{5, Scroll::PageLeft, 0, 1}, Case{60, Scroll::PageRight, 0, 64},
                          Case{30, Scroll::PageLeft, 0, 20}, Case{30, Scroll::PageRight, 0, 40},
                          Case{1, Scroll::LineLeft, 0, 1}, Case{64, Scroll::LineRight, 0, 64},
                          Case{10, Scroll::LineLeft, 0, 9}, Case{10, Scroll::LineRight, 0, 11},
                          Case{10, Scroll::Home, 0, 1}, Case{10, Scroll::End, 0, 64},
                          Case{10, Scroll::Thumb, 37, 37}, Case{10, Scroll::Thumb, 0, 1},
                          Case{10, Scroll::Thumb, 99, 64}}) {
        EXPECT_EQ(ImageEditRules::scrolledNoiseValue(c.value, c.action, c.thumb), c.expected)
            << c.value << " action " << static_cast<int>(c.action);
    }
}

TEST(ImageEditRulesTest, NoiseKindOfferedOnlyWithTheSettingOne) {
    EXPECT_FALSE(ImageEditRules::isNoiseOffered(0));
    EXPECT_TRUE(ImageEditRules::isNoiseOffered(1));
    EXPECT_FALSE(ImageEditRules::isNoiseOffered(2));
}

TEST(DeskewLineTest, SecondClickNeedsTenPixelsOneWay) {
    struct Case {
        int dx, dy;
        DeskewLine::Click expected;
    };
    for (const Case& c :
         {Case{9, 9, DeskewLine::Click::Ignored}, Case{-9, -9, DeskewLine::Click::Ignored},
          Case{0, 0, DeskewLine::Click::Ignored}, Case{10, 0, DeskewLine::Click::Completed},
          Case{0, 10, DeskewLine::Click::Completed}, Case{-10, 9, DeskewLine::Click::Completed},
          Case{200, 10, DeskewLine::Click::Completed}}) {
        DeskewLine line;
        ASSERT_EQ(line.click(100, 100, 400, 300), DeskewLine::Click::Started);
        EXPECT_EQ(line.click(100 + c.dx, 100 + c.dy, 400, 300), c.expected) << c.dx << "," << c.dy;
        EXPECT_EQ(line.isComplete(), c.expected == DeskewLine::Click::Completed);
        EXPECT_EQ(line.move(5, 5), !line.isComplete());
    }
}

TEST(DeskewLineTest, ClicksOffThePageAreOutsideAndALineLevelsItsPage) {
    DeskewLine line;
    EXPECT_EQ(line.click(-1, 10, 400, 300), DeskewLine::Click::Outside);
    EXPECT_EQ(line.click(10, 301, 400, 300), DeskewLine::Click::Outside);
    EXPECT_FALSE(line.isStarted());
    EXPECT_EQ(line.click(100, 100, 400, 300), DeskewLine::Click::Started);
    EXPECT_EQ(line.click(401, 100, 400, 300), DeskewLine::Click::Outside);
    EXPECT_EQ(line.click(300, 110, 400, 300), DeskewLine::Click::Completed);
    EXPECT_EQ(line.hundredths(), -286);
    EXPECT_EQ(line.click(50, 50, 400, 300), DeskewLine::Click::Started);
    EXPECT_FALSE(line.isComplete());
}

// A white 1-bit page with black rectangles (x, y, w, h), at 200 dpi.
PixHandle pageWith(int width, int height, std::initializer_list<BitmapRect> blacks) {
    PixHandle pix(pixCreate(width, height, 1));
    pixSetResolution(pix.get(), 200, 200);
    for (const BitmapRect& r : blacks) {
        pixRasterop(pix.get(), r.left, r.top, r.width, r.height, PIX_SET, nullptr, 0, 0);
    }
    return pix;
}

int blackIn(const PixHandle& pix, const BitmapRect& r) {
    l_int32 count = 0;
    Box* box = boxCreate(r.left, r.top, r.width, r.height);
    PixHandle part(pixClipRectangle(pix.get(), box, nullptr));
    boxDestroy(&box);
    pixCountPixels(part.get(), &count, nullptr);
    return count;
}

BitmapGray8 grayOf(const PixHandle& pix) {
    BitmapGray8 gray;
    EXPECT_EQ(ImageLibrary::exportGray8(pix, gray), ImageLibrary::Success);
    return gray;
}

int darkIn(const BitmapGray8& gray, const BitmapRect& r) {
    int count = 0;
    for (int y = r.top; y < r.bottom(); ++y) {
        for (int x = r.left; x < r.right(); ++x) {
            count += gray.at(x, y) < 128 ? 1 : 0;
        }
    }
    return count;
}

TEST(NoiseEraserTest, SpecksUpToTheStrengthVanishAndLargerShapesStay) {
    struct Case {
        BitmapRect shape;
        int strength;
        bool stays;
    };
    for (const Case& c : {Case{{50, 50, 1, 1}, 1, false}, Case{{50, 50, 2, 2}, 1, true},
                          Case{{50, 50, 10, 10}, 10, false}, Case{{50, 50, 11, 10}, 10, true},
                          Case{{50, 50, 3, 150}, 10, true}, Case{{50, 50, 150, 3}, 64, true},
                          Case{{50, 50, 64, 64}, 64, false}}) {
        BitmapGray8 gray = grayOf(pageWith(300, 300, {c.shape}));
        ASSERT_EQ(NoiseEraser::erase(gray, c.strength), ImageLibrary::Success);
        EXPECT_EQ(darkIn(gray, c.shape), c.stays ? c.shape.width * c.shape.height : 0)
            << c.shape.width << "x" << c.shape.height << " at " << c.strength;
    }
}

TEST(NoiseEraserTest, HolesFillButTheBackgroundAtTheEdgeStays) {
    // A black square with a 2x2 hole, and a small page whose whole white background is smaller
    // than the strength.
    BitmapGray8 gray = grayOf(pageWith(200, 200, {{40, 40, 60, 60}}));
    for (int y = 60; y < 62; ++y) {
        gray.at(60, y) = gray.at(61, y) = 255;
    }
    ASSERT_EQ(NoiseEraser::erase(gray, 5), ImageLibrary::Success);
    EXPECT_EQ(darkIn(gray, {40, 40, 60, 60}), 3600);
    EXPECT_EQ(darkIn(gray, {0, 0, 200, 200}), 3600);

    BitmapGray8 tiny(8, 8, 255);
    tiny.at(3, 3) = 0;
    ASSERT_EQ(NoiseEraser::erase(tiny, 20), ImageLibrary::Success);
    EXPECT_EQ(darkIn(tiny, {0, 0, 8, 8}), 0);
}

TEST(NoiseEraserTest, StrengthOneBarelyTouchesAPageOfText) {
    ImageFixtures::TiffLayout layout;
    layout.width = 600;
    layout.height = 400;
    TempDir dir;
    ASSERT_TRUE(ImageFixtures::writeTiff(dir.file("p.tif"), layout));
    PixHandle page;
    ASSERT_EQ(ImageLibrary::loadPage(dir.file("p.tif"), 1, page), ImageLibrary::Success);
    const BitmapGray8 before = grayOf(page);
    BitmapGray8 after = before;
    ASSERT_EQ(NoiseEraser::erase(after, 1), ImageLibrary::Success);
    EXPECT_EQ(darkIn(after, {0, 0, 600, 400}), darkIn(before, {0, 0, 600, 400}));

    BitmapGray8 empty;
    EXPECT_EQ(NoiseEraser::erase(empty, 10), ImageLibrary::ErrNoBitmap);
    EXPECT_EQ(NoiseEraser::erase(after, 0), ImageLibrary::ErrInvalidParameter);
    EXPECT_EQ(NoiseEraser::erase(after, 65), ImageLibrary::ErrInvalidParameter);
}

class ImageEditorTest : public ::testing::Test {
protected:
    // Saves a 1-bit page as a G4 TIFF and opens it in the editor.
    void openPage(const PixHandle& page) {
        m_path = m_dir.file("page.tif");
        ASSERT_EQ(ImageLibrary::save(m_path, page, ImageLibrary::FormatG4Tiff, 1),
                  ImageLibrary::Success);
        ASSERT_EQ(m_editor.open(m_path), std::nullopt);
    }
    PixHandle reloaded(const std::string& path) {
        PixHandle pix;
        EXPECT_EQ(ImageLibrary::loadPage(path, 1, pix), ImageLibrary::Success);
        return pix;
    }

    TempDir m_dir;
    std::string m_path;
    ImageEditor m_editor;
};

// Two 1-px specks and a 3-px-wide line inside the region (100..200), the same outside.
const std::initializer_list<BitmapRect> kSpeckled = {{120, 120, 1, 1},  {180, 130, 1, 1},
                                                     {110, 150, 80, 3}, {20, 20, 1, 1},
                                                     {250, 260, 1, 1},  {20, 280, 200, 3}};

TEST_F(ImageEditorTest, NoiseRemovalCleansExactlyTheChosenAreaAndKeepsOneBit) {
    struct Case {
        Range range;
        bool insideCleaned, outsideCleaned;
    };
    const BitmapRegion region(BitmapRegion::Rectangle, {100, 100, 100, 100});
    for (const Case& c : {Case{Range::Whole, true, true}, Case{Range::Inside, true, false},
                          Case{Range::Outside, false, true}}) {
        openPage(pageWith(300, 300, kSpeckled));
        ASSERT_EQ(m_editor.eraseNoise(c.range, 10, &region), std::nullopt);
        ASSERT_EQ(m_editor.save(), std::nullopt);
        const PixHandle saved = reloaded(m_path);
        ASSERT_EQ(saved.bitsPerPixel(), 1);
        EXPECT_EQ(blackIn(saved, {120, 120, 1, 1}) + blackIn(saved, {180, 130, 1, 1}),
                  c.insideCleaned ? 0 : 2);
        EXPECT_EQ(blackIn(saved, {20, 20, 1, 1}) + blackIn(saved, {250, 260, 1, 1}),
                  c.outsideCleaned ? 0 : 2);
        EXPECT_EQ(blackIn(saved, {110, 150, 80, 3}), 240);
        EXPECT_EQ(blackIn(saved, {20, 280, 200, 3}), 600);
        const auto facts = ImageFixtures::readTiffPages(m_path);
        ASSERT_EQ(facts.size(), 1u);
        EXPECT_EQ(facts[0].compression, COMPRESSION_CCITTFAX4);
        EXPECT_EQ(facts[0].bitsPerSample, 1);
        EXPECT_FLOAT_EQ(facts[0].xResolution, 200.0f);
    }
}

// Only a region to be cleaned needs a least size: outside a thin region the rest of the page is
// cleaned. The page holds 4 specks, a 240-pixel and a 600-pixel line.
TEST_F(ImageEditorTest, ASmallRegionIsRefusedOnlyWhereItIsCleaned) {
    struct Case {
        Range range;
        BitmapRect bounds;
        std::optional<Msg> refusal;
        int blackAfter;
    };
    const int untouched = 4 + 240 + 600;
    const Case cases[] = {
        {Range::Inside, {100, 100, 2, 50}, Msg::EditRegionTooSmall, untouched},
        {Range::Inside, {100, 100, 50, 2}, Msg::EditRegionTooSmall, untouched},
        {Range::Inside, {0, 0, 0, 0}, Msg::EditRegionTooSmall, untouched},
        {Range::Inside, {100, 100, 3, 3}, std::nullopt, untouched},
        {Range::Outside, {100, 100, 2, 50}, std::nullopt, 240 + 600},
        {Range::Outside, {0, 0, 0, 0}, std::nullopt, 240 + 600},
        {Range::Outside, {119, 119, 3, 3}, std::nullopt, 1 + 240 + 600},
    };
    for (const Case& c : cases) {
        openPage(pageWith(300, 300, kSpeckled));
        const BitmapRegion region(BitmapRegion::Rectangle, c.bounds);
        EXPECT_EQ(m_editor.eraseNoise(c.range, 10, &region), c.refusal)
            << int(c.range) << " " << c.bounds.width << "x" << c.bounds.height;
        EXPECT_EQ(blackIn(m_editor.page(), {0, 0, 300, 300}), c.blackAfter)
            << int(c.range) << " " << c.bounds.width << "x" << c.bounds.height;
    }
    for (Range range : {Range::Inside, Range::Outside}) {
        EXPECT_EQ(m_editor.eraseNoise(range, 10, nullptr), Msg::EditRegionTooSmall);
    }
}

// Saving writes one page over the file: a file of any other page count, or a link, is refused
// at the opening and stays as it was; a saved page keeps its subfile type.
TEST_F(ImageEditorTest, OnlyAPlainSinglePageTiffIsOpenedAndItsSubfileTypeIsKept) {
    struct Case {
        int pages;
        int bits;
        int subfileType;
        bool viaLink;
        std::optional<Msg> refusal;
    };
    const Case cases[] = {
        {1, 1, 0, false, std::nullopt},
        {1, 1, FILETYPE_PAGE, false, std::nullopt},
        {1, 8, FILETYPE_PAGE, false, std::nullopt},
        {1, 8, FILETYPE_REDUCEDIMAGE, false, std::nullopt},
        {2, 1, FILETYPE_PAGE, false, Msg::EditImageLoadFailed},
        {3, 8, 0, false, Msg::EditImageLoadFailed},
        {1, 1, 0, true, Msg::EditImageLoadFailed},
    };
    for (const Case& c : cases) {
        TempDir dir;
        ImageFixtures::TiffLayout layout;
        layout.pages = c.pages;
        layout.bitsPerSample = c.bits;
        layout.photometric = c.bits == 8 ? 1 : 0;
        layout.subfileType = c.subfileType;
        const std::string file = dir.file("page.tif");
        ASSERT_TRUE(ImageFixtures::writeTiff(file, layout));
        const std::string before = dir.read("page.tif");
        std::string opened = file;
        if (c.viaLink) {
            opened = dir.file("link.tif");
            ASSERT_EQ(::symlink(file.c_str(), opened.c_str()), 0);
        }
        ImageEditor editor;
        const std::string label = std::to_string(c.pages) + " pages, " + std::to_string(c.bits) +
                                  " bit" + (c.viaLink ? ", link" : "");
        ASSERT_EQ(editor.open(opened), c.refusal) << label;
        if (c.refusal) {
            EXPECT_EQ(dir.read("page.tif"), before) << label;
            EXPECT_EQ(ImageFixtures::readTiffPages(file).size(), std::size_t(c.pages)) << label;
            continue;
        }
        ASSERT_TRUE(editor.rotate(ImageEditRules::QuarterTurn));
        ASSERT_EQ(editor.save(), std::nullopt) << label;
        const auto facts = ImageFixtures::readTiffPages(file);
        ASSERT_EQ(facts.size(), 1u) << label;
        EXPECT_EQ(facts[0].subfileType, std::uint32_t(c.subfileType)) << label;
        EXPECT_EQ(facts[0].width, layout.height) << label;
        EXPECT_TRUE(reloaded(file)) << label;
    }
}

TEST_F(ImageEditorTest, QuarterTurnsOfAnA4PageAreExact) {
    ImageFixtures::TiffLayout layout;
    layout.width = 1654;
    layout.height = 2339;
    layout.compression = COMPRESSION_CCITTFAX4;
    m_path = m_dir.file("a4.tif");
    ASSERT_TRUE(ImageFixtures::writeTiff(m_path, layout));
    const auto source = ImageFixtures::readBilevelPage(m_path, 1);
    for (int turn : {ImageEditRules::QuarterTurn, -ImageEditRules::QuarterTurn}) {
        ASSERT_EQ(m_editor.open(m_path), std::nullopt);
        ASSERT_TRUE(m_editor.rotate(turn));
        const std::string out = m_dir.file("turned.tif");
        ASSERT_EQ(m_editor.save(out), std::nullopt);
        const auto facts = ImageFixtures::readTiffPages(out);
        ASSERT_EQ(facts.size(), 1u);
        ASSERT_EQ(facts[0].width, layout.height);
        ASSERT_EQ(facts[0].height, layout.width);
        EXPECT_EQ(facts[0].compression, COMPRESSION_CCITTFAX4);
        const auto turned = ImageFixtures::readBilevelPage(out, 1);
        const std::uint32_t w = layout.width;
        const std::uint32_t h = layout.height;
        std::size_t wrong = 0;
        for (std::uint32_t y = 0; y < w; ++y) {
            for (std::uint32_t x = 0; x < h; ++x) {
                // Clockwise: the new (x, y) shows the old (y, h-1-x); left: (w-1-y, x).
                const std::size_t from =
                    turn > 0 ? std::size_t(h - 1 - x) * w + y : std::size_t(x) * w + (w - 1 - y);
                wrong += turned[std::size_t(y) * h + x] != source[from] ? 1 : 0;
            }
        }
        EXPECT_EQ(wrong, 0u) << turn;
    }
}

TEST_F(ImageEditorTest, DeskewTurnsAOneBitPageAndItStaysOneBit) {
    openPage(pageWith(400, 300, {{50, 100, 300, 3}}));
    ASSERT_TRUE(m_editor.rotate(ImageEditRules::deskewHundredths(100, 100, 300, 110)));
    ASSERT_EQ(m_editor.save(), std::nullopt);
    const auto facts = ImageFixtures::readTiffPages(m_path);
    ASSERT_EQ(facts.size(), 1u);
    EXPECT_EQ(facts[0].bitsPerSample, 1);
    EXPECT_EQ(facts[0].compression, COMPRESSION_CCITTFAX4);
    EXPECT_GT(facts[0].height, 300u);
}

TEST_F(ImageEditorTest, AGreyPageIsSavedWithTwentyFourBitsAfterCleaning) {
    ImageFixtures::TiffLayout layout;
    layout.bitsPerSample = 8;
    layout.photometric = 1;
    m_path = m_dir.file("grey.tif");
    ASSERT_TRUE(ImageFixtures::writeTiff(m_path, layout));
    ASSERT_EQ(m_editor.open(m_path), std::nullopt);
    ASSERT_EQ(m_editor.eraseNoise(Range::Whole, 3), std::nullopt);
    ASSERT_EQ(m_editor.save(), std::nullopt);
    const auto facts = ImageFixtures::readTiffPages(m_path);
    ASSERT_EQ(facts.size(), 1u);
    EXPECT_EQ(facts[0].samplesPerPixel, 3);
}

TEST_F(ImageEditorTest, OpeningRefusesMissingBrokenAndOversizedFiles) {
    ImageFixtures::TiffLayout noResolution;
    noResolution.xDpi = 0.0f;
    noResolution.yDpi = 0.0f;
    ImageFixtures::writeTiff(m_dir.file("nores.tif"), noResolution);
    ImageFixtures::writeClaimedSizeTiff(m_dir.file("wide.tif"), 32768, 10);
    ImageFixtures::writeClaimedSizeTiff(m_dir.file("cut.tif"), 3000, 3000);
    m_dir.write("text.tif", "not an image at all");
    ImageFixtures::TiffLayout fine;
    ImageFixtures::writeTiff(m_dir.file("fine.tif"), fine);
    struct Case {
        const char* name;
        std::optional<Msg> expected;
    };
    for (const Case& c :
         {Case{"none.tif", Msg::EditImageMissing}, Case{"nores.tif", Msg::EditImageLoadFailed},
          Case{"wide.tif", Msg::EditImageLoadFailed}, Case{"cut.tif", Msg::EditImageLoadFailed},
          Case{"text.tif", Msg::EditImageLoadFailed}, Case{"fine.tif", std::nullopt}}) {
        ImageEditor editor;
        EXPECT_EQ(editor.open(m_dir.file(c.name)), c.expected) << c.name;
    }
}

TEST_F(ImageEditorTest, AReadOnlyFileIsMadeWritableAndSaved) {
    openPage(pageWith(300, 300, kSpeckled));
    ASSERT_EQ(::chmod(m_path.c_str(), 0444), 0);
    ASSERT_EQ(m_editor.eraseNoise(Range::Whole, 10), std::nullopt);
    ASSERT_EQ(m_editor.save(), std::nullopt);
    struct stat st {};
    ASSERT_EQ(::stat(m_path.c_str(), &st), 0);
    EXPECT_NE(st.st_mode & S_IWUSR, 0u);
    EXPECT_EQ(blackIn(reloaded(m_path), {0, 0, 300, 300}), 840);
}

TEST_F(ImageEditorTest, AFailedSaveLeavesTheFileAsItWas) {
    openPage(pageWith(300, 300, kSpeckled));
    ASSERT_EQ(m_editor.eraseNoise(Range::Whole, 10), std::nullopt);
    ASSERT_EQ(::chmod(m_path.c_str(), 0444), 0);
    const std::string before = m_dir.read("page.tif");
    // The new file cannot be made beside the old one: the process may open no more files.
    const int lowestFree = ::dup(0);
    ::close(lowestFree);
    struct rlimit saved {};
    ASSERT_EQ(::getrlimit(RLIMIT_NOFILE, &saved), 0);
    struct rlimit none = saved;
    none.rlim_cur = static_cast<rlim_t>(lowestFree);
    ASSERT_EQ(::setrlimit(RLIMIT_NOFILE, &none), 0);
    const std::optional<Msg> failed = m_editor.save();
    ::setrlimit(RLIMIT_NOFILE, &saved);
    EXPECT_EQ(failed, Msg::EditSaveFailed);
    EXPECT_EQ(m_dir.read("page.tif"), before);
    struct stat st {};
    ASSERT_EQ(::stat(m_path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0444u);

    ASSERT_EQ(::chmod(m_dir.path().c_str(), 0555), 0);
    if (::access(m_dir.path().c_str(), W_OK) == 0) {
        ::chmod(m_dir.path().c_str(), 0755);
        GTEST_SKIP() << "permission bits do not stop this user from writing";
    }
    EXPECT_EQ(m_editor.save(), Msg::EditSaveFailed);
    ::chmod(m_dir.path().c_str(), 0755);
    EXPECT_EQ(m_dir.read("page.tif"), before);
}

} // namespace
