#include "image/ImageFolderScan.h"
#include "base/CellGrid.h"
#include "base/FileSystem.h"
#include "base/RecordingMainView.h"
#include "base/ScriptedPrompter.h"
#include "base/WorkerPool.h"
#include "image/FileDate.h"
#include "image/ImageEntry.h"
#include "image/ImageFolderListing.h"
#include "support/ImageFixtures.h"
#include "support/ScanFixtures.h"
#include "support/TempDir.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <functional>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <unistd.h>

namespace {

using Names = std::vector<std::string>;

class ImageFolderScanTest : public ::testing::Test {
protected:
    ImageFolderScanTest() : m_scan(m_grid, m_view, m_prompter) {
        ImageEntry::prepareGrid(m_grid);
        m_settings.dataFolder = m_data.path();
        m_settings.tempFolder = m_data.file("temp");
        m_settings.converterPoll = std::chrono::milliseconds(20);
        m_scan.setRetryPause(std::chrono::milliseconds(1));
    }
    void writeA4(const std::string& name, long long modified = 1700000000) {
        ScanFixtures::writeBilevelTiffMm(m_images.file(name), 210, 297, 100);
        ScanFixtures::setModified(m_images.file(name), modified);
    }
    Names column(int col) const {
        Names out;
        for (int row = 1; row < m_grid.rows(); ++row) {
            out.push_back(u8(m_grid.text(row, col)));
        }
        return out;
    }
    std::vector<std::string> shownTexts() const {
        std::vector<std::string> out;
        for (const auto& m : m_prompter.shown()) {
            out.push_back(u8(m.text));
        }
        return out;
    }

    TempDir m_data;
    TempDir m_images;
    ImageSettings m_settings;
    CellGrid m_grid;
    RecordingMainView m_view;
    ScriptedPrompter m_prompter;
    ImageFolderScan m_scan;
};

} // namespace

TEST(ImageFolderListing, ListsByExtensionOrderWithoutDuplicatesOrHiddenFiles) {
    TempDir folder;
    for (const char* name : {"b.tif", "A.TIF", "c.TIFF", "d.jpg", "e.pdf", ".hidden.tif", "f.plt",
                             "g.png", "noext", "h.tif.bak"}) {
        folder.write(name, "x");
    }
    folder.mkdir("dir.tif");
    const auto standard = ImageTypeDetector::splitExtensions("TIF/TIFF/JPG/JPEG/PDF");
    EXPECT_EQ(ImageFolderListing::list(folder.path(), standard).names,
              (Names{"A.TIF", "b.tif", "c.TIFF", "d.jpg", "e.pdf"}));
    EXPECT_EQ(
        ImageFolderListing::list(folder.path(), ImageTypeDetector::splitExtensions("PLT/TIF//"))
            .names,
        (Names{"f.plt", "A.TIF", "b.tif", "noext"}));
    // The same name reached by two patterns is listed once, and is no twin of itself.
    const auto twice = ImageFolderListing::list(folder.path(), {"tif", "TIF"});
    EXPECT_EQ(twice.names, (Names{"A.TIF", "b.tif"}));
    EXPECT_TRUE(twice.caseTwins.empty());
}

TEST(ImageFolderListing, NamesWithoutAnExactCp932FormAndCaseTwinsAreSetApart) {
    TempDir folder;
    // File-system (UTF-8 or broken) names, written as they are.
    for (const char* raw : {"\xC3\xA9.tif", "\xF0\x9F\x98\x80.tif", "\xFF.tif", "\xE3\x80\x9C.tif",
                            "\xE6\x97\xA5\xE6\x9C\xAC.tif", "A.tif", "a.tif", "b.TIF", "B.tif",
                            "\xC3\xA9.txt", "\xFF\xFE.doc"}) {
        ImageFixtures::writeBytes(folder.path() + "/" + raw, "x");
    }
    const auto listing = ImageFolderListing::list(folder.path(), {"TIF", "TIF", "PDF"});
    EXPECT_EQ(listing.names, (Names{"A.tif", "B.tif", sj("日本.tif")}));
    EXPECT_EQ(listing.unusable,
              (Names{"<U+00E9>.tif", "<U+1F600>.tif", "<U+301C>.tif", "<xFF>.tif"}));
    EXPECT_EQ(listing.caseTwins, (Names{"a.tif", "b.TIF"}));
}

