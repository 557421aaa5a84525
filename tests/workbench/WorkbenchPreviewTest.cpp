#include "WorkbenchRig.h"

#include "app/LaunchAttachment.h"
#include "app/ProgramLauncher.h"
#include "base/FileSystem.h"
#include "image/ImageEntry.h"
#include "image/ImageFolderScan.h"
#include "image/ImageLibrary.h"
#include "image/PreviewNaming.h"
#include "support/ScanFixtures.h"

#include <algorithm>
#include <filesystem>

namespace {

const std::string kA4 = "A4 縦 (幅 210mm×高さ 297mm)";
const std::string kA3 = "A3 横 (幅 420mm×高さ 297mm)";
constexpr int kPreview = id(Ctl::Preview);

// The main window over a folder of scans: a single A4 page, a drawing of three pages (A4, A3
// landscape, A4) and a photo, a minute apart in that order.
class WorkbenchPreviewTest : public WorkbenchRig {
protected:
    void SetUp() override {
        WorkbenchRig::SetUp();
        m_scans = m_tmp.mkdir("scans");
        const std::string pieces = m_tmp.mkdir("pieces");
        ScanFixtures::writeBilevelTiffMm(pieces + "/a4.tif", 210, 297, 100);
        ScanFixtures::writeBilevelTiffMm(pieces + "/a3.tif", 420, 297, 100);
        for (const char* page : {"a4.tif", "a3.tif", "a4.tif"}) {
            ASSERT_EQ(ImageLibrary::appendPage(pieces + "/" + page, 1, m_scans + "/scan_0002.tif"),
                      ImageLibrary::Success);
        }
        ScanFixtures::writeBilevelTiffMm(m_scans + "/scan_0001.tif", 210, 297, 100);
        ScanFixtures::writeJpeg(m_scans + "/photo.jpg", 400, 300, 96);
        ScanFixtures::setModified(m_scans + "/scan_0001.tif", 1'600'000'100);
        ScanFixtures::setModified(m_scans + "/scan_0002.tif", 1'600'000'200);
        ScanFixtures::setModified(m_scans + "/photo.jpg", 1'600'000'300);

        StartupRequest request;
        request.imageFolderGiven = true;
        request.imageFolderPath = m_scans;
        open({}, request);
        m_wb->actOnStartupRequest();
        ASSERT_EQ(m_wb->state().imageCount, 3);
    }

    std::string text(Ctl c) { return u8(m_view.control(id(c)).text); }
    bool enabled(Ctl c) { return m_view.isEnabled(id(c)); }
    void pick(int row) { m_wb->imageGrid().setCurrentCell(row, ImageEntry::FileName); }
    // The preview file of the given number, as the display was given it.
    std::string previewOf(const std::string& fileName, int number) {
        const std::string temp = PreviewNaming::tempFolder(m_data->dataFolder());
        return files::native(PreviewNaming::previewPath(temp, fileName, number)).string();
    }

    std::string m_scans;
};

TEST_F(WorkbenchPreviewTest, ThePageButtonsBrowseTheCurrentScan) {
    for (Ctl c : {Ctl::FirstPage, Ctl::PreviousPage, Ctl::NextPage, Ctl::LastPage,
                  Ctl::OpenWithApplication}) {
        EXPECT_FALSE(m_wb->commands().isPending(id(c))) << id(c);
    }
    pick(2);
    EXPECT_EQ(text(Ctl::ImageFileName), "scan_0002.tif");
    EXPECT_EQ(text(Ctl::PaperSize), kA4);
    EXPECT_EQ(text(Ctl::CurrentPage), "1");
    EXPECT_EQ(text(Ctl::PageCount), "3");
    EXPECT_EQ(m_display.held(kPreview).path, previewOf("scan_0002.tif", 1));

    struct Step {
        Ctl press;
        const char* page;
        const std::string& paper;
        bool back;    // first and previous
        bool forward; // next and last
    };
    const Step steps[] = {
        {Ctl::PreviousPage, "1", kA4, false, true}, // disabled on the first page: nothing happens
        {Ctl::NextPage, "2", kA3, true, true},      {Ctl::LastPage, "3", kA4, true, false},
        {Ctl::NextPage, "3", kA4, true, false},     {Ctl::PreviousPage, "2", kA3, true, true},
        {Ctl::FirstPage, "1", kA4, false, true},
    };
    for (const Step& s : steps) {
        m_wb->command(id(s.press));
        const std::string at = std::to_string(id(s.press)) + " to " + s.page;
        EXPECT_EQ(text(Ctl::CurrentPage), s.page) << at;
        EXPECT_EQ(text(Ctl::PageCount), "3") << at;
        EXPECT_EQ(text(Ctl::PaperSize), s.paper) << at;
        EXPECT_EQ(m_display.held(kPreview).path, previewOf("scan_0002.tif", std::stoi(s.page)))
            << at;
        EXPECT_EQ(enabled(Ctl::FirstPage), s.back) << at;
        EXPECT_EQ(enabled(Ctl::PreviousPage), s.back) << at;
        EXPECT_EQ(enabled(Ctl::NextPage), s.forward) << at;
        EXPECT_EQ(enabled(Ctl::LastPage), s.forward) << at;
        // Three pages: opened with an application, never edited.
        EXPECT_FALSE(enabled(Ctl::EditImage)) << at;
        EXPECT_TRUE(enabled(Ctl::OpenWithApplication)) << at;
        EXPECT_TRUE(enabled(Ctl::DesignateArea)) << at;
    }

    // Another entry starts on its first page, and so does this one when it comes back.
    m_wb->command(id(Ctl::LastPage));
    pick(1);
    EXPECT_EQ(text(Ctl::ImageFileName), "scan_0001.tif");
    EXPECT_EQ(text(Ctl::CurrentPage), "1");
    EXPECT_EQ(text(Ctl::PageCount), "1");
    for (Ctl c : {Ctl::FirstPage, Ctl::PreviousPage, Ctl::NextPage, Ctl::LastPage}) {
        EXPECT_FALSE(enabled(c)) << id(c);
    }
    EXPECT_TRUE(enabled(Ctl::EditImage));
    pick(2);
    EXPECT_EQ(text(Ctl::CurrentPage), "1");
    EXPECT_EQ(m_display.held(kPreview).path, previewOf("scan_0002.tif", 1));
}

// The help viewer (busy) and an application opened for a scan (running) run beside the window:
// the operator keeps choosing scans, and every control stays usable while and after they run.
TEST_F(WorkbenchPreviewTest, AnOpenViewerLeavesTheWindowUsable) {
    const struct {
        const char* name;
        std::atomic<bool>& (ProgramLauncher::*flag)();
    } cases[] = {{"help viewer", &ProgramLauncher::modal},
                 {"application", &ProgramLauncher::running}};
    for (const auto& c : cases) {
        std::atomic<bool>& flag = (m_wb->launcher().*c.flag)();
        flag = true;
        pick(2);
        pick(1);
        flag = false;
        for (Ctl ctl :
             {Ctl::RenameGrid, Ctl::ImageGrid, Ctl::TemplateBox, Ctl::LoadImages, Ctl::LoadWorkData,
              Ctl::ReloadImages, Ctl::EditImage, Ctl::OpenWithApplication}) {
            EXPECT_TRUE(enabled(ctl)) << c.name << " " << id(ctl);
        }
        EXPECT_EQ(text(Ctl::ImageFileName), "scan_0001.tif") << c.name;
    }
}

TEST_F(WorkbenchPreviewTest, APhotoIsShownButNeitherEditedNorOpened) {
    pick(3);
    EXPECT_EQ(text(Ctl::ImageFileName), "photo.jpg");
    EXPECT_EQ(text(Ctl::PageCount), "1");
    EXPECT_EQ(m_display.held(kPreview).path, previewOf("photo.jpg", 1));
    EXPECT_FALSE(enabled(Ctl::EditImage));
    EXPECT_FALSE(enabled(Ctl::OpenWithApplication));
    EXPECT_TRUE(enabled(Ctl::DesignateArea));
}

TEST_F(WorkbenchPreviewTest, AnEmptyFolderEmptiesThePane) {
    m_prompter.queuePath(m_tmp.mkdir("empty"));
    m_wb->command(id(Ctl::LoadImages));
    EXPECT_EQ(m_wb->state().imageCount, 0);
    for (Ctl c : {Ctl::ImageFileName, Ctl::PaperSize, Ctl::CurrentPage, Ctl::PageCount}) {
        EXPECT_EQ(text(c), "") << id(c);
    }
    EXPECT_FALSE(m_display.hasPage(kPreview));
    for (Ctl c : {Ctl::EditImage, Ctl::OpenWithApplication, Ctl::DesignateArea, Ctl::NextPage}) {
        EXPECT_FALSE(enabled(c)) << id(c);
    }
}

TEST_F(WorkbenchPreviewTest, AFolderThatVanishedIsReportedAndThePaneKeepsItsEntry) {
    std::filesystem::rename(files::native(m_scans), files::native(m_scans + ".moved"));
    pick(2);
    EXPECT_EQ(shownTexts(), (std::vector<std::string>{"画像読込みﾌｫﾙﾀﾞが存在しません。"}));
    EXPECT_EQ(text(Ctl::ImageFileName), "scan_0001.tif");
    EXPECT_EQ(m_display.held(kPreview).path, previewOf("scan_0001.tif", 1));
}

TEST_F(WorkbenchPreviewTest, TheEndOfTheApplicationShowsTheEditedScanAgain) {
    pick(2);
    m_wb->command(id(Ctl::NextPage));
    // The application made the three pages one A3 page.
    const std::string path = m_scans + "/scan_0002.tif";
    ScanFixtures::writeBilevelTiffMm(path, 420, 297, 100);

    EXPECT_FALSE(m_wb->launchEnded(ProgramLauncher::kDefinitionsReady,
                                   std::make_unique<LaunchAttachment>(path, "tif", false)));
    EXPECT_EQ(text(Ctl::CurrentPage), "2");

    EXPECT_TRUE(m_wb->launchEnded(ProgramLauncher::kImageEdited,
                                  std::make_unique<LaunchAttachment>(path, "tif", false)));
    EXPECT_EQ(text(Ctl::CurrentPage), "1");
    EXPECT_EQ(text(Ctl::PageCount), "1");
    EXPECT_EQ(text(Ctl::PaperSize), kA3);
    EXPECT_EQ(m_wb->imageGrid().text(2, ImageEntry::PageCount), "1");
    EXPECT_TRUE(enabled(Ctl::EditImage));
    EXPECT_FALSE(enabled(Ctl::NextPage));
}

} // namespace

namespace {

TEST_F(WorkbenchPreviewTest, TheImageEditorOpensOnTheScanAndOnlyOkRefreshesTheEntry) {
    pick(1);
    const std::string path = m_scans + "/scan_0001.tif";
    // The editor turned the A4 page into an A3 one; Cancel leaves the list as it was.
    ScanFixtures::writeBilevelTiffMm(path, 420, 297, 100);
    m_host.editorAnswer = false;
    m_wb->command(id(Ctl::EditImage));
    EXPECT_EQ(text(Ctl::PaperSize), kA4);
    m_host.editorAnswer = true;
    m_wb->command(id(Ctl::EditImage));
    EXPECT_EQ(m_host.editedImages, (std::vector<std::string>{path, path}));
    EXPECT_FALSE(m_host.editorOverA0);
    EXPECT_EQ(text(Ctl::PaperSize), kA3);
    EXPECT_EQ(text(Ctl::ImageFileName), "scan_0001.tif");

    pick(2); // three pages: the button is off and the command does nothing
    m_wb->command(id(Ctl::EditImage));
    EXPECT_EQ(m_host.editedImages.size(), 2u);
}

} // namespace

namespace {

using Listing = std::vector<std::pair<std::string, std::filesystem::file_time_type>>;

Listing tempListing(const std::string& temp) {
    Listing out;
    for (const std::string& name : files::listFolder(temp)) {
        out.emplace_back(name, std::filesystem::last_write_time(files::native(temp + "/" + name)));
    }
    return out;
}

TEST_F(WorkbenchPreviewTest, TheRowsBesideTheShownOneArePreparedOnceAhead) {
    const std::string temp = PreviewNaming::tempFolder(m_data->dataFolder());
    const struct {
        int row;
        const char* ahead;  // made before the row after it is shown
        const char* behind; // made before the row before it is shown
    } steps[] = {{1, "scan_0002.tif", nullptr},
                 {2, "photo.jpg", "scan_0001.tif"},
                 {3, nullptr, "scan_0002.tif"}};
    for (const auto& s : steps) {
        pick(s.row);
        for (const char* name : {s.ahead, s.behind}) {
            if (name != nullptr) {
                m_wb->prefetch().settle(name);
                EXPECT_TRUE(files::isRegularFile(PreviewNaming::previewPath(temp, name, 1)))
                    << s.row << " " << name;
            }
        }
        EXPECT_EQ(m_wb->prefetch().pending(), 0u);
        // Arriving at a prepared row converts nothing again.
        const Listing before = tempListing(temp);
        if (s.ahead != nullptr) {
            pick(s.row + 1);
            // The next row's own prefetch may be adding files meanwhile; what was there stays.
            for (const char* name : {"scan_0001.tif", "scan_0002.tif", "photo.jpg"}) {
                m_wb->prefetch().settle(name);
            }
            const Listing after = tempListing(temp);
            for (const auto& file : before) {
                EXPECT_NE(std::find(after.begin(), after.end(), file), after.end())
                    << s.row << " " << file.first << " was made again";
            }
            EXPECT_EQ(m_display.held(kPreview).path, previewOf(s.ahead, 1));
        }
    }
}

TEST_F(WorkbenchPreviewTest, ClosingWhilePreviewsAreMadeLeavesWholeSetsAndNoThread) {
    const std::string temp = PreviewNaming::tempFolder(m_data->dataFolder());
    const std::string pieces = m_tmp.mkdir("many");
    for (int i = 0; i < 40; ++i) {
        ASSERT_EQ(ImageLibrary::appendPage(m_scans + "/scan_0001.tif", 1, pieces + "/long.tif"),
                  ImageLibrary::Success);
    }
    for (const bool closing : {false, true}) {
        ImageFolderScan::cleanTemp(temp);
        std::filesystem::copy_file(pieces + "/long.tif", m_scans + "/scan_0002.tif",
                                   std::filesystem::copy_options::overwrite_existing);
        files::removeFile(PreviewNaming::previewPath(temp, "scan_0002.tif", 1));
        pick(1);
        if (closing) {
            m_wb.reset();
        } else {
            for (const char* name : {"scan_0001.tif", "scan_0002.tif", "photo.jpg"}) {
                m_wb->prefetch().settle(name);
            }
            EXPECT_EQ(m_wb->prefetch().pending(), 0u);
        }
        int made = 0;
        for (const std::string& name : files::listFolder(temp)) {
            const bool ours = name.rfind("scan_0002-tif-", 0) == 0 && name.size() == 22 &&
                              name.substr(18) == ".png";
            EXPECT_TRUE(ours || name.rfind("scan_0001-tif-", 0) == 0) << name;
            made += ours ? 1 : 0;
        }
        const auto whole = static_cast<int>(ImageSettings{}.selection.pagesToPreview(40).size());
        EXPECT_TRUE(made == 0 || made == whole) << made << (closing ? " closing" : " stopped");
    }
}

} // namespace
