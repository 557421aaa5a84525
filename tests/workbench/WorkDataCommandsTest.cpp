#include "AssignmentRig.h"

#include "base/Cp932.h"
#include "base/FileSystem.h"
#include "renamelist/WorkDataFile.h"
#include "workbench/Cmd.h"

#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using Records = std::vector<std::string>;
using Texts = std::vector<std::string>;

const std::string kSaveFailed = "作業ﾃﾞｰﾀの保存に失敗しました。";

// The window of AssignmentRig over three images; assignSome() gives row 1 a4.tif and a3.tif and
// row 3 x.jpg. The storage folder of "job" exists.
class WorkDataCommandsTest : public AssignmentRig {
protected:
    void SetUp() override {
        AssignmentRig::SetUp();
        for (const char* name : {"a4.tif", "a3.tif", "x.jpg"}) {
            image(name);
        }
        m_work = m_tmp.mkdir("work");
    }

    void assignSome() {
        start({"D-1,\"第１, 工場\"", "D-2,b", "D-3,c"});
        select(1, {1, 2});
        m_wb->command(id(Ctl::Assign));
        select(3, {3});
        m_wb->command(id(Ctl::Assign));
    }

    void saveAs(const std::string& path) {
        m_prompter.queuePath(path);
        m_wb->command(id(Cmd::SaveWorkDataAs));
    }

    std::string read(const std::string& path) { return files::readAll(path).value_or("<none>"); }
    std::string cell(int row, int k) { return u8(grid().text(row, RenameList::gridCol(k))); }

    std::string m_work;
};

TEST_F(WorkDataCommandsTest, ASavedPieceOfWorkLoadsBackIntoTheSameState) {
    assignSome();
    ASSERT_TRUE(enabled(Cmd::SaveWorkDataAs));
    saveAs(m_work + "/job1");

    EXPECT_EQ(m_wb->state().workDataName, "job1.edd");
    EXPECT_FALSE(m_wb->state().modified);
    EXPECT_FALSE(enabled(Cmd::SaveWorkData));
    EXPECT_EQ(m_wb->settingsStore().settings().editDataPath, m_work);
    EXPECT_EQ(read(m_work + "/job1.edd"),
              "[PATH]\r\nTEMPLATE=job.tpl\r\nCSV=list.csv\r\nIMAGE=" + m_scans +
                  "\r\n[1]\r\nNUM=2\r\n1=a4.tif\r\n1-PREV=1\r\n2=a3.tif\r\n2-PREV=1\r\n"
                  "[3]\r\nNUM=1\r\n1=x.jpg\r\n1-PREV=1\r\n[INFO]\r\nBIBLIONUM=1,3,\r\n");
    EXPECT_EQ(u8(read(m_work + "/list.csv")),
              "\"D-1\",\"A4 縦 (幅 210mm×高さ 297mm)\",\"第１, 工場\"\r\n\"D-2\",\"\",\"b\"\r\n"
              "\"D-3\",\"A4 縦 (幅 210mm×高さ 297mm)\",\"c\"\r\n");

    // Another window state, then the file: template, list, images, assignments and marks.
    m_prompter.queueAnswer(Answer::Yes);
    pick(1);
    ASSERT_NE(m_wb->state().currentTemplate.name, "job");
    const std::size_t asked = m_prompter.shown().size();
    m_prompter.queuePath(m_work + "/job1.edd");
    m_wb->command(id(Ctl::LoadWorkData));
    EXPECT_EQ(m_wb->state().currentTemplate.name, "job");
    EXPECT_EQ(cell(1, 2), "第１, 工場");
    EXPECT_EQ(records(), (Records{"1:a4.tif:1", "1:a3.tif:2", "3:x.jpg:1"}));
    EXPECT_EQ(rowMark(1), assignmark::Multi);
    EXPECT_EQ(rowMark(3), assignmark::Single);
    EXPECT_EQ(page(2), "2");
    EXPECT_EQ(u8(m_view.control(id(Ctl::ListFileName)).text), "list.csv");
    EXPECT_EQ(m_wb->state().workDataName, "job1.edd");
    EXPECT_FALSE(m_wb->state().modified);
    EXPECT_EQ(m_prompter.shown().size(), asked);

    // A second save replaces the file entirely.
    select(1, {1, 2});
    m_wb->command(id(Ctl::Release));
    m_wb->command(id(Cmd::SaveWorkData));
    EXPECT_EQ(read(m_work + "/job1.edd"),
              "[PATH]\r\nTEMPLATE=job.tpl\r\nCSV=list.csv\r\nIMAGE=" + m_scans +
                  "\r\n[3]\r\nNUM=1\r\n1=x.jpg\r\n1-PREV=1\r\n[INFO]\r\nBIBLIONUM=3,\r\n");
}