TEST_F(ImageFolderScanTest, FillsTheListSortedByDateThenName) {
    writeA4("c.tif", 1700000300);
    writeA4("b.tif", 1700000100);
    writeA4("a.tif", 1700000100);
    ScanFixtures::writeJpeg(m_images.file("photo.jpg"), 827, 1169, 100);
    ScanFixtures::setModified(m_images.file("photo.jpg"), 1700000200);
    m_images.write("bad.tif", "MM not really");
    ScanFixtures::setModified(m_images.file("bad.tif"), 1700000400);

    ASSERT_TRUE(m_scan.scan(m_images.path(), m_settings, ImageFolderScan::Mode::FolderChoice));
    EXPECT_EQ(m_scan.imageCount(), 5);
    EXPECT_EQ(column(ImageEntry::FileName),
              (Names{"a.tif", "b.tif", "photo.jpg", "c.tif", "bad.tif"}));
    EXPECT_EQ(column(ImageEntry::Type), (Names{"TIFF", "TIFF", "JPEG", "TIFF", "TIFF"}));
    EXPECT_EQ(column(ImageEntry::PaperSize), (Names{"A4 縦", "A4 縦", "A4 縦", "A4 縦", "不定形"}));
    EXPECT_EQ(column(ImageEntry::PageCount), (Names{"1", "1", "1", "1", "0"}));
    EXPECT_EQ(column(ImageEntry::PreviewValid), (Names{"1", "1", "1", "1", "0"}));
    EXPECT_EQ(column(ImageEntry::PageOrder), (Names{"", "", "", "", ""}));
    EXPECT_EQ(u8(m_grid.text(1, ImageEntry::Date)), FileDate::format(1700000100));
    EXPECT_EQ(u8(m_view.control(ImageFolderScan::ImageGroup).text), "画像情報【ﾌｧｲﾙ総数 5個】");
    EXPECT_TRUE(m_view.isEnabled(ImageFolderScan::ReloadImages));
    EXPECT_EQ(m_grid.row(), 1);
    EXPECT_EQ(m_view.progressPositions(), (std::vector<int>{200, 400, 600, 800, 1000, 1000, 0}));
    EXPECT_EQ(u8(m_view.statusTexts().front()), "只今、画像ファイルを読込んでいます。");
    EXPECT_EQ(m_view.statusTexts().back(), " ");
    EXPECT_TRUE(m_prompter.shown().empty());
    EXPECT_TRUE(m_grid.redraw());
}

TEST_F(ImageFolderScanTest, UnusableNamesAndCaseTwinsAreNamedOncePerScanAndNotListed) {
    struct Case {
        std::vector<const char*> files; // file-system names
        Names rows;
        std::vector<std::string> messages;
    };
    const std::string unusable =
        "次の画像ﾌｧｲﾙは、ﾌｧｲﾙ名に使用できない文字が含まれているため読込めません。";
    const std::string twins =
        "次の画像ﾌｧｲﾙは、大文字と小文字の違いを除いて同じ名前のﾌｧｲﾙが既にあるため読込めません。";
    const Case cases[] = {
        {{"\xC3\xA9.tif", "\xF0\x9F\x98\x80.tif", "ok.tif"},
         {"ok.tif"},
         {unusable + "\r\n<U+00E9>.tif\r\n<U+1F600>.tif"}},
        {{"\xFF.tif", "X.tif", "x.tif", "x.TIF"},
         {"X.tif"},
         {unusable + "\r\n<xFF>.tif", twins + "\r\nx.TIF\r\nx.tif"}},
        {{"\xE3\x81\x82.tif", "\xC3\xA9.jpg.bak"}, {"あ.tif"}, {}},
    };
    for (const Case& c : cases) {
        TempDir images;
        for (const char* raw : c.files) {
            ScanFixtures::writeBilevelTiffMm(images.path() + "/" + raw, 210, 297, 100);
        }
        for (int pass = 0; pass < 2; ++pass) {
            const auto before = static_cast<std::ptrdiff_t>(m_prompter.shown().size());
            ASSERT_TRUE(m_scan.scan(images.path(), m_settings, ImageFolderScan::Mode::Rescan));
            EXPECT_EQ(column(ImageEntry::FileName), c.rows);
            EXPECT_EQ(column(ImageEntry::PreviewValid), Names(c.rows.size(), "1"));
            const std::vector<std::string> all = shownTexts();
            EXPECT_EQ(std::vector<std::string>(all.begin() + before, all.end()), c.messages);
            for (const auto& shown : m_prompter.shown()) {
                EXPECT_EQ(u8(shown.caption), "警告");
                EXPECT_EQ(shown.icon, Icon::Warning);
            }
        }
    }
}

