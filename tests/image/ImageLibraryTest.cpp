#include "image/ImageLibrary.h"

#include "support/ImageFixtures.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <leptonica/allheaders.h>
#include <tiffio.h>

#include <cstdarg>
#include <cstdio>
#include <functional>

namespace {

using Layout = ImageFixtures::TiffLayout;
using IL = ImageLibrary;

Layout bilevel(std::uint32_t w, std::uint32_t h, int pages = 1, int compression = 4) {
    Layout layout;
    layout.width = w;
    layout.height = h;
    layout.pages = pages;
    layout.compression = compression;
    return layout;
}

Layout grey(std::uint32_t w, std::uint32_t h, int samples = 1) {
    Layout layout;
    layout.width = w;
    layout.height = h;
    layout.bitsPerSample = 8;
    layout.samplesPerPixel = samples;
    layout.compression = 5;
    return layout;
}

// Black flags of a loaded 1-bit bitmap, row-major.
std::vector<std::uint8_t> blackOf(const PixHandle& pix) {
    std::vector<std::uint8_t> black;
    for (int y = 0; y < pix.height(); ++y) {
        for (int x = 0; x < pix.width(); ++x) {
            l_uint32 v = 0;
            pixGetPixel(pix.get(), x, y, &v);
            black.push_back(v != 0 ? 1 : 0);
        }
    }
    return black;
}

std::vector<std::uint8_t> patternOf(std::uint32_t w, std::uint32_t h, int page) {
    std::vector<std::uint8_t> black;
    for (std::uint32_t y = 0; y < h; ++y) {
        for (std::uint32_t x = 0; x < w; ++x) {
            black.push_back(ImageFixtures::patternBlack(x, y, page) ? 1 : 0);
        }
    }
    return black;
}

// libtiff's own default: print to stderr. The library must silence it.
void loudTiffHandler(const char* module, const char* format, va_list args) {
    std::fprintf(stderr, "%s: ", module ? module : "libtiff");
    std::vfprintf(stderr, format, args);
}

l_uint32 pixel(const PixHandle& pix, int x, int y) {
    l_uint32 v = 0;
    pixGetPixel(pix.get(), x, y, &v);
    return v;
}

class ImageLibraryTest : public ::testing::Test {
protected:
    std::string tiff(const std::string& name, const Layout& layout) {
        const std::string path = m_dir.file(name);
        EXPECT_TRUE(ImageFixtures::writeTiff(path, layout)) << name;
        return path;
    }
    TempDir m_dir;
};

TEST_F(ImageLibraryTest, PageInfoReportsWhatTheFileStates) {
    Layout cm = grey(30, 40);
    cm.resolutionUnit = 3;
    cm.xDpi = cm.yDpi = 100.0f; // per centimetre
    Layout noRes = bilevel(50, 60);
    noRes.xDpi = noRes.yDpi = 0.0f;
    Layout aniso = bilevel(70, 80, 3, 1);
    aniso.xDpi = 400.0f;
    aniso.yDpi = 300.0f;
    struct Case {
        std::string name;
        std::string path;
        int page;
        IL::PageInfo expected;
    };
    const std::vector<Case> cases = {
        {"1-bit G4, 3rd of 3", tiff("a.tif", aniso), 3, {3, 70, 80, 1, 400, 300}},
        {"grey, centimetres", tiff("b.tif", cm), 1, {1, 30, 40, 8, 254, 254}},
        {"RGB", tiff("c.tif", grey(33, 22, 3)), 1, {1, 33, 22, 24, 200, 200}},
        {"no resolution", tiff("d.tif", noRes), 1, {1, 50, 60, 1, 0, 0}},
        {"TIFF named .png", tiff("e.png", bilevel(20, 10)), 1, {1, 20, 10, 1, 200, 200}},
    };
    for (const Case& c : cases) {
        IL::PageInfo info;
        ASSERT_EQ(IL::pageInfo(c.path, c.page, info), IL::Success) << c.name;
        EXPECT_EQ(info.pageCount, c.expected.pageCount) << c.name;
        EXPECT_EQ(info.width, c.expected.width) << c.name;
        EXPECT_EQ(info.height, c.expected.height) << c.name;
        EXPECT_EQ(info.bitsPerPixel, c.expected.bitsPerPixel) << c.name;
        EXPECT_EQ(info.xResolution, c.expected.xResolution) << c.name;
        EXPECT_EQ(info.yResolution, c.expected.yResolution) << c.name;
    }
}

TEST_F(ImageLibraryTest, JpegAndPngAreReadByContentWhateverTheName) {
    PixHandle grey;
    ASSERT_EQ(IL::create(grey, 120, 90, 8, 0x808080), IL::Success);
    pixSetResolution(grey.get(), 150, 150);
    const std::string jpeg = m_dir.file("photo.tif");
    ASSERT_EQ(pixWrite(jpeg.c_str(), grey.get(), IFF_JFIF_JPEG), 0);
    const std::string png = m_dir.file("drawing.jpg");
    ASSERT_EQ(IL::save(png, grey, IL::FormatPng, 0), IL::Success);
    const std::string cut = m_dir.file("cut.jpg");
    ImageFixtures::writeTruncatedCopy(jpeg, cut, ImageFixtures::fileSize(jpeg) / 2);
    struct Case {
        std::string path;
        int info;
        int load;
    };
    for (const Case& c : std::vector<Case>{{jpeg, IL::Success, IL::Success},
                                           {png, IL::Success, IL::Success},
                                           {cut, IL::ErrFileRead, IL::ErrFileRead}}) {
        PixHandle pix;
        EXPECT_EQ(IL::loadPage(c.path, 1, pix), c.load) << c.path;
        IL::PageInfo info;
        ASSERT_EQ(IL::pageInfo(c.path, 1, info), c.info) << c.path;
        if (c.info != IL::Success) {
            continue;
        }
        EXPECT_EQ(info.pageCount, 1) << c.path;
        EXPECT_EQ(info.width, 120) << c.path;
        EXPECT_EQ(info.height, 90) << c.path;
        EXPECT_EQ(info.bitsPerPixel, 8) << c.path;
        EXPECT_EQ(info.xResolution, 150) << c.path;
        EXPECT_EQ(IL::pageInfo(c.path, 2, info), IL::ErrPageNotFound) << c.path;
    }
}

TEST_F(ImageLibraryTest, PdfPagesAreMeasuredInPointsAndRenderedOnWhite) {
    const std::string pdf = m_dir.file("doc.dat");
    ImageFixtures::writePdf(pdf, 2, 595.0, 842.0);
    IL::PageInfo info;
    ASSERT_EQ(IL::pageInfo(pdf, 2, info), IL::Success);
    EXPECT_EQ(info.pageCount, 2);
    EXPECT_EQ(info.width, 595);
    EXPECT_EQ(info.height, 842);
    EXPECT_EQ(IL::pageInfo(pdf, 3, info), IL::ErrPageNotFound);

    PixHandle page;
    ASSERT_EQ(IL::loadPage(pdf, 1, page), IL::Success);
    EXPECT_EQ(page.width(), 595);
    EXPECT_EQ(page.height(), 842);
    EXPECT_EQ(page.bitsPerPixel(), 24);
    // The square covers points 36..136 from the lower left; rows count from the top.
    EXPECT_EQ(pixel(page, 80, 842 - 80) >> 8, 0x000000u);
    EXPECT_EQ(pixel(page, 300, 300) >> 8, 0xffffffu);

    const std::string png = m_dir.file("page-0001.png");
    ASSERT_EQ(IL::save(png, page, IL::FormatPng, 0), IL::Success);
    PixHandle again;
    ASSERT_EQ(IL::loadPage(png, 1, again), IL::Success);
    EXPECT_EQ(again.width(), 595);
    EXPECT_EQ(pixel(again, 80, 842 - 80) >> 8, 0x000000u);
}

TEST_F(ImageLibraryTest, NoPdfPageLargerThanTheCheckCanAcceptIsRendered) {
    const struct {
        double width, height;
        int result;
    } cases[] = {
        {2600.0, 3600.0, IL::Success}, // A0 with a margin of 76 mm, still acceptable
        {3600.0, 2600.0, IL::Success},          {14400.0, 14400.0, IL::ErrImageTooLarge},
        {3700.0, 2000.0, IL::ErrImageTooLarge}, {2000.0, 3700.0, IL::ErrImageTooLarge},
    };
    for (const auto& c : cases) {
        const std::string pdf = m_dir.file("page.pdf");
        ImageFixtures::writePdf(pdf, 1, c.width, c.height);
        PixHandle page;
        EXPECT_EQ(IL::loadPage(pdf, 1, page), c.result) << c.width << " x " << c.height;
        EXPECT_EQ(static_cast<bool>(page), c.result == IL::Success);
    }
}

TEST_F(ImageLibraryTest, BadFilesGiveErrorCodesSilently) {
    const std::string good = tiff("good.tif", bilevel(200, 300, 1, 1));
    const std::string cutDirectory = m_dir.file("cut-directory.tif");
    ImageFixtures::writeTruncatedCopy(good, cutDirectory, ImageFixtures::fileSize(good) - 20);
    const std::string cutStrip = m_dir.file("cut-strip.tif");
    ImageFixtures::writeClaimedSizeTiff(cutStrip, 200, 300);
    const std::string cutHeader = m_dir.file("cut-header.tif");
    ImageFixtures::writeTruncatedCopy(good, cutHeader, 6);
    const std::string empty = m_dir.file("empty.tif");
    ImageFixtures::writeBytes(empty, "");
    const std::string text = m_dir.file("text.tif");
    ImageFixtures::writeBytes(text, "this is not an image at all\n");
    const std::string huge = m_dir.file("huge.tif");
    ImageFixtures::writeClaimedSizeTiff(huge, 1000000, 1000000);
    const std::string wide = m_dir.file("wide.tif");
    ImageFixtures::writeClaimedSizeTiff(wide, 200000, 200000); // 5 GB as a 1-bit bitmap
    const std::string pdfJunk = m_dir.file("junk.pdf");
    ImageFixtures::writeBytes(pdfJunk, "%PDF-1.4\nnothing else");

    struct Case {
        std::string name;
        std::string path;
        int info; // pageInfo result
        int load; // loadPage result
    };
    const std::vector<Case> cases = {
        {"missing", m_dir.file("nothing.tif"), IL::ErrFileNotFound, IL::ErrFileNotFound},
        {"zero bytes", empty, IL::ErrFileFormat, IL::ErrFileFormat},
        {"wrong magic", text, IL::ErrFileFormat, IL::ErrFileFormat},
        {"cut in the header", cutHeader, IL::ErrFileRead, IL::ErrFileRead},
        {"cut in the directory", cutDirectory, IL::ErrFileRead, IL::ErrFileRead},
        {"cut in the strip", cutStrip, IL::Success, IL::ErrFileRead},
        {"absurd size", huge, IL::ErrImageTooLarge, IL::ErrImageTooLarge},
        {"too large to hold", wide, IL::Success, IL::ErrImageTooLarge},
        {"broken PDF", pdfJunk, IL::ErrFileRead, IL::ErrFileRead},
    };
    const std::string target = m_dir.file("joined.tif");
    for (const Case& c : cases) {
        TIFFSetErrorHandler(loudTiffHandler);
        TIFFSetWarningHandler(loudTiffHandler);
        setMsgSeverity(L_SEVERITY_INFO);
        testing::internal::CaptureStderr();
        IL::PageInfo info;
        EXPECT_EQ(IL::pageInfo(c.path, 1, info), c.info) << c.name;
        PixHandle pix;
        EXPECT_EQ(IL::loadPage(c.path, 1, pix), c.load) << c.name;
        EXPECT_FALSE(pix) << c.name;
        EXPECT_LT(IL::appendPage(c.path, 1, target), 0) << c.name;
        EXPECT_LT(IL::thinTiffPage(c.path, 1, 6, m_dir.file("thin.png")), 0) << c.name;
        EXPECT_EQ(testing::internal::GetCapturedStderr(), "") << c.name;
    }
    // Nothing half-written was left behind.
    EXPECT_EQ(ImageFixtures::fileSize(target), 0u);
    EXPECT_EQ(ImageFixtures::fileSize(m_dir.file("thin.png")), 0u);
}

TEST_F(ImageLibraryTest, BilevelPagesStayBilevelG4ThroughLoadSaveAndAppend) {
    Layout uncompressedBlackIsOne = bilevel(61, 37, 1, 1);
    uncompressedBlackIsOne.photometric = 1;
    uncompressedBlackIsOne.rowsPerStrip = 8;
    const std::vector<std::pair<std::string, Layout>> sources = {
        {"g4.png", bilevel(90, 50, 2)},
        {"raw.tif", uncompressedBlackIsOne},
    };
    const std::string joined = m_dir.file("joined.tif");
    std::vector<std::vector<std::uint8_t>> expectedPages;
    for (const auto& [name, layout] : sources) {
        const std::string path = tiff(name, layout);
        for (int page = 1; page <= layout.pages; ++page) {
            PixHandle pix;
            ASSERT_EQ(IL::loadPage(path, page, pix), IL::Success) << name;
            EXPECT_EQ(pix.bitsPerPixel(), 1) << name;
            EXPECT_EQ(blackOf(pix), patternOf(layout.width, layout.height, page - 1)) << name;

            const std::string saved = m_dir.file("saved-" + name);
            ASSERT_EQ(IL::saveByDepth(saved, pix), IL::Success) << name;
            const auto facts = ImageFixtures::readTiffPages(saved);
            ASSERT_EQ(facts.size(), 1u) << name;
            EXPECT_EQ(facts[0].compression, COMPRESSION_CCITTFAX4) << name;
            EXPECT_EQ(facts[0].bitsPerSample, 1) << name;
            EXPECT_FLOAT_EQ(facts[0].xResolution, 200.0f) << name;
            EXPECT_EQ(ImageFixtures::readBilevelPage(saved, 1), blackOf(pix)) << name;

            ASSERT_EQ(IL::appendPage(path, page, joined), IL::Success) << name;
            expectedPages.push_back(patternOf(layout.width, layout.height, page - 1));
        }
    }
    const auto facts = ImageFixtures::readTiffPages(joined);
    ASSERT_EQ(facts.size(), expectedPages.size());
    for (std::size_t i = 0; i < facts.size(); ++i) {
        EXPECT_EQ(facts[i].compression, COMPRESSION_CCITTFAX4) << i;
        EXPECT_EQ(facts[i].bitsPerSample, 1) << i;
        EXPECT_EQ(ImageFixtures::readBilevelPage(joined, static_cast<int>(i) + 1), expectedPages[i])
            << i;
    }
}

TEST_F(ImageLibraryTest, AppendThresholdsOtherPagesAndProtectsTheTarget) {
    const std::string joined = m_dir.file("joined.tif");
    ASSERT_EQ(IL::appendPage(tiff("a.tif", bilevel(40, 30)), 1, joined), IL::Success);
    Layout halves = grey(16, 8);
    ASSERT_EQ(IL::appendPage(tiff("grey.tif", halves), 1, joined), IL::Success);
    auto facts = ImageFixtures::readTiffPages(joined);
    ASSERT_EQ(facts.size(), 2u);
    EXPECT_EQ(facts[1].compression, COMPRESSION_CCITTFAX4);
    const auto black = ImageFixtures::readBilevelPage(joined, 2);
    ASSERT_EQ(black.size(), 16u * 8u);
    for (std::uint32_t y = 0; y < 8; ++y) {
        for (std::uint32_t x = 0; x < 16; ++x) {
            EXPECT_EQ(black[y * 16 + x], ImageFixtures::patternGrey(x, y, 0) < 128 ? 1 : 0);
        }
    }

    const std::string cut = m_dir.file("cut.tif");
    const std::string whole = tiff("whole.tif", bilevel(300, 400, 1, 1));
    ImageFixtures::writeTruncatedCopy(whole, cut, ImageFixtures::fileSize(whole) - 2000);
    const std::string notTiff = m_dir.file("notes.tif");
    ImageFixtures::writeBytes(notTiff, "keep me");
    struct Case {
        std::string name;
        std::string source;
        int page;
        std::string target;
        int expected;
    };
    const std::vector<Case> cases = {
        {"damaged source", cut, 1, joined, IL::ErrFileRead},
        {"page beyond the file", whole, 2, joined, IL::ErrPageNotFound},
        {"onto itself", joined, 1, joined, IL::ErrInvalidParameter},
        {"onto a file that is not a TIFF", whole, 1, notTiff, IL::ErrFileFormat},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(IL::appendPage(c.source, c.page, c.target), c.expected) << c.name;
    }
    EXPECT_EQ(ImageFixtures::readTiffPages(joined).size(), 2u);
    EXPECT_EQ(ImageFixtures::fileSize(notTiff), 7u);
}

TEST_F(ImageLibraryTest, OtherDepthsAreSavedAs24Bit) {
    struct Case {
        std::string name;
        Layout layout;
    };
    const std::vector<Case> cases = {{"grey", grey(21, 13)}, {"rgb", grey(21, 13, 3)}};
    for (const Case& c : cases) {
        PixHandle pix;
        ASSERT_EQ(IL::loadPage(tiff(c.name + ".tif", c.layout), 1, pix), IL::Success) << c.name;
        const std::string saved = m_dir.file(c.name + "-out.png");
        ASSERT_EQ(IL::saveByDepth(saved, pix), IL::Success) << c.name;
        const auto facts = ImageFixtures::readTiffPages(saved);
        ASSERT_EQ(facts.size(), 1u) << c.name;
        EXPECT_EQ(facts[0].bitsPerSample, 8) << c.name;
        EXPECT_EQ(facts[0].samplesPerPixel, 3) << c.name;
        PixHandle back;
        ASSERT_EQ(IL::loadPage(saved, 1, back), IL::Success) << c.name;
        EXPECT_EQ(back.bitsPerPixel(), 24) << c.name;
        for (std::uint32_t y = 0; y < c.layout.height; ++y) {
            for (std::uint32_t x = 0; x < c.layout.width; ++x) {
                const std::uint32_t g = ImageFixtures::patternGrey(x, y, 0);
                const std::uint32_t want = c.layout.samplesPerPixel == 3
                                               ? ImageFixtures::patternRgb(x, y, 0)
                                               : (g << 16 | g << 8 | g);
                ASSERT_EQ(pixel(back, x, y) >> 8, want) << c.name << " " << x << "," << y;
            }
        }
    }
    PixHandle bilevelPix;
    ASSERT_EQ(IL::create(bilevelPix, 10, 10, 1), IL::Success);
    EXPECT_EQ(IL::save(m_dir.file("x.tif"), bilevelPix, IL::FormatG4Tiff, 8),
              IL::ErrInvalidParameter);
    EXPECT_EQ(IL::save(m_dir.file("x.tif"), bilevelPix, 42, 1), IL::ErrInvalidParameter);
    EXPECT_EQ(IL::save(m_dir.file("no/such/folder/x.tif"), bilevelPix, IL::FormatG4Tiff, 1),
              IL::ErrFileWrite);
}

TEST_F(ImageLibraryTest, ThinningKeepsEveryNthPixelOfEveryNthRow) {
    struct Case {
        std::uint32_t width, height;
        int factor;
        std::uint32_t outWidth, outHeight;
        int photometric;
        std::uint32_t step;
    };
    const std::vector<Case> cases = {
        {7000, 9921, 6, 1167, 1654, 0, 6},
        {100, 50, 1, 100, 50, 1, 1},
        {40000, 20, 1, 20000, 10, 0, 2}, // raised so that no side passes 32768
    };
    for (const Case& c : cases) {
        Layout layout = bilevel(c.width, c.height);
        layout.photometric = c.photometric;
        layout.xDpi = 400.0f;
        layout.yDpi = 300.0f;
        const std::string source = tiff("big.tif", layout);
        const std::string thin = m_dir.file("big-tif-0001.png");
        ASSERT_EQ(IL::thinTiffPage(source, 1, c.factor, thin), IL::Success) << c.width;
        const auto facts = ImageFixtures::readTiffPages(thin);
        ASSERT_EQ(facts.size(), 1u);
        EXPECT_EQ(facts[0].width, c.outWidth);
        EXPECT_EQ(facts[0].height, c.outHeight);
        EXPECT_EQ(facts[0].compression, COMPRESSION_CCITTFAX4);
        EXPECT_EQ(facts[0].strips, 1);
        EXPECT_EQ(facts[0].photometric, c.photometric);
        EXPECT_FLOAT_EQ(facts[0].xResolution, 400.0f);
        EXPECT_FLOAT_EQ(facts[0].yResolution, 300.0f);
        const auto black = ImageFixtures::readBilevelPage(thin, 1);
        ASSERT_EQ(black.size(), static_cast<std::size_t>(c.outWidth) * c.outHeight);
        for (std::uint32_t y = 0; y < c.outHeight; y += 7) {
            for (std::uint32_t x = 0; x < c.outWidth; ++x) {
                ASSERT_EQ(black[y * c.outWidth + x],
                          ImageFixtures::patternBlack(x * c.step, y * c.step, 0) ? 1 : 0)
                    << x << "," << y;
            }
        }
    }
    PixHandle unused;
    EXPECT_EQ(IL::thinTiffPage(tiff("grey.tif", grey(10, 10)), 1, 2, m_dir.file("g.png")),
              IL::ErrUnsupported);
    EXPECT_EQ(IL::thinTiffPage(tiff("b.tif", bilevel(10, 10)), 1, 0, m_dir.file("g.png")),
              IL::ErrInvalidParameter);
}

// Rotation against a hand-made oracle: the bitmap is turned pixel by pixel here, independently.
TEST_F(ImageLibraryTest, QuarterTurnsMatchAHandTurnedBitmap) {
    const int w = 37;
    const int h = 23;
    struct Case {
        int hundredths;
        std::function<std::pair<int, int>(int, int)> where; // source (x, y) -> turned (x, y)
        bool swapsSides;
    };
    const std::vector<Case> cases = {
        {9000,
         [&](int x, int y) {
             return std::pair{h - 1 - y, x};
         },
         true},
        {-9000,
         [&](int x, int y) {
             return std::pair{y, w - 1 - x};
         },
         true},
        {27000,
         [&](int x, int y) {
             return std::pair{y, w - 1 - x};
         },
         true},
        {18000,
         [&](int x, int y) {
             return std::pair{w - 1 - x, h - 1 - y};
         },
         false},
        {36000,
         [&](int x, int y) {
             return std::pair{x, y};
         },
         false},
    };
    for (int depth : {1, 8, 32}) {
        for (const Case& c : cases) {
            PixHandle pix(pixCreate(w, h, depth));
            pixSetResolution(pix.get(), 300, 200);
            auto value = [&](int x, int y) -> l_uint32 {
                if (depth == 1) {
                    return ImageFixtures::patternBlack(x, y, 0) ? 1 : 0;
                }
                return depth == 8 ? ImageFixtures::patternGrey(x, y, 0)
                                  : ImageFixtures::patternRgb(x, y, 0) << 8;
            };
            for (int y = 0; y < h; ++y) {
                for (int x = 0; x < w; ++x) {
                    pixSetPixel(pix.get(), x, y, value(x, y));
                }
            }
            ASSERT_EQ(IL::rotate(pix, c.hundredths), IL::Success);
            ASSERT_EQ(pix.width(), c.swapsSides ? h : w) << c.hundredths;
            ASSERT_EQ(pix.height(), c.swapsSides ? w : h) << c.hundredths;
            EXPECT_EQ(pixGetDepth(pix.get()), depth);
            EXPECT_EQ(pix.xResolution(), c.swapsSides ? 200 : 300);
            for (int y = 0; y < h; ++y) {
                for (int x = 0; x < w; ++x) {
                    const auto [tx, ty] = c.where(x, y);
                    ASSERT_EQ(pixel(pix, tx, ty), value(x, y))
                        << depth << " bpp, " << c.hundredths << " at " << x << "," << y;
                }
            }
        }
    }
}

TEST_F(ImageLibraryTest, SmallAnglesFillWithWhiteAndKeepTheWholePage) {
    for (int depth : {1, 8, 32}) {
        PixHandle pix;
        ASSERT_EQ(IL::create(pix, 200, 100, depth == 32 ? 24 : depth, 0x000000), IL::Success);
        ASSERT_EQ(IL::rotate(pix, 4500), IL::Success);
        EXPECT_EQ(pixGetDepth(pix.get()), depth);
        // 200 x 100 turned by 45 degrees needs about 212 x 212 pixels.
        EXPECT_GE(pix.width(), 211);
        EXPECT_GE(pix.height(), 211);
        const l_uint32 white = depth == 1 ? 0 : depth == 8 ? 255 : 0xffffff00;
        const l_uint32 black = depth == 1 ? 1 : 0;
        EXPECT_EQ(pixel(pix, 1, 1), white) << depth;
        EXPECT_EQ(pixel(pix, pix.width() - 2, pix.height() - 2), white) << depth;
        EXPECT_EQ(pixel(pix, pix.width() / 2, pix.height() / 2), black) << depth;
    }
    PixHandle none;
    EXPECT_EQ(IL::rotate(none, 9000), IL::ErrNoBitmap);
}

TEST_F(ImageLibraryTest, BitDepthChangesAndTheGreyHandOver) {
    PixHandle pix;
    ASSERT_EQ(IL::create(pix, 8, 4, 1), IL::Success);
    pixSetPixel(pix.get(), 3, 2, 1);
    ASSERT_EQ(IL::changeBits(pix, 8), IL::Success);
    EXPECT_EQ(pix.bitsPerPixel(), 8);
    EXPECT_EQ(pixel(pix, 3, 2), 0u);
    EXPECT_EQ(pixel(pix, 0, 0), 255u);

    BitmapGray8 grey;
    ASSERT_EQ(IL::exportGray8(pix, grey), IL::Success);
    ASSERT_EQ(grey.width(), 8);
    EXPECT_EQ(grey.at(3, 2), 0);
    EXPECT_EQ(grey.at(7, 3), 255);
    grey.at(3, 2) = 255; // the eraser cleans the speck
    grey.at(5, 1) = 90;
    ASSERT_EQ(IL::importGray8(grey, pix), IL::Success);
    EXPECT_EQ(pixel(pix, 3, 2), 255u);
    EXPECT_EQ(pixel(pix, 5, 1), 90u);

    ASSERT_EQ(IL::changeBits(pix, 24), IL::Success);
    EXPECT_EQ(pix.bitsPerPixel(), 24);
    EXPECT_EQ(pixel(pix, 5, 1) >> 8, 0x5a5a5au);
    ASSERT_EQ(IL::changeBits(pix, 1), IL::Success);
    EXPECT_EQ(pixel(pix, 5, 1), 1u); // 90 is darker than mid grey
    EXPECT_EQ(pixel(pix, 3, 2), 0u);

    EXPECT_EQ(IL::changeBits(pix, 4), IL::ErrInvalidParameter);
    PixHandle none;
    EXPECT_EQ(IL::changeBits(none, 8), IL::ErrNoBitmap);
    EXPECT_EQ(IL::exportGray8(none, grey), IL::ErrNoBitmap);
}

TEST_F(ImageLibraryTest, CombineCopiesARectangleOrAnEllipse) {
    struct Case {
        std::string name;
        const BitmapRegion* region;
        std::function<bool(int, int)> changed; // dst pixel expected black
    };
    const BitmapRegion ellipse(BitmapRegion::Ellipse, BitmapRect{10, 10, 20, 10});
    const BitmapRegion box(BitmapRegion::Rectangle, BitmapRect{12, 12, 4, 4});
    const std::vector<Case> cases = {
        {"plain", nullptr, [](int x, int y) { return x >= 10 && x < 30 && y >= 10 && y < 20; }},
        {"rectangle", &box, [](int x, int y) { return x >= 12 && x < 16 && y >= 12 && y < 16; }},
        {"ellipse", &ellipse, [&](int x, int y) { return ellipse.contains(x, y); }},
    };
    for (const Case& c : cases) {
        PixHandle dst;
        PixHandle src;
        ASSERT_EQ(IL::create(dst, 40, 30, 1), IL::Success);
        ASSERT_EQ(IL::create(src, 50, 50, 24, 0x000000), IL::Success); // converted to 1 bit
        ASSERT_EQ(IL::combine(dst, 10, 10, src, BitmapRect{5, 5, 20, 10}, c.region), IL::Success);
        for (int y = 0; y < 30; ++y) {
            for (int x = 0; x < 40; ++x) {
                ASSERT_EQ(pixel(dst, x, y), c.changed(x, y) ? 1u : 0u)
                    << c.name << " " << x << "," << y;
            }
        }
    }
    EXPECT_TRUE(ellipse.contains(20, 15));
    EXPECT_FALSE(ellipse.contains(10, 10));
    EXPECT_FALSE(ellipse.contains(29, 19));
}

TEST_F(ImageLibraryTest, CreateFillResizeAndClip) {
    PixHandle pix;
    ASSERT_EQ(IL::create(pix, 30, 20, 24, 0x336699), IL::Success);
    EXPECT_EQ(pixel(pix, 29, 19) >> 8, 0x336699u);
    ASSERT_EQ(IL::fill(pix, 0xffffff), IL::Success);
    EXPECT_EQ(pixel(pix, 0, 0) >> 8, 0xffffffu);
    EXPECT_EQ(IL::create(pix, 0, 20, 1), IL::ErrInvalidParameter);
    EXPECT_EQ(IL::create(pix, 200000, 200000, 24), IL::ErrInvalidParameter);

    PixHandle page;
    ASSERT_EQ(IL::loadPage(tiff("p.tif", bilevel(1001, 707)), 1, page), IL::Success);
    ASSERT_EQ(IL::resize(page, 333, 235), IL::Success);
    EXPECT_EQ(page.width(), 333);
    EXPECT_EQ(page.height(), 235);
    EXPECT_EQ(page.bitsPerPixel(), 1);

    PixHandle part;
    ASSERT_EQ(IL::clip(page, BitmapRect{300, 200, 100, 100}, part), IL::Success);
    EXPECT_EQ(part.width(), 33);
    EXPECT_EQ(part.height(), 35);
    EXPECT_EQ(IL::clip(page, BitmapRect{400, 0, 10, 10}, part), IL::ErrInvalidParameter);
}

} // namespace