TEST_F(WorkDataCommandsTest, TheListCopyNeverReplacesAFileTheProgramDidNotWrite) {
    m_csv = m_tmp.write("work/list.csv", renameListCsv({"D-1", "D-2"}));
    open({"Template=job.tpl"});
    ASSERT_TRUE(m_wb->imageList().loadFolder(m_scans));
    ASSERT_TRUE(m_wb->renameList().load(m_csv));
    const std::string original = read(m_csv);
    m_tmp.write("work/job1.csv", "someone else's");

    saveAs(m_work + "/job1.edd");
    EXPECT_EQ(read(m_csv), original);
    EXPECT_EQ(read(m_work + "/job1.csv"), "someone else's");
    EXPECT_EQ(read(m_work + "/job1(2).csv"), "\"D-1\",\"\",\"\"\r\n\"D-2\",\"\",\"\"\r\n");
    EXPECT_TRUE(cp932::contains(read(m_work + "/job1.edd"), "CSV=job1(2).csv\r\n"));
}

TEST_F(WorkDataCommandsTest, AFailedSaveChangesNothingOnDiskAndKeepsTheWorkMarkedChanged) {
    assignSome();
    saveAs(m_work + "/job1.edd");
    const std::string edd = read(m_work + "/job1.edd");
    const std::string copy = read(m_work + "/list.csv");
    select(3, {3});
    m_wb->command(id(Ctl::Release));
    ASSERT_TRUE(m_wb->state().modified);

    ASSERT_EQ(::chmod(files::native(m_work + "/job1.edd").c_str(), 0444), 0);
    m_wb->command(id(Cmd::SaveWorkData));
    EXPECT_EQ(shownTexts().back(), kSaveFailed);
    EXPECT_EQ(read(m_work + "/job1.edd"), edd);
    EXPECT_EQ(read(m_work + "/list.csv"), copy);
    EXPECT_TRUE(m_wb->state().modified);
    EXPECT_EQ(files::listFolder(m_work), (std::vector<std::string>{"job1.edd", "list.csv"}));

    // Closing asks; the save that Yes starts fails, so the window stays open.
    m_prompter.queueAnswer(Answer::Yes);
    EXPECT_FALSE(m_wb->requestClose(WindowRect{0, 0, 1200, 1000}, false));
    EXPECT_EQ(shownTexts().back(), kSaveFailed);
}

TEST_F(WorkDataCommandsTest, ASaveIntoAReadOnlyFolderFailsAndLeavesItEmpty) {
    assignSome();
    ASSERT_EQ(::chmod(files::native(m_work).c_str(), 0555), 0);
    if (::access(files::native(m_work).c_str(), W_OK) == 0) {
        ::chmod(files::native(m_work).c_str(), 0755);
        GTEST_SKIP() << "permission bits do not stop this user from writing";
    }
    saveAs(m_work + "/job1.edd");
    ::chmod(files::native(m_work).c_str(), 0755);
    EXPECT_EQ(shownTexts().back(), kSaveFailed);
    EXPECT_TRUE(files::listFolder(m_work).empty());
    EXPECT_EQ(m_wb->state().workDataName, "");
}

