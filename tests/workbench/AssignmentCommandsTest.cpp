#include "AssignmentRig.h"

#include "base/FileSystem.h"
#include "workbench/Cmd.h"

#include <filesystem>

namespace {

using Records = std::vector<std::string>;
using Texts = std::vector<std::string>;

const std::string kA4 = "A4 縦 (幅 210mm×高さ 297mm)";
const std::string kA3 = "A3 縦 (幅 297mm×高さ 420mm)";

class AssignmentCommandsTest : public AssignmentRig {};

TEST_F(AssignmentCommandsTest,
       BatchAssignGivesEachCompleteRowTheNextImageAfterAskingWithBothCounts) {
    struct Case {
        std::initializer_list<std::string_view> lines;
        int images;
        Answer answer;
        Texts asked;
        Records records;
    };
    const std::string mismatch = "ﾃﾞｰﾀ数が一致していません。\n\r少ないﾃﾞｰﾀに合わせて一括割り当てを"
                                 "実行しますか？\n\r\n\r  書誌ﾃﾞｰﾀ：5個\n\r  画像ﾃﾞｰﾀ：3個";
    const Case cases[] = {
        {{"D-1,a", "D-2,b", "D-3,c", "D-4,d", "D-5,e"},
         3,
         Answer::Yes,
         {mismatch},
         {"1:i0.tif:1", "2:i1.tif:1", "3:i2.tif:1"}},
        {{"D-1,a", " ,b", "D-3,c"},
         2,
         Answer::Yes,
         {"一括割り当てを実行しますか？"},
         {"1:i0.tif:1", "3:i1.tif:1"}},
        {{"D-1,a", "D-2,b"}, 2, Answer::No, {"一括割り当てを実行しますか？"}, {}},
    };
    int n = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(n);
        m_scans = m_tmp.mkdir("scans" + std::to_string(n++));
        m_images = 0;
        for (int i = 0; i < c.images; ++i) {
            image("i" + std::to_string(i) + ".tif");
        }
        m_prompter = ScriptedPrompter();
        start(c.lines);
        ASSERT_TRUE(enabled(Ctl::BatchAssign));
        m_prompter.queueAnswer(c.answer);
        m_wb->command(id(Ctl::BatchAssign));

        EXPECT_EQ(shownTexts(), c.asked);
        EXPECT_EQ(records(), c.records);
        EXPECT_EQ(enabled(Ctl::BatchRelease), !c.records.empty());
        for (int row = 1; row <= 5; ++row) {
            const bool taken = std::any_of(c.records.begin(), c.records.end(), [row](auto& r) {
                return r.starts_with(std::to_string(row) + ":");
            });
            EXPECT_EQ(rowMark(row), taken ? assignmark::Single : assignmark::None) << row;
        }
        for (int row = 1; row <= c.images; ++row) {
            EXPECT_EQ(imageMark(row), c.records.empty() ? assignmark::None : assignmark::Single);
            EXPECT_EQ(page(row), c.records.empty() ? "" : "1");
        }
    }
    EXPECT_EQ(paper(1), "");
}

TEST_F(AssignmentCommandsTest, BatchAssignShowsProgressAndFillsThePaperSizeFromEachImage) {
    image("a4.tif");
    image("a3.tif");
    image("x.jpg");
    image("p.pdf");
    start({"D-1", "D-2", "D-3", "D-4"});
    m_prompter.queueAnswer(Answer::Yes);
    m_wb->command(id(Ctl::BatchAssign));

    EXPECT_EQ(paper(1), kA4);
    EXPECT_EQ(paper(2), kA3);
    EXPECT_EQ(paper(3), kA4);
    EXPECT_EQ(paper(4), kA4);
    EXPECT_EQ(grid().cellBackColor(2, RenameList::gridCol(1)), gridcolor::White);
    const Texts status = [this] {
        Texts out;
        for (const auto& s : m_view.statusTexts()) {
            out.push_back(u8(s));
        }
        return out;
    }();
    ASSERT_GE(status.size(), 2u);
    EXPECT_EQ(status[status.size() - 2], "只今、一括割り当てを行なっています。");
    EXPECT_EQ(status.back(), " ");
    EXPECT_EQ(m_view.progressMaximum(), 1000);
    const auto& positions = m_view.progressPositions();
    EXPECT_EQ(std::vector<int>(positions.end() - 3, positions.end()),
              (std::vector<int>{1000, 1000, 0}));
    EXPECT_TRUE(grid().redraw());
    EXPECT_TRUE(images().redraw());
}

