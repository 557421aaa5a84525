#include "image/PreviewMaker.h"
#include "base/FileSystem.h"
#include "base/RecordingMainView.h"
#include "base/ScriptedPrompter.h"
#include "image/ImageSettings.h"
#include "support/ImageFixtures.h"
#include "support/ScanFixtures.h"
#include "support/TempDir.h"

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

using Names = std::vector<std::string>;

class PreviewMakerTest : public ::testing::Test {
protected:
    PreviewMakerTest() {
        m_settings.dataFolder = m_data.path();
        m_settings.tempFolder = m_data.file("temp");
        m_settings.converterPoll = std::chrono::milliseconds(20);
    }
    PreviewResult make(const std::string& path, ImageType type) {
        return PreviewMaker(m_settings, &m_view, &m_prompter).make(path, type);
    }
    std::string temp(const std::string& name) const { return m_settings.tempFolder + "/" + name; }

    TempDir m_data;
    TempDir m_images;
    ImageSettings m_settings;
    RecordingMainView m_view;
    ScriptedPrompter m_prompter;
};

} // namespace

TEST_F(PreviewMakerTest, ThinsA1BitPageBySix) {
    ImageFixtures::TiffLayout shape;
    shape.width = 7000;
    shape.height = 9921;
    shape.compression = 4;
    shape.xDpi = shape.yDpi = 400.0f;
    const std::string path = m_images.file("plan.TIF");
    ASSERT_TRUE(ImageFixtures::writeTiff(path, shape));

    const PreviewResult r = make(path, ImageType::Tiff);
    ASSERT_EQ(r.result, 0);
    EXPECT_EQ(r.pageCount, 1);
    EXPECT_EQ(r.previewCount, 1);
    // The fixture pattern numbers pages from 0. 444 x 630 mm is not a standard size: no magnified
    // preview.
    EXPECT_EQ(r.files, Names{"plan-TIF-0001.png"});
    const auto pages = ImageFixtures::readTiffPages(temp("plan-TIF-0001.png"));
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_EQ(pages[0].width, 1167u);
    EXPECT_EQ(pages[0].height, 1654u);
    EXPECT_EQ(pages[0].bitsPerSample, 1);
    EXPECT_EQ(pages[0].compression, 4);
    EXPECT_EQ(pages[0].strips, 1);
    EXPECT_FLOAT_EQ(pages[0].xResolution, 400.0f);
    EXPECT_FALSE(m_view.waitCursor());

    const auto thinned = ImageFixtures::readBilevelPage(temp("plan-TIF-0001.png"), 1);
    ASSERT_EQ(thinned.size(), 1167u * 1654u);
    for (std::uint32_t y : {0u, 1u, 500u, 1653u}) {
        for (std::uint32_t x : {0u, 3u, 700u, 1166u}) {
            EXPECT_EQ(thinned[y * 1167 + x] != 0, ImageFixtures::patternBlack(x * 6, y * 6, 0))
                << x << "," << y;
        }
    }
}

TEST_F(PreviewMakerTest, ThePreviewKeepsEachResolutionTheSourceStates) {
    struct Case {
        const char* name;
        float xDpi, yDpi; // 0: the tag is absent
    };
    for (const Case& c : {Case{"x-only.tif", 100, 0}, Case{"y-only.tif", 0, 100},
                          Case{"both.tif", 100, 150}, Case{"none.tif", 0, 0}}) {
        SCOPED_TRACE(c.name);
        ImageFixtures::TiffLayout shape;
        shape.width = 1000;
        shape.height = 1400;
        shape.compression = 4;
        shape.xDpi = c.xDpi;
        shape.yDpi = c.yDpi;
        ASSERT_TRUE(ImageFixtures::writeTiff(m_images.file(c.name), shape));
        const PreviewResult r = make(m_images.file(c.name), ImageType::Tiff);
        ASSERT_EQ(r.result, 0);
        const auto pages = ImageFixtures::readTiffPages(temp(r.files.at(0)));
        ASSERT_EQ(pages.size(), 1u);
        EXPECT_FLOAT_EQ(pages[0].xResolution, c.xDpi);
        EXPECT_FLOAT_EQ(pages[0].yResolution, c.yDpi);
    }
}