// A symbolic link is never an entry, whatever it points at; the links with an image extension
// are named once per scan and nothing in or outside the folder changes.
TEST_F(ImageFolderScanTest, LinksAreNotListedAndAreNamedOncePerScan) {
    struct Case {
        std::vector<std::pair<const char*, const char*>> links; // name, target below m_data
        std::string told;                                       // names after the message
    };
    const std::string links = "次の画像ﾌｧｲﾙは、ｼﾝﾎﾞﾘｯｸﾘﾝｸのため読込めません。";
    const Case cases[] = {
        {{{"inside.tif", "images/a.tif"}}, "\r\ninside.tif"},
        {{{"outside.tif", "outside/b.tif"}}, "\r\noutside.tif"},
        {{{"dangling.TIF", "outside/none.tif"}}, "\r\ndangling.TIF"},
        {{{"folder.pdf", "outside"}}, "\r\nfolder.pdf"},
        {{{"note.txt", "images/a.tif"}}, ""},
        {{{"z.tif", "outside/b.tif"}, {"A.TIF", "images/a.tif"}, {"y.jpg", "outside"}},
         "\r\nA.TIF\r\nz.tif\r\ny.jpg"},
    };
    for (const Case& c : cases) {
        TempDir data;
        const std::string images = data.mkdir("images");
        ScanFixtures::writeBilevelTiffMm(images + "/a.tif", 210, 297, 100);
        data.mkdir("outside");
        ScanFixtures::writeBilevelTiffMm(data.file("outside/b.tif"), 210, 297, 100);
        for (const auto& [name, target] : c.links) {
            ASSERT_EQ(::symlink(data.file(target).c_str(), (images + "/" + name).c_str()), 0);
        }
        const std::string bytesA = data.read("images/a.tif");
        const std::string bytesB = data.read("outside/b.tif");
        for (int pass = 0; pass < 2; ++pass) {
            const auto before = static_cast<std::ptrdiff_t>(m_prompter.shown().size());
            ASSERT_TRUE(m_scan.scan(images, m_settings, ImageFolderScan::Mode::Rescan));
            EXPECT_EQ(column(ImageEntry::FileName), Names{"a.tif"}) << c.told;
            const std::vector<std::string> all = shownTexts();
            const std::vector<std::string> told(all.begin() + before, all.end());
            EXPECT_EQ(told, c.told.empty() ? Names{} : Names{links + c.told});
        }
        EXPECT_EQ(files::listFolder(images, false).size(), 1 + c.links.size());
        EXPECT_EQ(files::listFolder(data.file("outside"), false), Names{"b.tif"});
        EXPECT_EQ(data.read("images/a.tif"), bytesA);
        EXPECT_EQ(data.read("outside/b.tif"), bytesB);
    }
}

