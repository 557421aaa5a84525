#include "RenameListRig.h"
#include "base/CellGridListener.h"

#include <gtest/gtest.h>

namespace {

Template twoColumns() {
    return testTemplate({testColumn("name", 1, 1), testColumn("size", 2, 2)});
}

// Row r holds "r<r>" in the first column for the given rows.
void fill(RenameListRig& rig, std::initializer_list<int> rows) {
    for (int row : rows) {
        rig.grid.setText(row, RenameList::gridCol(0), "r" + std::to_string(row));
    }
}

} // namespace

TEST(RenameListRows, InsertAndDeleteKeepAssignmentsOnTheirRows) {
    RenameListRig rig(twoColumns());
    fill(rig, {3, 5, 7, 1000});
    rig.assign(3);
    rig.assign(7);
    rig.list.selectRow(5);
    ASSERT_TRUE(rig.controller.rows().insertRow());
    EXPECT_EQ(rig.assignedRows(), (std::vector<int>{3, 8}));
    EXPECT_EQ(rig.cell(5, 0), "");
    EXPECT_EQ(rig.cell(6, 0), "r5");
    EXPECT_EQ(rig.cell(8, 0), "r7");
    EXPECT_EQ(rig.list.lastDataRow(), 8); // the former row 1000 is gone
    EXPECT_TRUE(rig.numbered());
    EXPECT_EQ(rig.list.currentListRow(), 5);

    ASSERT_TRUE(rig.controller.rows().deleteRow());
    EXPECT_EQ(rig.assignedRows(), (std::vector<int>{3, 7}));
    EXPECT_EQ(rig.cell(5, 0), "r5");
    EXPECT_EQ(rig.cell(7, 0), "r7");
    EXPECT_TRUE(rig.numbered());
    EXPECT_TRUE(rig.messages().empty());
}

TEST(RenameListRows, InsertingOverAnAssignedLastRowAsksFirst) {
    const std::string question =
        "挿入により最終行が削除されます。\n割り当て解除した後、挿入しますか？";
    for (const Answer answer : {Answer::No, Answer::Yes}) {
        RenameListRig rig(twoColumns());
        fill(rig, {1, 1000});
        rig.assign(1000);
        rig.assign(2);
        rig.list.selectRow(1);
        rig.prompter.queueAnswer(answer);
        EXPECT_EQ(rig.controller.rows().insertRow(), answer == Answer::Yes);
        EXPECT_EQ(rig.messages(), std::vector<std::string>{question});
        if (answer == Answer::No) {
            EXPECT_EQ(rig.assignedRows(), (std::vector<int>{1000, 2}));
            EXPECT_EQ(rig.cell(1, 0), "r1");
            EXPECT_EQ(rig.cell(1000, 0), "r1000");
        } else {
            EXPECT_EQ(rig.assignedRows(), (std::vector<int>{3}));
            EXPECT_EQ(rig.cell(2, 0), "r1");
            EXPECT_EQ(rig.list.lastDataRow(), 2);
        }
        EXPECT_TRUE(rig.numbered());
    }
}

TEST(RenameListRows, DeletingAnAssignedRowAsksFirst) {
    const std::string question = "削除する情報は割り当て済みです。解除した後、削除しますか？";
    for (const Answer answer : {Answer::No, Answer::Yes}) {
        RenameListRig rig(twoColumns());
        fill(rig, {4, 5, 6});
        rig.assign(5);
        rig.assign(6);
        rig.list.selectRow(5);
        rig.prompter.queueAnswer(answer);
        EXPECT_EQ(rig.controller.rows().deleteRow(), answer == Answer::Yes);
        EXPECT_EQ(rig.messages(), std::vector<std::string>{question});
        const std::vector<int> expected =
            answer == Answer::Yes ? std::vector<int>{5} : std::vector<int>{5, 6};
        EXPECT_EQ(rig.assignedRows(), expected);
        EXPECT_EQ(rig.cell(5, 0), answer == Answer::Yes ? "r6" : "r5");
        EXPECT_EQ(rig.grid.rows(), 1001);
    }
}

TEST(RenameListRows, HeaderClickSortsTogglesAndSinksEmptyRows) {
    RenameListRig rig(twoColumns());
    const int sizeCol = RenameList::gridCol(1);
    // An all-empty column does nothing.
    fill(rig, {1, 2, 3, 10});
    EXPECT_FALSE(rig.controller.rows().sortByHeader(sizeCol));
    EXPECT_EQ(rig.list.column(1).sort1, 0);

    for (const auto& [row, size] :
         std::vector<std::pair<int, const char*>>{{1, "30"}, {2, "4"}, {3, "100"}, {10, "7"}}) {
        rig.grid.setText(row, sizeCol, size);
    }
    ASSERT_TRUE(rig.controller.rows().sortByHeader(sizeCol));
    const std::vector<std::string> ascending{"4", "7", "30", "100"};
    for (int row = 1; row <= 4; ++row) {
        EXPECT_EQ(rig.cell(row, 1), ascending[static_cast<std::size_t>(row - 1)]) << row;
    }
    EXPECT_EQ(rig.list.lastDataRow(), 4);
    EXPECT_EQ(rig.cell(2, 0), "r10"); // whole rows move
    EXPECT_EQ(rig.list.column(1).sort1, 1);
    EXPECT_TRUE(rig.numbered());
    EXPECT_EQ(rig.list.currentListRow(), 1);

    ASSERT_TRUE(rig.controller.rows().sortByHeader(sizeCol));
    EXPECT_EQ(rig.cell(1, 1), "100");
    EXPECT_EQ(rig.cell(4, 1), "4");
    EXPECT_EQ(rig.list.column(1).sort1, 2);
}