TEST_F(AssignmentCommandsTest, ATemplateWithoutFileNameColumnsHasNothingToAssign) {
    image("a4.tif");
    open({"Template=plain.tpl"});
    m_wb->imageList().loadFolder(m_scans);
    m_wb->renameList().load(m_tmp.write("list.csv", renameListCsv({"D-1"})));
    select(1, {1});
    EXPECT_FALSE(enabled(Ctl::BatchAssign));
    EXPECT_FALSE(enabled(Ctl::Assign));
    m_wb->command(id(Ctl::Assign));
    m_wb->command(id(Ctl::BatchAssign));
    EXPECT_TRUE(records().empty());
    EXPECT_TRUE(m_prompter.shown().empty());
}

TEST_F(AssignmentCommandsTest, NamesThatDifferOnlyInLetterCaseAreDuplicates) {
    image("a4.tif");
    image("a3.tif");
    start({"ab-1,x", "AB-1,y"});

    m_wb->command(id(Ctl::BatchAssign));
    EXPECT_EQ(shownTexts(), Texts{"No 1 と No 2 のﾘﾈｰﾑ名称が重複しているため、実行できません。"});
    EXPECT_EQ(grid().row(), 2);
    EXPECT_TRUE(records().empty());

    select(1, {1});
    m_wb->command(id(Ctl::Assign));
    select(2, {2});
    ASSERT_TRUE(enabled(Ctl::Assign));
    m_wb->command(id(Ctl::Assign));
    EXPECT_EQ(shownTexts().back(), "ﾘﾈｰﾑ名称が重複しているため、実行できません。");
    EXPECT_EQ(records(), Records{"1:a4.tif:1"});
    EXPECT_EQ(imageMark(2), assignmark::None);
}

TEST_F(AssignmentCommandsTest, AssignIsAvailableForOneImageOfAnyKindOrForSeveralUsableTiffs) {
    for (const char* name : {"t1.tif", "t2.tif", "t3.tif", "x.jpg", "p.pdf"}) {
        image(name);
    }
    start({"D-1", "D-2", "D-3"});
    struct Case {
        int row;
        std::initializer_list<int> selected;
        int noPreview; // image row whose preview flag is 0, or 0
        bool assign;
        bool release;
    };
    const auto check = [this](const Case& c) {
        for (int r = 1; r <= 5; ++r) {
            images().setText(r, ImageEntry::PreviewValid, r == c.noPreview ? "0" : "1");
        }
        select(c.row, c.selected);
        EXPECT_EQ(enabled(Ctl::Assign), c.assign);
        EXPECT_EQ(enabled(Ctl::Release), c.release);
        EXPECT_TRUE(enabled(Ctl::BatchAssign));
    };
    for (const Case& c : {Case{1, {1, 2, 4}, 0, false, false}, Case{1, {4}, 0, true, false},
                          Case{1, {5}, 0, true, false}, Case{1, {1, 2, 3}, 0, true, false},
                          Case{1, {1, 2}, 2, false, false}, Case{1, {2}, 2, true, false},
                          Case{5, {1}, 0, false, false}}) {
        SCOPED_TRACE(testing::Message() << c.row << "/" << *c.selected.begin() << "/"
                                        << c.selected.size() << "/" << c.noPreview);
        check(c);
    }
    select(1, {1});
    m_wb->command(id(Ctl::Assign));
    for (const Case& c : {Case{2, {1}, 0, false, true}, Case{2, {1, 2}, 0, false, true},
                          Case{2, {2}, 0, true, false}, Case{1, {2}, 0, false, false}}) {
        SCOPED_TRACE(testing::Message() << "after: " << c.row << "/" << c.selected.size());
        check(c);
    }
    // A press that adds an assigned image to the selection without moving the cursor.
    select(2, {2});
    images().setRowSelected(1, true);
    images().observer()->gridMouseDown(images(), gridbutton::Left, 2, 0, 0);
    EXPECT_FALSE(enabled(Ctl::Assign));
    EXPECT_TRUE(enabled(Ctl::Release));
}

