#include "base/CellGrid.h"
#include "base/FileSystem.h"
#include "base/RecordingMainView.h"
#include "base/ScriptedPrompter.h"
#include "image/ImageEntry.h"
#include "image/ImageFolderScan.h"
#include "image/ImageProbe.h"
#include "image/PreviewMaker.h"
#include "support/ImageFixtures.h"
#include "support/ScanFixtures.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace {

// Damaged, empty, mislabelled and fuzzed files of every kind: each is measured and converted,
// and a whole folder of them is scanned with previews. Nothing may crash or hang; every file
// either works or reports a result code, and its entry is then marked invalid.
class BadInputTest : public ::testing::Test {
protected:
    BadInputTest() {
        m_settings.dataFolder = m_data.path();
        m_settings.tempFolder = m_data.file("temp");
        m_settings.converterPoll = std::chrono::milliseconds(10);
        m_settings.extensions = ImageTypeDetector::splitExtensions("TIF/TIFF/JPG/JPEG/PDF/PLT");
    }
    TempDir m_data;
    TempDir m_images;
    TempDir m_sources;
    ImageSettings m_settings;
};

// Fuzzed files may still be readable; a cut-off JPEG keeps its header and is copied as it is
// (its preview shows what the decoder can make of it).
bool mustFail(const std::string& name) {
    return name.rfind("fz", 0) != 0 && name != "cut.jpg";
}

} // namespace

TEST_F(BadInputTest, BrokenFilesGiveResultCodesAndInvalidEntries) {
    ImageFixtures::TiffLayout layout;
    layout.width = 600;
    layout.height = 800;
    layout.pages = 2;
    layout.compression = 4;
    const std::string tiff = m_sources.file("s.tif");
    ASSERT_TRUE(ImageFixtures::writeTiff(tiff, layout));
    const std::string jpeg = m_sources.file("s.jpg");
    ScanFixtures::writeJpeg(jpeg, 827, 1169, 100);
    const std::string pdf = m_sources.file("s.pdf");
    ImageFixtures::writePdf(pdf, 2, 595.0, 842.0);
    const std::string plot = m_sources.file("s.plt");
    ScanFixtures::writePlot(plot, 2);

    const std::string dir = m_images.path();
    ImageFixtures::writeTruncatedCopy(tiff, dir + "/cut.tif", ImageFixtures::fileSize(tiff) / 2);
    ImageFixtures::writeTruncatedCopy(jpeg, dir + "/cut.jpg", ImageFixtures::fileSize(jpeg) / 3);
    ImageFixtures::writeTruncatedCopy(pdf, dir + "/cut.pdf", ImageFixtures::fileSize(pdf) / 2);
    m_images.write("zero.tif", "");
    m_images.write("zero.jpg", "");
    m_images.write("zero.pdf", "");
    m_images.write("zero.plt", "");
    m_images.write("magic.tif", "%PDF-1.4 pretending");
    m_images.write("magic.jpg", "II*\0 pretending");
    m_images.write("magic.pdf", "\xff\xd8\xff pretending");
    ImageFixtures::writeClaimedSizeTiff(dir + "/claims.tif", 250000, 250000);
    ImageFixtures::writeClaimedSizeTiff(dir + "/claims2.tif", 4000000000u, 3);
    ScanFixtures::fuzzedCopies(tiff, dir, "fz", "tif", 6, 12, 8, 11);
    ScanFixtures::fuzzedCopies(jpeg, dir, "fz", "jpg", 6, 12, 4, 12);
    ScanFixtures::fuzzedCopies(pdf, dir, "fz", "pdf", 6, 12, 9, 13);
    ScanFixtures::fuzzedCopies(plot, dir, "fz", "plt", 3, 6, 3, 14);

    const ImageProbe inspector(m_settings);
    RecordingMainView view;
    ScriptedPrompter prompter;
    const PreviewMaker maker(m_settings, &view, &prompter);
    const auto listed = files::listFolder(dir);
    ASSERT_EQ(listed.size(), 33u);
    for (const std::string& name : listed) {
        const auto type = ImageTypeDetector::detect(name, m_settings.extensions);
        ASSERT_TRUE(type) << name;
        const ImageFacts facts = inspector.inspect(dir + "/" + name, *type);
        const PreviewResult preview = maker.make(dir + "/" + name, *type);
        if (mustFail(name)) {
            EXPECT_NE(facts.result, 0) << name;
            EXPECT_NE(preview.result, 0) << name;
        }
        if (preview.result != 0) {
            EXPECT_TRUE(preview.files.empty()) << name;
        }
        EXPECT_NE(facts.result, 1) << name;
    }

    CellGrid grid;
    ImageEntry::prepareGrid(grid);
    ImageFolderScan scan(grid, view, prompter);
    m_settings.loadPreview = true;
    ASSERT_TRUE(scan.scan(dir, m_settings, ImageFolderScan::Mode::Reload));
    ASSERT_EQ(scan.imageCount(), 33);
    for (int row = 1; row < grid.rows(); ++row) {
        const ImageEntry e = ImageEntry::read(grid, row);
        if (mustFail(e.fileName)) {
            EXPECT_FALSE(e.previewValid) << e.fileName;
        }
        EXPECT_FALSE(e.type.empty()) << e.fileName;
    }
}