TEST_F(PreviewMakerTest, PageSelectionNumbersThePreviewsInPageOrder) {
    ImageFixtures::TiffLayout shape;
    shape.width = 600;
    shape.height = 800;
    shape.pages = 6;
    const std::string six = m_images.file("six.tif");
    ASSERT_TRUE(ImageFixtures::writeTiff(six, shape));
    shape.pages = 2;
    const std::string two = m_images.file("two.tif");
    ASSERT_TRUE(ImageFixtures::writeTiff(two, shape));
    m_settings.selection = PageSelection(2, "3,5-4");

    const PreviewResult r = make(six, ImageType::Tiff);
    ASSERT_EQ(r.result, 0);
    EXPECT_EQ(r.pageCount, 6);
    EXPECT_EQ(r.previewCount, 3);
    EXPECT_EQ(r.files, (Names{"six-tif-0001.png", "six-tif-0002.png", "six-tif-0003.png"}));
    for (int n = 1; n <= 3; ++n) {
        const auto page = ImageFixtures::readBilevelPage(temp(r.files[n - 1]), 1);
        ASSERT_EQ(page.size(), 100u * 134u);
        const int source = n + 2;
        int differences = 0;
        for (std::uint32_t y = 0; y < 134; ++y) {
            for (std::uint32_t x = 0; x < 100; ++x) {
                differences += (page[y * 100 + x] != 0) !=
                               ImageFixtures::patternBlack(x * 6, y * 6, source - 1);
            }
        }
        EXPECT_EQ(differences, 0) << "preview " << n << " should be page " << source;
    }

    const PreviewResult r2 = make(two, ImageType::Tiff);
    ASSERT_EQ(r2.result, 0);
    EXPECT_EQ(r2.pageCount, 2);
    EXPECT_EQ(r2.files, Names{"two-tif-0001.png"});
}

TEST_F(PreviewMakerTest, LargeSizesGetMagnifiedPreviews) {
    const std::string a1 = m_images.file("a1.tif");
    ScanFixtures::writeBilevelTiffMm(a1, 594, 841, 100);
    const PreviewResult r = make(a1, ImageType::Tiff);
    ASSERT_EQ(r.result, 0);
    EXPECT_EQ(r.files, (Names{"a1-tif-0001.png", "a1-tif-0001-ZM.png"}));
    const auto zoomed = ImageFixtures::readTiffPages(temp("a1-tif-0001-ZM.png"));
    ASSERT_EQ(zoomed.size(), 1u);
    EXPECT_EQ(zoomed[0].width, (2339u + 1) / 2);
    EXPECT_EQ(zoomed[0].compression, 4);

    ImageFixtures::TiffLayout grey;
    grey.width = 2339; // A1 at 100 dpi
    grey.height = 3311;
    grey.bitsPerSample = 8;
    grey.photometric = 1;
    grey.xDpi = grey.yDpi = 100.0f;
    const std::string a1grey = m_images.file("grey.tif");
    ASSERT_TRUE(ImageFixtures::writeTiff(a1grey, grey));
    const PreviewResult g = make(a1grey, ImageType::Tiff);
    ASSERT_EQ(g.result, 0);
    ASSERT_EQ(g.files, (Names{"grey-tif-0001.png", "grey-tif-0001-ZM.png"}));
    const auto small = ImageFixtures::readTiffPages(temp(g.files[0]));
    ASSERT_EQ(small.size(), 1u);
    EXPECT_EQ(small[0].width, 2339u / 6);
    EXPECT_EQ(small[0].height, 3311u / 6);
    EXPECT_EQ(small[0].samplesPerPixel, 3);
    EXPECT_EQ(ImageFixtures::readTiffPages(temp(g.files[1]))[0].width, 2339u / 2);
}