TEST_F(AssignmentCommandsTest, ReleasingPagesRenumbersTheRestAndRefillsThePaperSize) {
    image("a4.tif");
    image("a3.tif");
    image("a4b.tif");
    start({"D-1"});
    select(1, {1, 2, 3});
    m_wb->command(id(Ctl::Assign));
    EXPECT_EQ(records(), (Records{"1:a4.tif:1", "1:a3.tif:2", "1:a4b.tif:3"}));
    EXPECT_EQ(paper(1), kA4);
    EXPECT_EQ(rowMark(1), assignmark::Multi);
    for (int r = 1; r <= 3; ++r) {
        EXPECT_EQ(imageMark(r), assignmark::Multi);
        EXPECT_EQ(page(r), std::to_string(r));
    }

    select(1, {1});
    m_wb->command(id(Ctl::Release));
    EXPECT_EQ(records(), (Records{"1:a3.tif:1", "1:a4b.tif:2"}));
    EXPECT_EQ((std::vector<std::string>{page(1), page(2), page(3)}),
              (std::vector<std::string>{"", "1", "2"}));
    EXPECT_EQ(imageMark(1), assignmark::None);
    EXPECT_EQ(rowMark(1), assignmark::Multi);
    EXPECT_EQ(paper(1), kA3);

    select(1, {3});
    m_wb->command(id(Ctl::Release));
    EXPECT_EQ(records(), Records{"1:a3.tif:1"});
    EXPECT_EQ(rowMark(1), assignmark::Single);
    EXPECT_EQ(imageMark(2), assignmark::Single);
    EXPECT_EQ(paper(1), kA3);
    EXPECT_TRUE(m_wb->state().modified);

    select(1, {2});
    m_wb->command(id(Ctl::Release));
    EXPECT_TRUE(records().empty());
    EXPECT_EQ(rowMark(1), assignmark::None);
    EXPECT_FALSE(enabled(Ctl::BatchRelease));
    EXPECT_FALSE(enabled(Ctl::Execute));
}

TEST_F(AssignmentCommandsTest, BatchAssignAfterASingleAssignmentStartsFromNothing) {
    image("a4.tif");
    image("a3.tif");
    start({"D-1", "D-2"});
    select(2, {1, 2});
    m_wb->command(id(Ctl::Assign));
    m_prompter.queueAnswer(Answer::Yes);
    m_wb->command(id(Ctl::BatchAssign));
    EXPECT_EQ(records(), (Records{"1:a4.tif:1", "2:a3.tif:1"}));
    EXPECT_EQ(rowMark(2), assignmark::Single);
    EXPECT_EQ(imageMark(2), assignmark::Single);
    EXPECT_EQ(page(2), "1");
}

TEST_F(AssignmentCommandsTest, TheStatusBarNamesARowWhoseListedPaperSizeIsNotTheScans) {
    m_data->writeTemplate("job", renameListTemplate({{"図番", 1, 1, true}, {"用紙", 5, 2, false}}));
    image("a4.tif");
    image("a3.tif");
    start({"D-1,A3 横", "D-2,A3 縦", "D-3,"});
    struct Case {
        int row;
        int image;
        const char* status; // the last status text after the assignment
    } cases[] = {
        {1, 1, "No 1: ﾘｽﾄの用紙ｻｲｽﾞは A3、画像は A4 です。"},
        {2, 2, ""}, // orientation aside, the classes agree
        {3, 2, ""}, // the list gives no size
    };
    for (const Case& c : cases) {
        const std::size_t before = m_view.statusTexts().size();
        select(c.row, {c.image});
        m_wb->command(id(Ctl::Assign));
        ASSERT_EQ(records().size(), 1u) << c.row;
        const auto& texts = m_view.statusTexts();
        EXPECT_EQ(texts.size() > before ? u8(texts.back()) : std::string(), c.status) << c.row;
        m_wb->command(id(Ctl::Release));
    }
}

