#include "AssignmentRig.h"

#include "base/FileSystem.h"

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

} // namespace