// The longest names whose previews still fit the file-name limit: the files written on the way
// have short names of their own and leave nothing behind.
TEST_F(PreviewMakerTest, ImagesWithNamesNearTheLimitGetPreviews) {
    const std::string stem(236, 'n');
    const struct {
        const char* extension;
        ImageType type;
        void (*write)(const std::string& path);
        std::size_t files;
    } cases[] = {
        {".tif", ImageType::Tiff,
         [](const std::string& p) { ScanFixtures::writeBilevelTiffMm(p, 420, 594, 50); }, 2},
        {".jpg", ImageType::Jpeg,
         [](const std::string& p) { ScanFixtures::writeJpeg(p, 827, 1169, 50); }, 2},
        {".pdf", ImageType::Pdf,
         [](const std::string& p) { ImageFixtures::writePdf(p, 1, 595.0, 842.0); }, 1},
    };
    for (const auto& c : cases) {
        const std::string path = m_images.file(stem + c.extension);
        c.write(path);
        const PreviewResult r = make(path, c.type);
        EXPECT_EQ(r.result, 0) << c.extension;
        ASSERT_EQ(r.files.size(), c.files) << c.extension;
        for (const std::string& name : r.files) {
            EXPECT_TRUE(files::isRegularFile(temp(name))) << name.size();
        }
        Names listed = files::listFolder(m_settings.tempFolder);
        Names made = r.files;
        std::sort(made.begin(), made.end());
        std::sort(listed.begin(), listed.end());
        EXPECT_EQ(listed, made) << c.extension;
        for (const std::string& name : r.files) {
            files::removeFile(temp(name));
        }
    }
}

TEST_F(PreviewMakerTest, JpegIsCopiedByteForByteAndMadeWritable) {
    const std::string jpg = m_images.file("photo.JPG");
    ScanFixtures::writeJpeg(jpg, 800, 1100, 100);
    ::chmod(jpg.c_str(), 0444);
    const PreviewResult r = make(jpg, ImageType::Jpeg);
    ASSERT_EQ(r.result, 0);
    EXPECT_EQ(r.files, Names{"photo-JPG-0001.png"});
    EXPECT_EQ(m_images.read("photo.JPG"), m_data.read("temp/photo-JPG-0001.png"));
    struct stat st {};
    ASSERT_EQ(::stat(temp("photo-JPG-0001.png").c_str(), &st), 0);
    EXPECT_NE(st.st_mode & S_IWUSR, 0u);
}

TEST_F(PreviewMakerTest, PdfPagesAreRenderedAtFullSizeIntoPng) {
    const std::string pdf = m_images.file("doc.pdf");
    ImageFixtures::writePdf(pdf, 3, 595.0, 842.0);
    m_settings.selection = PageSelection(2, "2-3");
    const PreviewResult r = make(pdf, ImageType::Pdf);
    ASSERT_EQ(r.result, 0);
    EXPECT_EQ(r.pageCount, 3);
    EXPECT_EQ(r.files, (Names{"doc-pdf-0001.png", "doc-pdf-0002.png"}));
    const std::string png = m_data.read("temp/doc-pdf-0001.png");
    EXPECT_EQ(png.substr(1, 3), "PNG");
}

TEST_F(PreviewMakerTest, FailuresGiveTheirResultAndLeaveNoFiles) {
    ImageFixtures::TiffLayout shape;
    shape.width = 600;
    shape.height = 800;
    shape.pages = 2;
    const std::string good = m_images.file("good.tif");
    ASSERT_TRUE(ImageFixtures::writeTiff(good, shape));
    const std::string cut = m_images.file("cut.tif");
    ImageFixtures::writeTruncatedCopy(good, cut, ImageFixtures::fileSize(good) - 200);
    m_images.write("wrong.tif", "GIF89a not a tiff at all");
    m_images.write("zero.tif", "");
    m_images.write("zero.jpg", "");
    m_images.write("broken.pdf", "%PDF-1.4\n1 0 obj << /Type /Catalog >> endobj\n%%EOF\n");
    // Pages the list check refuses are never rendered: one far beyond A0, one just beyond it.
    ImageFixtures::writePdf(m_images.file("vast.pdf"), 1, 14400.0, 14400.0);
    ImageFixtures::writePdf(m_images.file("over-a0.pdf"), 2, 2500.0, 3500.0);
    ImageFixtures::writePdf(m_images.file("tiny.pdf"), 1, 50.0, 50.0);
    ImageFixtures::writeClaimedSizeTiff(m_images.file("huge.tif"), 200000, 200000);
    ImageFixtures::writeClaimedSizeTiff(m_images.file("capped.tif"), 1u << 20, 1u << 20);
    struct Case {
        const char* name;
        ImageType type;
        int result;
    } cases[] = {
        {"missing.tif", ImageType::Tiff, 1}, {"missing.pdf", ImageType::Pdf, 1},
        {"wrong.tif", ImageType::Tiff, -1},  {"zero.tif", ImageType::Tiff, -1},
        {"zero.jpg", ImageType::Jpeg, -6},   {"broken.pdf", ImageType::Pdf, -1},
        {"huge.tif", ImageType::Tiff, -1},   {"capped.tif", ImageType::Tiff, -10},
        {"vast.pdf", ImageType::Pdf, -1},    {"over-a0.pdf", ImageType::Pdf, -1},
        {"tiny.pdf", ImageType::Pdf, -1},
    };
    for (const Case& c : cases) {
        const PreviewResult r = make(m_images.file(c.name), c.type);
        EXPECT_EQ(r.result, c.result) << c.name;
        EXPECT_TRUE(r.files.empty()) << c.name;
    }
    const PreviewResult r = make(cut, ImageType::Tiff);
    EXPECT_NE(r.result, 0);
    EXPECT_TRUE(files::listFolder(m_settings.tempFolder).empty());
    EXPECT_TRUE(m_prompter.shown().empty());
}