TEST_F(ImageFolderScanTest, ProgressStepAndTheThousandFileLimit) {
    EXPECT_EQ(ImageFolderScan::progressStep(3), 333);
    EXPECT_EQ(ImageFolderScan::progressStep(1), 1000);
    EXPECT_EQ(ImageFolderScan::progressStep(1000), 1);
    EXPECT_EQ(ImageFolderScan::progressStep(1001), 1);

    ImageFixtures::TiffLayout tiny;
    tiny.width = 400;
    tiny.height = 500;
    ASSERT_TRUE(ImageFixtures::writeTiff(m_images.file("seed.tif"), tiny));
    const std::string bytes = m_images.read("seed.tif");
    for (int i = 1; i <= 1000; ++i) {
        char name[16];
        std::snprintf(name, sizeof name, "f%04d.tif", i);
        m_images.write(name, bytes);
    }
    ASSERT_TRUE(m_scan.scan(m_images.path(), m_settings, ImageFolderScan::Mode::Rescan));
    EXPECT_EQ(m_scan.imageCount(), 1000);
    EXPECT_EQ(m_grid.rows(), 1001);
    EXPECT_TRUE(m_scan.limitHit());
    EXPECT_EQ(shownTexts(), (std::vector<std::string>{"読込み画像ﾌｧｲﾙ数が1000を超過しました。"}));
    EXPECT_EQ(u8(m_view.control(ImageFolderScan::ImageGroup).text), "画像情報【ﾌｧｲﾙ総数 1000個】");
    // The listing is sorted by name, so the last file is the one left out.
    EXPECT_EQ(ImageEntry::findRow(m_grid, "seed.tif"), -1);
}

TEST_F(ImageFolderScanTest, PlotFilesOnlyWithTheirExtensionInTargetExt) {
    ScanFixtures::writePlot(m_images.file("plan.plt"), 2);
    ASSERT_TRUE(m_scan.scan(m_images.path(), m_settings, ImageFolderScan::Mode::Rescan));
    EXPECT_EQ(m_scan.imageCount(), 0);
    m_settings.extensions = ImageTypeDetector::splitExtensions("TIF/TIFF/JPG/JPEG/PDF/PLT");
    ASSERT_TRUE(m_scan.scan(m_images.path(), m_settings, ImageFolderScan::Mode::Rescan));
    ASSERT_EQ(m_scan.imageCount(), 1);
    EXPECT_EQ(column(ImageEntry::Type), Names{"HP-GL2"});
    EXPECT_EQ(column(ImageEntry::PaperSize), Names{"不定形"});
    EXPECT_EQ(column(ImageEntry::PageCount), Names{"2"});
    EXPECT_EQ(column(ImageEntry::PreviewValid), Names{"1"});
    EXPECT_EQ(files::listFolder(m_images.path()), Names{"plan.plt"});
}

TEST_F(ImageFolderScanTest, EmptyAndMissingFolders) {
    ASSERT_TRUE(m_scan.scan(m_images.path(), m_settings, ImageFolderScan::Mode::Reload));
    EXPECT_EQ(m_scan.imageCount(), 0);
    for (int id : {1029, 1018, 1032, 1022, 1023, 1024, 1025, 1063, 1064, 1065, 1014}) {
        EXPECT_FALSE(m_view.isEnabled(id)) << id;
    }
    EXPECT_EQ(u8(m_view.control(ImageFolderScan::ImageGroup).text), "画像情報【ﾌｧｲﾙ総数 0個】");

    writeA4("a.tif");
    ASSERT_TRUE(m_scan.scan(m_images.path(), m_settings, ImageFolderScan::Mode::Rescan));
    // A reload of a folder that is gone keeps the previews.
    m_data.write("temp/a-tif-0001.png", "kept");
    EXPECT_FALSE(m_scan.scan(m_images.file("gone"), m_settings, ImageFolderScan::Mode::Reload));
    EXPECT_EQ(m_data.read("temp/a-tif-0001.png"), "kept");
    EXPECT_EQ(shownTexts(), (std::vector<std::string>{"画像読込みﾌｫﾙﾀﾞが存在しません。"}));
    EXPECT_EQ(m_scan.imageCount(), 1);
    EXPECT_EQ(m_grid.rows(), 2);
}