TEST_F(AssignmentCommandsTest, BatchReleaseAsksThenClearsEveryRecordAndMark) {
    image("a4.tif");
    image("a3.tif");
    start({"D-1", "D-2"});
    m_prompter.queueAnswer(Answer::Yes);
    m_wb->command(id(Ctl::BatchAssign));

    m_prompter.queueAnswer(Answer::No);
    m_wb->command(id(Ctl::BatchRelease));
    EXPECT_EQ(records().size(), 2u);
    m_prompter.queueAnswer(Answer::Yes);
    m_wb->command(id(Ctl::BatchRelease));

    EXPECT_EQ(shownTexts().back(), "一括解除を実行しますか？");
    EXPECT_TRUE(records().empty());
    for (int r = 1; r <= 2; ++r) {
        EXPECT_EQ(rowMark(r), assignmark::None);
        EXPECT_EQ(imageMark(r), assignmark::None);
        EXPECT_EQ(page(r), "");
    }
    EXPECT_EQ(m_view.progressMaximum(), 2000);
    EXPECT_EQ(u8(m_view.statusTexts()[m_view.statusTexts().size() - 2]),
              "只今、一括解除を行なっています。");
    EXPECT_FALSE(enabled(Ctl::BatchRelease));
}

TEST_F(AssignmentCommandsTest, AReloadDropsTheRecordsOfVanishedFilesAndRenumbersTheRest) {
    for (const char* name : {"a4.tif", "a3.tif", "a4b.tif", "x.jpg"}) {
        image(name);
    }
    start({"D-1", "D-2", "D-3"});
    select(1, {1, 2});
    m_wb->command(id(Ctl::Assign));
    select(2, {3});
    m_wb->command(id(Ctl::Assign));
    select(3, {4});
    m_wb->command(id(Ctl::Assign));
    std::filesystem::remove(files::native(m_scans + "/a4.tif"));
    std::filesystem::remove(files::native(m_scans + "/a4b.tif"));

    m_wb->command(id(Ctl::ReloadImages));

    EXPECT_EQ(records(), (Records{"1:a3.tif:1", "3:x.jpg:1"}));
    EXPECT_EQ(rowMark(1), assignmark::Single);
    EXPECT_EQ(rowMark(2), assignmark::None);
    EXPECT_EQ(rowMark(3), assignmark::Single);
    EXPECT_EQ((std::vector<std::string>{page(1), page(2)}), (std::vector<std::string>{"1", "1"}));
    EXPECT_EQ(imageMark(1), assignmark::Single);
    EXPECT_EQ(paper(1), kA3);
}

TEST_F(AssignmentCommandsTest, AssignmentsFollowTheirRowsThroughDeleteAndInsert) {
    image("a4.tif");
    image("a3.tif");
    start({"D-1", "D-2", "D-3"});
    select(3, {1});
    m_wb->command(id(Ctl::Assign));

    m_wb->renameList().list().selectRow(1);
    m_wb->command(id(Cmd::DeleteRow));
    EXPECT_EQ(records(), Records{"2:a4.tif:1"});
    EXPECT_EQ(rowMark(2), assignmark::Single);
    EXPECT_EQ(rowMark(3), assignmark::None);

    m_wb->renameList().list().selectRow(1);
    m_wb->command(id(Cmd::InsertRow));
    EXPECT_EQ(records(), Records{"3:a4.tif:1"});
    EXPECT_EQ(rowMark(3), assignmark::Single);

    // Deleting the assigned row itself, after the question, frees its image.
    m_wb->renameList().list().selectRow(3);
    m_prompter.queueAnswer(Answer::Yes);
    m_wb->command(id(Cmd::DeleteRow));
    EXPECT_TRUE(records().empty());
    EXPECT_EQ(imageMark(1), assignmark::None);
    EXPECT_EQ(page(1), "");
}

