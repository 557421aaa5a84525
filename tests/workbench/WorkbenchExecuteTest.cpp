#include "AssignmentRig.h"

#include "base/FileSystem.h"
#include "execute/RunJournals.h"

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
    // A run of two scans into store, made through the window.
    std::string runTwo() {
        const std::string store = m_tmp.mkdir("store");
        storeInto(store);
        image("a4.tif");
        image("x.jpg");
        start({"D-1", "D-2"});
        m_prompter.queueAnswer(Answer::Yes);
        m_wb->command(id(Ctl::BatchAssign));
        m_wb->command(id(Ctl::Execute));
        m_prompter.clear();
        return store;
    }
    std::string journals() const { return runjournals::folderOf(m_data->dataFolder()); }
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
    EXPECT_EQ(shownTexts()[1], "2個のﾌｧｲﾙを元に戻し、0個のﾌｧｲﾙを削除しました。");
}

// A run cut off before its end (its last records never written) is told at the next start:
// Yes undoes it, No settles it, Cancel leaves it for the next start.
struct CutOffCase {
    Answer answer;
    bool imagesBack;
    bool stillCutOff;
};

class WorkbenchCutOffTest : public WorkbenchExecuteTest,
                            public ::testing::WithParamInterface<CutOffCase> {};

TEST_P(WorkbenchCutOffTest, IsToldAtStartAndUndoneSettledOrLeft) {
    const CutOffCase& c = GetParam();
    runTwo();
    const std::string journal = runjournals::list(journals()).back();
    std::string text = *files::readAll(journal);
    text.resize(text.find("row-done\t2"));
    ASSERT_TRUE(files::writeAtomically(journal, text));
    m_prompter.queueAnswer(c.answer);
    m_wb->actOnStartupRequest();
    ASSERT_FALSE(shownTexts().empty());
    EXPECT_NE(shownTexts()[0].find("完了した行: 1  完了しなかった行: 1"), std::string::npos);
    EXPECT_EQ(files::listFolder(m_scans).size(), c.imagesBack ? 2u : 0u);
    EXPECT_EQ(runjournals::unfinished(journals()).has_value(), c.stillCutOff);
    EXPECT_EQ(enabled(Cmd::UndoLastRun), !c.imagesBack);
}

INSTANTIATE_TEST_SUITE_P(Answers, WorkbenchCutOffTest,
                         ::testing::Values(CutOffCase{Answer::Yes, true, false},
                                           CutOffCase{Answer::No, false, false},
                                           CutOffCase{Answer::Cancel, false, true}));

} // namespace
