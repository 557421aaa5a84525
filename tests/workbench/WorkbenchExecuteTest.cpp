#include "AssignmentRig.h"

#include "base/FileSystem.h"
#include "execute/RunJournals.h"

#include <filesystem>

namespace {

class WorkbenchExecuteTest : public AssignmentRig {
protected:
    // The template "job" with its images going to the folder store.
    void storeInto(const std::string& store) {
        std::string text = renameListTemplate(
            {{"図番", 1, 1, true}, {"用紙", 5, 0, false}, {"名称", 1, 2, false}});
        const std::string stored = "OUTPUTPATH=/tmp";
        text.replace(text.find(stored), stored.size(), "OUTPUTPATH=" + store);
        m_data->writeTemplate("job", text);
    }
    // A run of two scans into store, made through the window on a list of the given rows.
    std::string runTwo(std::initializer_list<std::string_view> rows = {"D-1", "D-2"},
                       std::vector<std::string> settings = {}) {
        const std::string store = m_tmp.mkdir("store");
        storeInto(store);
        image("a4.tif");
        image("x.jpg");
        start(rows, std::move(settings));
        m_prompter.queueAnswer(Answer::Yes);
        m_wb->command(id(Ctl::BatchAssign));
        m_wb->command(id(Ctl::Execute));
        m_prompter.clear();
        return store;
    }
    std::vector<std::string> listedRows() {
        std::vector<std::string> rows;
        for (int r = 1; !grid().text(r, RenameList::gridCol(0)).empty(); ++r) {
            rows.push_back(grid().text(r, RenameList::gridCol(0)));
        }
        return rows;
    }
    std::string lastCaption() const { return u8(m_prompter.shown().back().caption); }
    std::string journals() const { return runjournals::folderOf(m_data->dataFolder()); }
    std::string store() const { return m_tmp.file("store"); }
};

TEST_F(WorkbenchExecuteTest, BatchAssignThenExecuteMovesTheImagesAndEmptiesTheLists) {
    const std::string store = m_tmp.mkdir("store");
    storeInto(store);
    image("a4.tif");
    image("a3.tif");
    image("x.jpg");
    start({"D-1", "D-2", "D-3", "D-4"});
    m_prompter.queueAnswer(Answer::Yes);
    m_wb->command(id(Ctl::BatchAssign));
    ASSERT_TRUE(enabled(Ctl::Execute));
    m_prompter.clear();

    m_wb->command(id(Ctl::Execute));

    EXPECT_EQ(files::listFolder(store),
              (std::vector<std::string>{"D-1.tif", "D-2.tif", "D-3.jpg"}));
    EXPECT_TRUE(files::listFolder(m_scans).empty());
    EXPECT_TRUE(records().empty());
    EXPECT_EQ(grid().text(1, RenameList::gridCol(0)), "D-4");
    EXPECT_EQ(grid().text(2, RenameList::gridCol(0)), "");
    EXPECT_EQ(m_wb->state().imageCount, 0);
    EXPECT_FALSE(enabled(Ctl::Execute));
    ASSERT_FALSE(m_prompter.shown().empty());
    EXPECT_EQ(u8(m_prompter.shown().back().text), "3/3件をﾘﾈｰﾑしました。");
}

TEST_F(WorkbenchExecuteTest, TheMenuItemUndoesTheRunAndListsTheImagesAgain) {
    const std::string store = runTwo();
    ASSERT_TRUE(enabled(Cmd::UndoLastRun));
    ASSERT_EQ(m_wb->state().imageCount, 0);
    m_prompter.queueAnswer(Answer::Yes);
    m_wb->command(id(Cmd::UndoLastRun));
    EXPECT_TRUE(files::listFolder(store).empty());
    EXPECT_EQ(files::listFolder(m_scans), (std::vector<std::string>{"a4.tif", "x.jpg"}));
    EXPECT_EQ(m_wb->state().imageCount, 2);
    EXPECT_FALSE(enabled(Cmd::UndoLastRun));
    ASSERT_EQ(shownTexts().size(), 2u);
    EXPECT_TRUE(shownTexts()[0].starts_with("直前の実行("));
    EXPECT_TRUE(shownTexts()[1].starts_with("2個のﾌｧｲﾙを元に戻し、0個のﾌｧｲﾙを削除しました。\r\n"
                                            "実行でﾘﾈｰﾑﾘｽﾄから外れた2行は"));
    EXPECT_TRUE(shownTexts()[1].ends_with(
        "/rows/" + files::fileName(files::parentFolder(runjournals::list(journals()).back())) +
        "-rows.csv"));
    EXPECT_EQ(lastCaption(), "情報");
}

// Undo puts the rows the run took back into the rename list: where they were in the run's own
// list, after the rows of another list only when the operator says so.
struct RowsBackCase {
    const char* label;
    const char* otherList; // loaded after the run, or nullptr
    Answer answer;         // to the question about another list
    std::vector<std::string> rows;
    std::size_t boxes; // the undo question, its result and the question about another list
};

class WorkbenchRowsBackTest : public WorkbenchExecuteTest,
                              public ::testing::WithParamInterface<RowsBackCase> {};

TEST_P(WorkbenchRowsBackTest, UndoGivesTheRowsBack) {
    const RowsBackCase& c = GetParam();
    runTwo({"D-1", "D-3", "D-2"});
    ASSERT_EQ(listedRows(), std::vector<std::string>{"D-2"});
    if (c.otherList) {
        ASSERT_TRUE(
            m_wb->renameList().load(m_tmp.write("other.csv", renameListCsv({c.otherList}))));
    }
    m_prompter.queueAnswer(Answer::Yes);
    m_prompter.queueAnswer(Answer::Ok); // the result box
    m_prompter.queueAnswer(c.answer);
    m_wb->command(id(Cmd::UndoLastRun));
    EXPECT_EQ(listedRows(), c.rows) << c.label;
    EXPECT_EQ(shownTexts().size(), c.boxes) << c.label << ": " << shownTexts().back();
}

// The rows given back are shown whole, as after a load: their columns grow to fit them.
TEST_F(WorkbenchExecuteTest, TheColumnsFitTheRowsGivenBack) {
    runTwo({"DRAWING-NUMBER-0000000001", "DRAWING-NUMBER-0000000002", "D"});
    m_wb->renameGrid().setTextMeasure(
        [](std::string_view text) { return static_cast<int>(text.size()) * 8; }, 4);
    const int shown = grid().colWidth(RenameList::gridCol(0));
    m_prompter.queueAnswer(Answer::Yes);
    m_wb->command(id(Cmd::UndoLastRun));
    ASSERT_EQ(listedRows().size(), 3u);
    EXPECT_GT(grid().colWidth(RenameList::gridCol(0)), shown);
}

INSTANTIATE_TEST_SUITE_P(
    Lists, WorkbenchRowsBackTest,
    ::testing::Values(
        RowsBackCase{"the run's list", nullptr, Answer::Yes, {"D-1", "D-3", "D-2"}, 2},
        RowsBackCase{"another list, yes", "E-1", Answer::Yes, {"E-1", "D-1", "D-3"}, 3},
        RowsBackCase{"another list, no", "E-1", Answer::No, {"E-1"}, 3},
        RowsBackCase{"the run's list loaded again", "D-1", Answer::Yes, {"D-1"}, 2}));

// A run cut off before its end (its last records never written) is told at the next start:
// Yes undoes it, No settles it, Cancel leaves it for the next start.
struct CutOffCase {
    Answer answer;
    std::size_t scans; // left in the scan folder
    bool stillCutOff;
};

class WorkbenchCutOffTest : public WorkbenchExecuteTest,
                            public ::testing::WithParamInterface<CutOffCase> {};

TEST_P(WorkbenchCutOffTest, IsToldAtStartAndUndoneSettledOrLeft) {
    const CutOffCase& c = GetParam();
    runTwo();
    const std::string journal = runjournals::list(journals()).back();
    std::string text = *files::readAll(journal);
    // Cut off after the second scan's move was announced, before it was made.
    text.resize(text.find("moved\t" + m_scans + "/x.jpg"));
    ASSERT_TRUE(files::writeAtomically(journal, text));
    std::filesystem::rename(files::native(files::join(store(), "D-2.jpg")),
                            files::native(files::join(m_scans, "x.jpg")));
    m_prompter.queueAnswer(c.answer);
    m_wb->actOnStartupRequest();
    ASSERT_FALSE(shownTexts().empty());
    EXPECT_NE(shownTexts()[0].find("完了した行: 1  完了しなかった行: 1"), std::string::npos);
    EXPECT_EQ(files::listFolder(m_scans).size(), c.scans);
    EXPECT_EQ(runjournals::unfinished(journals()).has_value(), c.stillCutOff);
    EXPECT_EQ(enabled(Cmd::UndoLastRun), c.answer != Answer::Yes);
}

INSTANTIATE_TEST_SUITE_P(Answers, WorkbenchCutOffTest,
                         ::testing::Values(CutOffCase{Answer::Yes, 2, false},
                                           CutOffCase{Answer::No, 1, false},
                                           CutOffCase{Answer::Cancel, 1, true}));

// Settling says what was finished and what was not, and offers the export file the run did not
// get to write.
class WorkbenchSettleTest : public WorkbenchExecuteTest,
                            public ::testing::WithParamInterface<Answer> {};

TEST_P(WorkbenchSettleTest, TellsTheRowsAndOffersTheMissingExport) {
    const Answer writeIt = GetParam();
    runTwo({"D-1", "D-2"}, {"ExportType=3", "DispInputDlg=0", "ExportFilename=list"});
    const std::string exportFile = files::join(store(), "list.csv");
    const std::string journal = runjournals::list(journals()).back();
    std::string text = *files::readAll(journal);
    text.resize(text.find("write\t" + exportFile));
    ASSERT_TRUE(files::writeAtomically(journal, text));
    ASSERT_TRUE(files::removeFile(exportFile));
    m_prompter.queueAnswer(Answer::No);
    m_prompter.queueAnswer(writeIt);
    m_wb->actOnStartupRequest();
    ASSERT_GE(shownTexts().size(), 2u);
    EXPECT_NE(shownTexts()[1].find("完了した行: 2\r\n完了しなかった行: 0"), std::string::npos);
    EXPECT_NE(shownTexts()[1].find("ｴｸｽﾎﾟｰﾄﾌｧｲﾙは書き込まれていません。"), std::string::npos);
    EXPECT_TRUE(shownTexts()[1].ends_with(u8(exportFile)));
    EXPECT_EQ(u8(m_prompter.shown()[1].caption), "確認");
    EXPECT_EQ(files::exists(exportFile), writeIt == Answer::Yes);
    EXPECT_EQ(shownTexts().size(), writeIt == Answer::Yes ? 3u : 2u);
    EXPECT_EQ(lastCaption(), writeIt == Answer::Yes ? "情報" : "確認");
    EXPECT_EQ(files::listFolder(m_scans).size(), 0u);
}

INSTANTIATE_TEST_SUITE_P(Answers, WorkbenchSettleTest, ::testing::Values(Answer::Yes, Answer::No));

} // namespace