TEST_F(AssignmentCommandsTest, ChangingTheTemplateReleasesOnlyWhenTheOperatorAgrees) {
    image("a4.tif");
    start({"D-1"});
    select(1, {1});
    m_wb->command(id(Ctl::Assign));
    const int job = box();
    const auto& names = m_list.items(id(Ctl::TemplateBox));
    const int other =
        static_cast<int>(std::find(names.begin(), names.end(), "demo") - names.begin());

    m_prompter.queueAnswer(Answer::No);
    pick(other);
    EXPECT_EQ(shownTexts().back(), "割り当てを解除します。よろしいですか？");
    EXPECT_EQ(box(), job);
    EXPECT_EQ(m_wb->state().currentTemplate.name, "job");
    EXPECT_EQ(records(), Records{"1:a4.tif:1"});

    m_prompter.queueAnswer(Answer::Yes);
    pick(other);
    EXPECT_EQ(m_wb->state().currentTemplate.name, "demo");
    EXPECT_TRUE(records().empty());
    EXPECT_EQ(imageMark(1), assignmark::None);
    EXPECT_EQ(page(1), "");
}

TEST_F(AssignmentCommandsTest, TheCursorsMoveOnToTheNextFreeImageAndRow) {
    for (const char* name : {"a4.tif", "a3.tif", "a4b.tif"}) {
        image(name);
    }
    start({"D-1", "D-2", "D-3"}, {"AutoCursol=1", "EnterKeyAssign=1"});
    select(2, {2});
    m_wb->command(id(Ctl::Assign));
    EXPECT_EQ(m_wb->state().currentImageRow, 3);
    EXPECT_TRUE(images().isRowSelected(3));
    EXPECT_EQ(grid().row(), 3);
    EXPECT_EQ(m_view.focus(), id(Ctl::RenameGrid));

    // Enter in the rename list assigns too, and the rename cursor stays where it is.
    int enter = gridkey::Enter;
    m_wb->renameGrid().observer()->gridKeyDown(m_wb->renameGrid(), enter, 0);
    EXPECT_EQ(records(), (Records{"2:a3.tif:1", "3:a4b.tif:1"}));
    EXPECT_EQ(grid().row(), 3);
    // After the last image the search starts again from the top.
    EXPECT_EQ(m_wb->state().currentImageRow, 1);
    select(1, {1});
    m_wb->command(id(Ctl::Assign));
    EXPECT_EQ(grid().row(), 4);
    EXPECT_EQ(m_wb->state().currentImageRow, 1);
    EXPECT_FALSE(enabled(Ctl::Assign));
    EXPECT_TRUE(enabled(Ctl::Release));
}

TEST_F(AssignmentCommandsTest, EnterAtTheEndOfAnEditAssignsTheEditedRowUnlessItsNameIsTaken) {
    image("a4.tif");
    image("a3.tif");
    start({"D-1,x", "D-2,y", "D-3,z"}, {"EnterKeyAssign=1"});
    CellGrid& rename = m_wb->renameGrid();
    const auto editAndEnter = [&](int row, const char* fileName) {
        rename.setCurrentCell(row, RenameList::gridCol(0));
        ASSERT_TRUE(m_wb->renameList().controller().editor().startEdit());
        rename.setEditText(sj(fileName));
        int enter = gridkey::Enter;
        rename.observer()->gridKeyDownEdit(rename, row, RenameList::gridCol(0), enter, 0);
    };
    select(1, {1});
    editAndEnter(2, "D-9");
    EXPECT_EQ(records(), Records{"2:a4.tif:1"});

    select(3, {2});
    editAndEnter(3, "d-9");
    EXPECT_EQ(shownTexts(), Texts{"ﾘﾈｰﾑ名称が重複しているため、実行できません。"});
    EXPECT_EQ(records(), Records{"2:a4.tif:1"});
    EXPECT_TRUE(rename.isEditing());
}

TEST_F(AssignmentCommandsTest, WithoutTheSettingEnterInTheListAssignsNothing) {
    image("a4.tif");
    start({"D-1"});
    select(1, {1});
    int enter = gridkey::Enter;
    m_wb->renameGrid().observer()->gridKeyDown(m_wb->renameGrid(), enter, 0);
    EXPECT_TRUE(records().empty());
}

} // namespace