TEST_F(ImageFolderScanTest, LoadPreviewMakesThePreviewsAndReloadCleansTheTempFolder) {
    writeA4("a.tif");
    ScanFixtures::writeJpeg(m_images.file("b.jpg"), 800, 1100, 100);
    m_images.write("c.tif", "II*\0 cut");
    m_settings.loadPreview = true;
    const std::string temp = m_settings.tempFolder;
    files::createDirectory(temp);
    m_data.write("temp/old-tif-0001.png", "stale");

    ASSERT_TRUE(m_scan.scan(m_images.path(), m_settings, ImageFolderScan::Mode::Reload));
    EXPECT_EQ(files::listFolder(temp), (Names{"a-tif-0001.png", "b-jpg-0001.png"}));
    const Names flags = column(ImageEntry::PreviewValid);
    EXPECT_EQ(std::count(flags.begin(), flags.end(), "1"), 2);

    // A rescan keeps existing previews and does not make them again.
    m_data.write("temp/a-tif-0001.png", "kept");
    ASSERT_TRUE(m_scan.scan(m_images.path(), m_settings, ImageFolderScan::Mode::Rescan));
    EXPECT_EQ(m_data.read("temp/a-tif-0001.png"), "kept");
}

// Everything a scan leaves for the operator: the list, the preview files, the messages and the
// progress bar.
struct ScanOutcome {
    std::vector<Names> columns;
    std::vector<std::pair<std::string, std::string>> previews; // name, content
    std::vector<std::string> messages;
    std::vector<int> progress;

    bool operator==(const ScanOutcome&) const = default;
};

struct PoolCase {
    const char* name;
    int tinyTiffs;      // A4 at 5 dpi
    bool withMixed;     // a JPEG, a PDF, an empty file and a cut-off TIFF among them
    std::size_t images; // rows expected
};

class ParallelScanTest : public ImageFolderScanTest,
                         public ::testing::WithParamInterface<PoolCase> {
protected:
    ScanOutcome scanWith(WorkerPool* pool) {
        CellGrid grid;
        ImageEntry::prepareGrid(grid);
        RecordingMainView view;
        ScriptedPrompter prompter;
        ImageFolderScan scan(grid, view, prompter);
        scan.setRetryPause(std::chrono::milliseconds(1));
        scan.setPool(pool);
        EXPECT_TRUE(scan.scan(m_images.path(), m_settings, ImageFolderScan::Mode::Reload));
        ScanOutcome out;
        for (int col = 0; col < ImageEntry::ColumnCount; ++col) {
            Names cells;
            for (int row = 0; row < grid.rows(); ++row) {
                cells.push_back(grid.text(row, col));
            }
            out.columns.push_back(cells);
        }
        for (const std::string& name : files::listFolder(m_settings.tempFolder)) {
            out.previews.emplace_back(name, m_data.read("temp/" + name));
        }
        for (const auto& m : prompter.shown()) {
            out.messages.push_back(u8(m.text));
        }
        out.progress = view.progressPositions();
        return out;
    }
};

TEST_P(ParallelScanTest, EveryWorkerCountGivesTheSerialList) {
    const PoolCase c = GetParam();
    for (int i = 0; i < c.tinyTiffs; ++i) {
        const std::string name = "p" + std::to_string(i) + ".tif";
        ScanFixtures::writeBilevelTiffMm(m_images.file(name), 210, 297, 5);
        ScanFixtures::setModified(m_images.file(name), 1700000000 + (i * 7) % 5);
    }
    if (c.withMixed) {
        ScanFixtures::writeJpeg(m_images.file("j.jpg"), 800, 1100, 100);
        ImageFixtures::writePdf(m_images.file("d.pdf"), 2, 595.0, 842.0);
        m_images.write("z.tif", "");
        // Measured from its tags, but its page data is cut off: only the conversion fails.
        ImageFixtures::writeClaimedSizeTiff(m_images.file("cut.tif"), 1654, 2339);
    }
    m_settings.loadPreview = true;
    WorkerPool one(1);
    const ScanOutcome serial = scanWith(&one);
    ASSERT_EQ(serial.columns[ImageEntry::FileName].size(), c.images + 1);
    EXPECT_FALSE(serial.previews.empty());
    if (c.withMixed) {
        const auto& names = serial.columns[ImageEntry::FileName];
        const auto row = std::find(names.begin(), names.end(), "cut.tif") - names.begin();
        EXPECT_EQ(serial.columns[ImageEntry::PreviewValid][row], "0");
        // Without a pool every file is done on this thread, in the same order.
        EXPECT_EQ(scanWith(nullptr), serial);
        m_settings.loadPreview = false;
        EXPECT_EQ(scanWith(&one).columns[ImageEntry::PreviewValid][row], "1");
        m_settings.loadPreview = true;
    }
    WorkerPool four(4);
    EXPECT_EQ(scanWith(&four), serial);
}

