#include "WorkbenchRig.h"

#include "base/FileSystem.h"
#include "image/ImageEntry.h"
#include "support/ScanFixtures.h"
#include "workbench/Cmd.h"

#include <filesystem>

namespace {

const std::string kImageStatus = "只今、画像ファイルを読込んでいます。";
const std::string kListStatus = "只今、ﾘﾈｰﾑﾘｽﾄを読込んでいます。";

// The main window with a drawing template, a folder of scans as the demo data has them (TIFF
// drawings of several sizes a minute apart, one of three pages, a JPEG, a file that is no image)
// and a rename list out of order with one value against its column.
class WorkbenchListsTest : public WorkbenchRig {
protected:
    void SetUp() override {
        WorkbenchRig::SetUp();
        m_data->writeTemplate("drawings",
                              workbenchTemplateText({{"図面番号", 1, false, 20, 0, 1, 1},
                                                     {"図面名称", 1, false, 0, 0, 2},
                                                     {"版", 2, false, 2, 0, 3},
                                                     {"作成日", 4, false, 0, 0, 4}},
                                                    m_data->dataFolder() + "/rename"));
        m_scans = m_tmp.mkdir("scans");
        scan("scan_0003.tif", 420, 297, 1, 300);
        scan("scan_0001.tif", 210, 297, 1, 100);
        scan("scan_0002.tif", 210, 297, 3, 200);
        ScanFixtures::writeJpeg(m_scans + "/photo.jpg", 400, 300, 96);
        ScanFixtures::setModified(m_scans + "/photo.jpg", 1'600'000'400);
        m_tmp.write("scans/readme.txt", "not an image");
        m_csv = m_tmp.write("lists/drawings.csv",
                            sj("NMR-A-1003,第１工場 全体配置図,2,2008/10/01\r\n"
                               "NMR-A-1001,ﾎﾟﾝﾌﾟ室 機器配置図,1,2008/9/5\r\n"
                               "NMR-B-2010,\"冷却水 配管系統図, 系統１\",x3,2008/11/20\r\n"));
    }

    void scan(const std::string& name, int widthMm, int heightMm, int pages, int minute) {
        const std::string path = m_scans + "/" + name;
        ScanFixtures::writeBilevelTiffMm(path, widthMm, heightMm, 100, pages);
        ScanFixtures::setModified(path, 1'600'000'000 + minute);
    }

    StartupRequest everything() const {
        StartupRequest request;
        request.templateGiven = true;
        request.templatePath = m_data->templateFolder() + "/drawings.tpl";
        request.imageFolderGiven = true;
        request.imageFolderPath = m_scans;
        request.renameListGiven = true;
        request.renameListPath = m_csv;
        return request;
    }

    CellGrid& images() { return m_wb->imageGrid(); }
    std::vector<std::string> imageNames() {
        std::vector<std::string> names;
        for (int row = 1; row < images().rows(); ++row) {
            names.push_back(images().text(row, ImageEntry::FileName));
        }
        return names;
    }
    std::string cell(int row, int k) { return u8(grid().text(row, RenameList::gridCol(k))); }
    std::string text(Ctl c) { return u8(m_view.control(id(c)).text); }
    void rightPress(CellGrid& g) {
        bool cancel = false;
        g.observer()->gridBeforeMouseDown(g, gridbutton::Right, 0, 0, 0, cancel);
    }

    std::string m_scans;
    std::string m_csv;
};

TEST_F(WorkbenchListsTest, TheStartupRequestFillsBothGridsTemplateFirstThenImagesThenTheList) {
    open({"Template=demo.tpl"}, everything());
    m_wb->actOnStartupRequest();

    EXPECT_EQ(m_wb->state().currentTemplate.name, "drawings");
    const auto& status = m_view.statusTexts();
    const auto imagesAt = std::find(status.begin(), status.end(), sj(kImageStatus));
    const auto listAt = std::find(status.begin(), status.end(), sj(kListStatus));
    ASSERT_NE(imagesAt, status.end());
    ASSERT_NE(listAt, status.end());
    EXPECT_LT(imagesAt, listAt);

    // The images in date order, the text file left out; the first one selected and current.
    EXPECT_EQ(imageNames(), (std::vector<std::string>{"scan_0001.tif", "scan_0002.tif",
                                                      "scan_0003.tif", "photo.jpg"}));
    EXPECT_EQ(u8(images().text(1, ImageEntry::PaperSize)), "A4 縦");
    EXPECT_EQ(u8(images().text(3, ImageEntry::PaperSize)), "A3 横");
    EXPECT_EQ(images().text(2, ImageEntry::PageCount), "3");
    EXPECT_EQ(images().text(4, ImageEntry::Type), "JPEG");
    EXPECT_EQ(images().selectedRowCount(), 1);
    EXPECT_TRUE(images().isRowSelected(1));
    EXPECT_EQ(images().row(), 1);
    EXPECT_EQ(m_wb->state().imageCount, 4);
    EXPECT_EQ(m_wb->state().currentImageRow, 1);
    EXPECT_EQ(text(Ctl::ImageFileName), "scan_0001.tif");
    EXPECT_EQ(text(Ctl::ImageGroup), "画像情報【ﾌｧｲﾙ総数 4個】");
    EXPECT_EQ(m_wb->settingsStore().settings().scanPath, m_scans);

    // The list sorted by its first-sort column, values normalised, the bad one empty and red.
    EXPECT_EQ(cell(1, 0), "NMR-A-1001");
    EXPECT_EQ(cell(1, 3), "2008/09/05");
    EXPECT_EQ(cell(2, 0), "NMR-A-1003");
    EXPECT_EQ(cell(3, 1), "冷却水 配管系統図, 系統１");
    EXPECT_EQ(cell(3, 2), "");
    EXPECT_EQ(grid().cellBackColor(3, RenameList::gridCol(2)), gridcolor::Red);
    EXPECT_EQ(cell(4, 0), "");
    EXPECT_EQ(grid().text(3, RenameList::kColRowKey), "3");
    EXPECT_EQ(grid().cellPicture(0, RenameList::gridCol(0)), RenameList::FileNamePrimaryPicture);
    EXPECT_EQ(m_wb->renameList().list().loadedRowCount(), 3);
    EXPECT_EQ(shownTexts(),
              (std::vector<std::string>{"ﾘﾈｰﾑﾘｽﾄ内に列定義に準拠しないﾃﾞｰﾀがありました。"}));
    EXPECT_EQ(text(Ctl::ListFileName), "drawings.csv");
    EXPECT_EQ(m_wb->settingsStore().settings().csvPath, m_tmp.path() + "/lists");
    EXPECT_TRUE(m_wb->state().renameListLoaded);

    for (Ctl c : {Ctl::ReloadImages, Ctl::LoadRenameList, Ctl::LoadImages, Ctl::EditImage}) {
        EXPECT_TRUE(m_view.isEnabled(id(c))) << id(c);
    }
}

TEST_F(WorkbenchListsTest, MovingInTheImageListMakesTheRowCurrentAndSetsTheImageButtons) {
    open({}, everything());
    m_wb->actOnStartupRequest();
    struct Case {
        int row;
        const char* file;
        const char* pages;
        bool edit;
        bool open;
    };
    for (const Case& c :
         {Case{2, "scan_0002.tif", "3", false, true}, Case{4, "photo.jpg", "1", false, false},
          Case{3, "scan_0003.tif", "1", true, true}}) {
        images().setCurrentCell(c.row, ImageEntry::FileName);
        EXPECT_EQ(m_wb->state().currentImageRow, c.row);
        EXPECT_EQ(text(Ctl::ImageFileName), c.file);
        EXPECT_EQ(text(Ctl::PageCount), c.pages);
        EXPECT_EQ(m_view.isEnabled(id(Ctl::EditImage)), c.edit) << c.file;
        EXPECT_EQ(m_view.isEnabled(id(Ctl::OpenWithApplication)), c.open) << c.file;
    }
}

TEST_F(WorkbenchListsTest, TheLoadButtonAsksForAFileAndRefusesOneThatIsMissing) {
    open({"Template=drawings.tpl", "EnterKeyAssign=1"});
    m_wb->settingsStore().settings().csvPath = m_tmp.path();

    m_prompter.queuePath(std::nullopt);
    m_wb->command(id(Ctl::LoadRenameList));
    EXPECT_TRUE(m_prompter.shown().empty());
    ASSERT_EQ(m_prompter.fileRequests().size(), 1u);
    EXPECT_EQ(m_prompter.fileRequests()[0].folder, m_tmp.path());

    m_prompter.queuePath(m_tmp.path() + "/lists/none");
    m_wb->command(id(Ctl::LoadRenameList));
    EXPECT_EQ(shownTexts(), (std::vector<std::string>{"指定したﾘﾈｰﾑﾘｽﾄﾌｧｲﾙが存在しません。"}));
    EXPECT_EQ(m_view.focus(), id(Ctl::RenameGrid));
    EXPECT_FALSE(m_wb->state().renameListLoaded);

    // The extension is completed; the folder becomes the one the next dialog starts in.
    m_prompter.queuePath(m_tmp.path() + "/lists/drawings");
    m_wb->command(id(Ctl::LoadRenameList));
    EXPECT_EQ(cell(1, 0), "NMR-A-1001");
    EXPECT_EQ(text(Ctl::ListFileName), "drawings.csv");
    m_prompter.queuePath(std::nullopt);
    m_wb->command(id(Ctl::LoadRenameList));
    EXPECT_EQ(m_prompter.fileRequests().back().folder, m_tmp.path() + "/lists");
}

TEST_F(WorkbenchListsTest, NoListIsLoadedWithoutATemplate) {
    StartupRequest request = everything();
    request.templateGiven = false;
    open({}, request);
    m_wb->actOnStartupRequest();
    EXPECT_FALSE(m_wb->state().renameListLoaded);
    EXPECT_EQ(text(Ctl::ListFileName), "");
    EXPECT_EQ(m_wb->state().imageCount, 4);
}

TEST_F(WorkbenchListsTest, AMissingImageFolderIsReportedAndNothingIsListed) {
    open({});
    const std::string before = m_wb->settingsStore().settings().scanPath;
    m_prompter.queuePath(m_tmp.path() + "/gone");
    m_wb->command(id(Ctl::LoadImages));
    EXPECT_EQ(shownTexts(), (std::vector<std::string>{"画像読込みﾌｫﾙﾀﾞが存在しません。"}));
    EXPECT_FALSE(m_wb->state().imageFolderLoaded);
    EXPECT_FALSE(m_view.isEnabled(id(Ctl::ReloadImages)));
    EXPECT_EQ(images().rows(), 1);
    EXPECT_EQ(m_wb->settingsStore().settings().scanPath, before);
}

TEST_F(WorkbenchListsTest, ReloadListsTheFolderAgainWithoutItsOldPreviews) {
    open({});
    m_prompter.queuePath(m_scans);
    m_wb->command(id(Ctl::LoadImages));
    ASSERT_EQ(m_wb->state().imageCount, 4);
    const std::string preview = m_tmp.write("data/temp/scan_0001_1.png", "png");
    const std::string other = m_tmp.write("data/temp/keep.txt", "txt");
    std::filesystem::remove(files::native(m_scans + "/scan_0002.tif"));
    images().setRowSelected(3, true);

    m_wb->command(id(Ctl::ReloadImages));

    EXPECT_EQ(imageNames(),
              (std::vector<std::string>{"scan_0001.tif", "scan_0003.tif", "photo.jpg"}));
    EXPECT_EQ(images().selectedRowCount(), 1);
    EXPECT_TRUE(images().isRowSelected(1));
    EXPECT_FALSE(files::exists(preview));
    EXPECT_TRUE(files::exists(other));
}

TEST_F(WorkbenchListsTest, TheImageMenuDeletesTheSelectedFilesOnlyWithoutAssignments) {
    open({});
    m_prompter.queuePath(m_scans);
    m_wb->command(id(Ctl::LoadImages));
    images().setRowSelected(3, true); // scan_0003.tif besides the first
    m_host.menuAnswer = id(Cmd::DeleteImages);
    m_prompter.queueAnswer(Answer::Yes);

    rightPress(images());

    ASSERT_EQ(m_host.menus, std::vector<MenuId>{MenuId::ImageOperations});
    EXPECT_TRUE(m_host.lastItems.at(0).enabled);
    EXPECT_EQ(shownTexts(), (std::vector<std::string>{"選択された画像ﾌｧｲﾙを削除しますか？"}));
    EXPECT_FALSE(files::exists(m_scans + "/scan_0001.tif"));
    EXPECT_FALSE(files::exists(m_scans + "/scan_0003.tif"));
    EXPECT_EQ(imageNames(), (std::vector<std::string>{"scan_0002.tif", "photo.jpg"}));
    EXPECT_EQ(text(Ctl::ImageFileName), "scan_0002.tif");

    CountedAssignments assigned(1);
    m_wb->setAssignments(assigned);
    m_host.menuAnswer = 0;
    rightPress(images());
    EXPECT_FALSE(m_host.lastItems.at(0).enabled);
}

TEST_F(WorkbenchListsTest, TheListMenuInsertsAndDeletesAtTheCurrentRow) {
    open({"Template=drawings.tpl"}, everything());
    m_wb->actOnStartupRequest();
    m_wb->renameGrid().setCurrentCell(2, RenameList::gridCol(1));

    m_host.menuAnswer = id(Cmd::InsertRow);
    rightPress(m_wb->renameGrid());
    EXPECT_TRUE(m_host.lastItems.at(0).enabled);
    EXPECT_EQ(cell(2, 0), "");
    EXPECT_EQ(cell(3, 0), "NMR-A-1003");
    EXPECT_EQ(grid().text(3, RenameList::kColNo), "3");

    m_host.menuAnswer = id(Cmd::DeleteRow);
    rightPress(m_wb->renameGrid());
    EXPECT_EQ(cell(2, 0), "NMR-A-1003");
    EXPECT_EQ(cell(3, 0), "NMR-B-2010");
}

TEST_F(WorkbenchListsTest, ClosingRemovesThePreviewFiles) {
    open({});
    const std::string preview = m_tmp.write("data/temp/scan_0001_1.png", "png");
    ASSERT_TRUE(m_wb->requestClose(WindowRect{0, 0, 1200, 1000}, false));
    EXPECT_FALSE(files::exists(preview));
}

} // namespace