// Tiled pages and colour pages too large to hold in memory are streamed like strip-stored 1-bit
// pages: both previews from one pass.
TEST_F(PreviewMakerTest, TiledAndOversizedPagesGetPreviews) {
    ImageFixtures::TiffLayout tiled1;
    tiled1.width = 2339; // A1 at 100 dpi
    tiled1.height = 3311;
    tiled1.compression = 4;
    tiled1.xDpi = tiled1.yDpi = 100.0f;
    tiled1.tileWidth = tiled1.tileLength = 256;
    ImageFixtures::TiffLayout tiledRgb = tiled1;
    tiledRgb.width = 1169; // A3 at 100 dpi
    tiledRgb.height = 1654;
    tiledRgb.bitsPerSample = 8;
    tiledRgb.samplesPerPixel = 3;
    tiledRgb.compression = 5;
    ASSERT_TRUE(ImageFixtures::writeTiff(m_images.file("t1.tif"), tiled1));
    ASSERT_TRUE(ImageFixtures::writeTiff(m_images.file("trgb.tif"), tiledRgb));
    // A1 at 600 dpi in 24 bits: more than the 1 GiB a bitmap in memory may take.
    ASSERT_TRUE(ImageFixtures::writeWhiteRgbTiff(m_images.file("big.tif"), 14031, 19866, 600.0f));
    struct Case {
        const char* name;
        std::uint32_t width, height; // of the ÷6 preview
        std::uint32_t zoomedWidth;   // 0: no magnified preview
        int samples;
    } cases[] = {
        {"t1", 390, 552, 1170, 1},
        {"trgb", 194, 275, 0, 3},
        {"big", 2338, 3311, 7015, 3},
    };
    for (const Case& c : cases) {
        const std::string base = c.name;
        const PreviewResult r = make(m_images.file(base + ".tif"), ImageType::Tiff);
        ASSERT_EQ(r.result, 0) << c.name;
        Names want{base + "-tif-0001.png"};
        if (c.zoomedWidth != 0) {
            want.push_back(base + "-tif-0001-ZM.png");
        }
        ASSERT_EQ(r.files, want) << c.name;
        const auto small = ImageFixtures::readTiffPages(temp(want[0]));
        ASSERT_EQ(small.size(), 1u) << c.name;
        EXPECT_EQ(small[0].width, c.width) << c.name;
        EXPECT_EQ(small[0].height, c.height) << c.name;
        EXPECT_EQ(small[0].samplesPerPixel, c.samples) << c.name;
        if (c.zoomedWidth != 0) {
            EXPECT_EQ(ImageFixtures::readTiffPages(temp(want[1]))[0].width, c.zoomedWidth);
        }
    }
    const auto thinned = ImageFixtures::readBilevelPage(temp("t1-tif-0001.png"), 1);
    ASSERT_EQ(thinned.size(), 390u * 552u);
    for (std::uint32_t i = 0; i < thinned.size(); i += 97) {
        EXPECT_EQ(thinned[i] != 0, ImageFixtures::patternBlack(i % 390 * 6, i / 390 * 6, 0)) << i;
    }
    EXPECT_EQ(ImageFixtures::readRgbPage(temp("big-tif-0001.png")),
              std::vector<std::uint32_t>(2338u * 3311u, 0xffffffu));
}