TEST_F(WorkDataCommandsTest, TheNamingDialogAsksAgainUntilANameIsAcceptable) {
    assignSome();
    m_prompter.queuePath(m_work + "/.edd");
    m_prompter.queuePath(m_work + "/a*b");
    m_prompter.queuePath(m_work + "/" + std::string(260, 'x'));
    m_prompter.queuePath(m_work + "/ok");
    m_wb->command(id(Cmd::SaveWorkData));
    EXPECT_EQ(shownTexts(), (Texts{"ﾌｧｲﾙ名に使用できない文字が含まれています。",
                                   "ﾌｧｲﾙ名に使用できない文字が含まれています。",
                                   "指定したﾌｧｲﾙ名称が長過ぎるため、保存ができません。"}));
    ASSERT_EQ(m_prompter.fileRequests().size(), 4u);
    EXPECT_EQ(u8(m_prompter.fileRequests()[0].fileName), "新規作業ﾃﾞｰﾀ.edd");
    EXPECT_EQ(u8(m_prompter.fileRequests()[0].title), "作業ﾃﾞｰﾀﾌｧｲﾙの保存");
    EXPECT_TRUE(files::isRegularFile(m_work + "/ok.edd"));
    EXPECT_EQ(m_wb->state().workDataName, "ok.edd");
}

TEST_F(WorkDataCommandsTest, ALoadStopsAtTheFirstFaultWithItsMessage) {
    assignSome();
    saveAs(m_work + "/good.edd");
    const std::string good = read(m_work + "/good.edd");
    const auto variant = [&good](const std::string& from, const std::string& to) {
        std::string text = good;
        const std::size_t at = text.find(from);
        return at == std::string::npos ? text : text.replace(at, from.size(), to);
    };
    const struct {
        const char* what;
        std::string text;
        const char* message;
    } cases[] = {
        {"no template", variant("TEMPLATE=job.tpl", "TEMPLATE="),
         "不正な作業ﾃﾞｰﾀﾌｧｲﾙのため、読込めませんでした。"},
        {"a template outside the template folder",
         variant("TEMPLATE=job.tpl", "TEMPLATE=../job.tpl"),
         "不正な作業ﾃﾞｰﾀﾌｧｲﾙのため、読込めませんでした。"},
        {"a deleted template", variant("TEMPLATE=job.tpl", "TEMPLATE=gone.tpl"),
         "ﾃﾝﾌﾟﾚｰﾄが存在しないため、\n\r作業ﾃﾞｰﾀﾌｧｲﾙは読込めませんでした。"},
        {"no list copy named", variant("CSV=list.csv", "CSV="),
         "不正な作業ﾃﾞｰﾀﾌｧｲﾙのため、読込めませんでした。"},
        {"a list copy in another folder", variant("CSV=list.csv", "CSV=sub/list.csv"),
         "不正な作業ﾃﾞｰﾀﾌｧｲﾙのため、読込めませんでした。"},
        {"a missing list copy", variant("CSV=list.csv", "CSV=gone.csv"),
         "ﾘﾈｰﾑﾘｽﾄﾌｧｲﾙが存在しないため、\n\r作業ﾃﾞｰﾀﾌｧｲﾙは読込めませんでした。"},
        {"a vanished image folder", variant("IMAGE=" + m_scans, "IMAGE=" + m_scans + "-gone"),
         "画像読込みﾌｫﾙﾀﾞが存在しないため、\n\r作業ﾃﾞｰﾀﾌｧｲﾙは読込めませんでした。"},
    };
    select(2, {1});
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        m_tmp.write("work/bad.edd", c.text);
        m_prompter.queuePath(m_work + "/bad");
        m_wb->command(id(Ctl::LoadWorkData));
        EXPECT_EQ(shownTexts().back(), c.message);
        EXPECT_EQ(m_wb->state().workDataName, "");
        EXPECT_EQ(cell(2, 2), "b");
        EXPECT_EQ(m_wb->state().currentTemplate.name, "job");
    }
    m_prompter.queuePath(m_work + "/none");
    m_wb->command(id(Ctl::LoadWorkData));
    EXPECT_EQ(shownTexts().back(), "指定した作業ﾃﾞｰﾀﾌｧｲﾙが存在しません。");
}