INSTANTIATE_TEST_SUITE_P(Folders, ParallelScanTest,
                         ::testing::Values(PoolCase{"MixedWithFailures", 12, true, 16},
                                           PoolCase{"OverTheLimit", 1001, false, 1000}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ImageFolderScanTest, ALockedFileKeepsAnEmptyDate) {
    writeA4("a.tif");
    const int fd = ::open(m_images.file("a.tif").c_str(), O_RDONLY);
    ASSERT_EQ(::flock(fd, LOCK_EX), 0);
    // flock locks belong to the open file description, so another open in this process is
    // refused just as another program would be.
    ASSERT_TRUE(m_scan.scan(m_images.path(), m_settings, ImageFolderScan::Mode::Rescan));
    ::close(fd);
    EXPECT_EQ(column(ImageEntry::Date), Names{""});
    EXPECT_EQ(column(ImageEntry::PreviewValid), Names{"1"});
}

TEST_F(ImageFolderScanTest, OnlyADateThatCanStillBeReadIsTriedAgain) {
    struct Case {
        const char* what;
        int files;
        std::function<FileDate::Look(const std::string&)> probe;
        int looks;
    };
    const auto failing = [](int error) {
        return [error](const std::string&) { return FileDate::Look{std::nullopt, error}; };
    };
    const std::vector<Case> cases{
        {"no permission", 100, failing(EACCES), 100},
        {"vanished", 100, failing(ENOENT), 100},
        {"still held by its writer", 2, FileDate::look, 20},
        {"busy", 1, failing(EBUSY), 10},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TempDir images;
        std::vector<int> locks;
        for (int i = 0; i < c.files; ++i) {
            const std::string path = images.file("f" + std::to_string(i) + ".tif");
            ScanFixtures::writeBilevelTiffMm(path, 210, 297, 100);
            // Held locked, so that the listing itself finds no date and the date is looked for.
            locks.push_back(::open(path.c_str(), O_RDONLY));
            ASSERT_EQ(::flock(locks.back(), LOCK_EX), 0);
        }
        int looks = 0;
        int waits = 0;
        m_scan.setDateProbe(
            [&](const std::string& path) {
                ++looks;
                return c.probe(path);
            },
            [&](std::chrono::milliseconds) { ++waits; });
        ASSERT_TRUE(m_scan.scan(images.path(), m_settings, ImageFolderScan::Mode::Rescan));
        for (const int fd : locks) {
            ::close(fd);
        }
        EXPECT_EQ(m_scan.imageCount(), c.files);
        EXPECT_EQ(looks, c.looks);
        EXPECT_EQ(waits, c.looks - c.files);
        EXPECT_EQ(column(ImageEntry::Date), Names(static_cast<std::size_t>(c.files), ""));
    }
}

TEST(FileDate, ReadGivesUpAtOnceOnAnErrorThatCannotPass) {
    TempDir dir;
    const std::string plain = dir.write("plain.tif", "x");
    ScanFixtures::setModified(plain, 1700000000);
    const std::string locked = dir.write("locked.tif", "x");
    const int fd = ::open(locked.c_str(), O_RDONLY);
    ASSERT_EQ(::flock(fd, LOCK_EX), 0);
    struct Case {
        std::string path;
        int waits;
        std::optional<std::string> date;
    };
    const std::vector<Case> cases{
        {plain, 0, FileDate::format(1700000000)},
        {dir.file("missing.tif"), 0, std::nullopt},
        {plain + "/below.tif", 0, std::nullopt},
        {locked, 4, std::nullopt},
    };
    for (const Case& c : cases) {
        int waits = 0;
        const auto date = FileDate::read(c.path, 5, std::chrono::milliseconds(500), FileDate::look,
                                         [&](std::chrono::milliseconds) { ++waits; });
        EXPECT_EQ(date, c.date) << c.path;
        EXPECT_EQ(waits, c.waits) << c.path;
    }
    ::close(fd);
}

TEST_F(ImageFolderScanTest, DeletingSelectedImagesAsksAndRescans) {
    writeA4("a.tif", 1700000000);
    writeA4("b.tif", 1700000001);
    writeA4("c.tif", 1700000002);
    ASSERT_TRUE(m_scan.scan(m_images.path(), m_settings, ImageFolderScan::Mode::Rescan));
    m_grid.setSelectionMode(CellGridSelectionMode::ListBox);
    m_grid.setRowSelected(1, true);
    m_grid.setRowSelected(3, true);
    EXPECT_TRUE(ImageFolderScan::canDelete(m_grid, 0));
    EXPECT_FALSE(ImageFolderScan::canDelete(m_grid, 1));

    m_prompter.queueAnswer(Answer::No);
    EXPECT_FALSE(m_scan.deleteSelected(m_images.path(), m_settings));
    EXPECT_EQ(files::listFolder(m_images.path()).size(), 3u);

    m_prompter.queueAnswer(Answer::Yes);
    EXPECT_TRUE(m_scan.deleteSelected(m_images.path(), m_settings));
    EXPECT_EQ(files::listFolder(m_images.path()), Names{"b.tif"});
    EXPECT_EQ(column(ImageEntry::FileName), Names{"b.tif"});
    EXPECT_EQ(shownTexts(), (std::vector<std::string>{"選択された画像ﾌｧｲﾙを削除しますか？",
                                                      "選択された画像ﾌｧｲﾙを削除しますか？"}));
    EXPECT_EQ(m_prompter.shown()[0].buttons, Buttons::YesNo);
}

TEST_F(ImageFolderScanTest, RefreshingAnEntryRemakesItsPreviews) {
    writeA4("a.tif");
    ASSERT_TRUE(m_scan.scan(m_images.path(), m_settings, ImageFolderScan::Mode::Rescan));
    ScanFixtures::writeBilevelTiffMm(m_images.file("a.tif"), 297, 420, 100);
    const PreviewResult r = m_scan.refreshEntry(1, m_images.path(), m_settings);
    EXPECT_EQ(r.result, 0);
    EXPECT_EQ(column(ImageEntry::PaperSize), Names{"A3 縦"});
    EXPECT_TRUE(files::exists(m_data.file("temp/a-tif-0001.png")));

    // Column 4 is fitted to the new paper size.
    const int narrow = m_grid.colWidth(ImageEntry::PaperSize);
    ScanFixtures::writeBilevelTiffMm(m_images.file("a.tif"), 400, 400, 100);
    EXPECT_EQ(m_scan.refreshEntry(1, m_images.path(), m_settings).result, 0);
    EXPECT_EQ(column(ImageEntry::PaperSize), Names{"不定形"});
    const int fitted = m_grid.colWidth(ImageEntry::PaperSize);
    EXPECT_GT(fitted, narrow);
    m_grid.autoSize(ImageEntry::PaperSize, ImageEntry::PaperSize);
    EXPECT_EQ(m_grid.colWidth(ImageEntry::PaperSize), fitted);

    m_images.write("a.tif", "damaged");
    EXPECT_NE(m_scan.refreshEntry(1, m_images.path(), m_settings).result, 0);
    EXPECT_EQ(shownTexts(), (std::vector<std::string>{"ﾌｧｲﾙの変換に失敗しました。"}));
}