TEST(RenameListRows, HeaderPressSortsAndAssignmentsRefuseIt) {
    RenameListRig rig(twoColumns());
    fill(rig, {1, 2});
    rig.grid.setText(1, RenameList::gridCol(0), "zz");
    rig.assign(2);
    const int x = (rig.grid.colWidth(0) + rig.grid.colWidth(1) + rig.grid.colWidth(3) / 2);
    rig.input.mouseDown(gridbutton::Left, 0, x, rig.grid.fixedRowHeight() / 2);
    EXPECT_EQ(rig.messages(), std::vector<std::string>{"割り当て済みのため、ｿｰﾄはできません。"});
    EXPECT_EQ(rig.cell(1, 0), "zz");

    rig.assignments.releaseAll();
    rig.input.mouseDown(gridbutton::Left, 0, x, rig.grid.fixedRowHeight() / 2);
    EXPECT_EQ(rig.cell(1, 0), "r2");
    EXPECT_EQ(rig.cell(2, 0), "zz");
}

TEST(RenameListRows, GridsOwnSortIsRenumbered) {
    RenameListRig rig(twoColumns());
    fill(rig, {1, 2, 3});
    rig.input.sortByHeader(RenameList::gridCol(0)); // ascending: the empty rows come first
    EXPECT_EQ(rig.cell(998, 0), "r1");
    EXPECT_EQ(rig.cell(1000, 0), "r3");
    EXPECT_TRUE(rig.numbered());
}

TEST(RenameListRows, TemplateLayoutHeaderPicturesAndMasks) {
    ColumnDef fileName = testColumn("a", 1, 1);
    fileName.fileName = true;
    fileName.sort1 = 1;
    ColumnDef both = testColumn("b", 2, 2);
    both.sort1 = 1;
    both.sort2 = 2;
    both.digits = 4;
    ColumnDef secondary = testColumn("c", 3, 3);
    secondary.sort2 = 1;
    secondary.hidden = true;
    RenameListRig rig(testTemplate({fileName, both, secondary}));
    EXPECT_EQ(rig.grid.cols(), 6);
    EXPECT_TRUE(rig.grid.colHidden(RenameList::kColRowKey));
    EXPECT_TRUE(rig.grid.colHidden(5));
    EXPECT_EQ(rig.grid.cellPicture(0, 3), RenameList::FileNamePrimaryPicture);
    EXPECT_EQ(rig.grid.cellPicture(0, 4), RenameList::NoPicture);
    EXPECT_EQ(rig.grid.cellPicture(0, 5), RenameList::SecondarySortPicture);
    EXPECT_EQ(rig.grid.colEditMask(4), "#####");
    EXPECT_EQ(rig.grid.colEditMask(5), "&&&&&&&&&&&99");
    EXPECT_EQ(rig.list.primarySort().column, 1); // the last column with a first sort
    EXPECT_EQ(rig.list.secondarySort().column, 2);
    EXPECT_EQ(rig.grid.text(0, 1), sj("割り当て"));
    EXPECT_TRUE(rig.numbered());
}

namespace {

// Remembers the last cell the list asked its view to scroll to.
struct ShownCell : CellGridListener {
    void gridCellsChanged(int, int, int, int) override {}
    void gridStructureChanged() override {}
    void gridColumnsChanged() override {}
    void gridCursorChanged() override {}
    void gridRedrawChanged(bool) override {}
    void gridShowCell(int r, int c) override {
        row = r;
        col = c;
    }
    void gridEditOpened(int, int) override {}
    void gridEditClosed() override {}

    int row = 0;
    int col = 0;
};

} // namespace

TEST(RenameListRows, AfterARunTheListShowsItsFirstRowWithText) {
    const struct {
        std::initializer_list<int> filled;
        int shown;
    } cases[] = {{{1, 2}, 1}, {{35, 40}, 35}, {{1000}, 1000}, {{}, 1}};
    for (const auto& c : cases) {
        RenameListRig rig(twoColumns());
        fill(rig, c.filled);
        rig.grid.setCurrentCell(600, RenameList::gridCol(1));
        ShownCell shown;
        rig.grid.setListener(&shown);
        rig.list.showFirstDataRow();
        rig.grid.setListener(nullptr);
        EXPECT_EQ(shown.row, c.shown);
        EXPECT_EQ(shown.col, RenameList::gridCol(1));
    }
}