TEST_F(WorkDataCommandsTest, OnlyPlainImageNamesOfCompleteRowsInTheImageFolderAreRestored) {
    assignSome();
    saveAs(m_work + "/good.edd");
    std::string text = read(m_work + "/good.edd");
    text.replace(text.find("[INFO]"), std::string::npos,
                 "[2]\r\nNUM=5\r\n1=../a4.tif\r\n2=" + m_scans +
                     "/a3.tif\r\n3=sub\\x.jpg\r\n4=gone.tif\r\n5=readme.txt\r\n"
                     "[INFO]\r\nBIBLIONUM=1,2,3,\r\n");
    m_tmp.write("work/bad.edd", text);
    m_tmp.write("scans/readme.txt", "not an image");
    m_tmp.write("a4.tif", "outside");
    m_prompter.queuePath(m_work + "/bad.edd");
    m_wb->command(id(Ctl::LoadWorkData));
    EXPECT_EQ(records(), (Records{"1:a4.tif:1", "1:a3.tif:2", "3:x.jpg:1"}));
    EXPECT_EQ(rowMark(2), assignmark::None);
    EXPECT_EQ(read(m_tmp.path() + "/a4.tif"), "outside");
}

// A file handed over by the file manager: the question about changed work comes first, as when
// the window closes, and the load is the load button's.
TEST_F(WorkDataCommandsTest, AHandedOverFileAsksAboutChangedWorkThenLoads) {
    const Records saved{"1:a4.tif:1", "1:a3.tif:2", "3:x.jpg:1"};
    const Records changed{"1:a4.tif:1", "1:a3.tif:2"};
    const struct {
        const char* what;
        bool change;
        Answer answer;
        bool loaded;
        Records records;
    } cases[] = {
        {"unchanged work: no question", false, Answer::Cancel, true, saved},
        {"no: the changes are dropped", true, Answer::No, true, saved},
        {"yes: saved, then loaded", true, Answer::Yes, true, changed},
        {"cancel: nothing loaded", true, Answer::Cancel, false, changed},
    };
    for (const auto& c : cases) {
        assignSome();
        saveAs(m_work + "/job1");
        if (c.change) {
            select(3, {3});
            m_wb->command(id(Ctl::Release));
            m_prompter.queueAnswer(c.answer);
        }
        const std::size_t asked = m_prompter.shown().size();
        EXPECT_EQ(m_wb->workData().openGiven(m_work + "/job1.edd"), c.loaded) << c.what;
        EXPECT_EQ(m_prompter.shown().size(), asked + (c.change ? 1 : 0)) << c.what;
        EXPECT_EQ(records(), c.records) << c.what;
        EXPECT_EQ(m_wb->state().modified, !c.loaded) << c.what;
    }
    EXPECT_FALSE(m_wb->workData().openGiven(m_work + "/gone.edd"));
    EXPECT_EQ(shownTexts().back(), "指定した作業ﾃﾞｰﾀﾌｧｲﾙが存在しません。");
}

TEST_F(WorkDataCommandsTest, ClosingAsksOnlyAboutChangedWorkAndMayBeCancelled) {
    image("a3b.tif");
    start({"D-1", "D-2"});
    const WindowRect rect{0, 0, 1200, 1000};
    saveAs(m_work + "/w.edd");
    m_wb->renameList().list().selectRow(1);
    m_wb->command(id(Cmd::InsertRow));
    m_wb->command(id(Cmd::DeleteRow));
    EXPECT_FALSE(m_wb->state().modified);
    EXPECT_TRUE(m_wb->requestClose(rect, false));
    EXPECT_TRUE(m_prompter.shown().empty());

    const auto changed = [this] {
        select(1, {1});
        m_wb->command(id(Ctl::Assign));
        ASSERT_TRUE(m_wb->state().modified);
    };
    changed();
    m_prompter.queueAnswer(Answer::Cancel);
    EXPECT_FALSE(m_wb->requestClose(rect, false));
    EXPECT_EQ(shownTexts().back(), "作業ﾃﾞｰﾀが変更されています。\n\r変更を保存しますか？");
    m_prompter.queueAnswer(Answer::No);
    EXPECT_TRUE(m_wb->requestClose(rect, false));
    EXPECT_TRUE(m_wb->state().modified);

    // Yes without a name goes through the naming dialog; cancelling it still closes.
    open({"Template=job.tpl"});
    ASSERT_TRUE(m_wb->imageList().loadFolder(m_scans));
    m_prompter.queueAnswer(Answer::Yes);
    m_prompter.queuePath(std::nullopt);
    EXPECT_TRUE(m_wb->requestClose(rect, false));
    EXPECT_EQ(u8(m_prompter.fileRequests().back().title), "作業ﾃﾞｰﾀﾌｧｲﾙの保存");
}

} // namespace
