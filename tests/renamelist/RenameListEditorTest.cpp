#include "RenameListRig.h"

#include <gtest/gtest.h>

namespace {

// Text (digits 5), integer (digits 3), date, paper size.
Template editTemplate() {
    ColumnDef text = testColumn("text", 1, 1);
    text.digits = 5;
    text.fileName = true;
    ColumnDef integer = testColumn("int", 2, 2);
    integer.digits = 3;
    return testTemplate({text, integer, testColumn("date", 4, 3), testColumn("paper", 5, 4)});
}

} // namespace

TEST(RenameListEditor, AcceptedEditsAreNormalisedAndRejectedOnesRestored) {
    const struct {
        int k;
        std::string before;
        std::string typed;
        std::string stored;
    } cases[] = {
        {1, "7", "12345", "123"},
        {1, "7", "-12345", "7"},
        {1, "7", " 42 ", "42"},
        {2, "2001/01/01", "2008/2/30", "2001/01/01"},
        {2, "2001/01/01", "2008/2/9", "2008/02/09"},
        {2, "2001/01/01", "", ""},
        {0, "abc", "abcdefgh", "abcde"},
        {3, "A4", std::string(101, 'x'), "A4"},
    };
    for (const auto& c : cases) {
        RenameListRig rig(editTemplate());
        rig.grid.setText(1, RenameList::gridCol(c.k), c.before);
        rig.edit(1, c.k, c.typed);
        EXPECT_FALSE(rig.grid.isEditing());
        EXPECT_EQ(rig.cell(1, c.k), c.stored) << c.typed;
        EXPECT_EQ(rig.owner.modified, 1);
        EXPECT_EQ(rig.controller.editor().editRow(), -1);
    }
}

TEST(RenameListEditor, RedMarkStaysOnRejectionAndGoesOnAcceptance) {
    RenameListRig rig(editTemplate());
    rig.list.setInvalid(1, 1);
    rig.edit(1, 1, "12a");
    EXPECT_TRUE(rig.list.isInvalid(1, 1));
    EXPECT_EQ(rig.cell(1, 1), "");
    rig.edit(1, 1, "5", gridkey::Escape);
    EXPECT_TRUE(rig.list.isInvalid(1, 1));
    rig.edit(1, 1, "12");
    EXPECT_FALSE(rig.list.isInvalid(1, 1));
    EXPECT_EQ(rig.grid.cellBackColor(1, RenameList::gridCol(1)), gridcolor::White);
    EXPECT_EQ(rig.cell(1, 1), "12");
}

TEST(RenameListEditor, EditorLengthLimitFollowsTheColumnType) {
    RenameListRig rig(editTemplate());
    const struct {
        int k;
        int limit;
    } cases[] = {{0, 10}, {3, 100}, {2, 0}, {1, 0}};
    for (const auto& c : cases) {
        rig.grid.setCurrentCell(1, RenameList::gridCol(c.k));
        ASSERT_TRUE(rig.controller.editor().startEdit());
        EXPECT_EQ(rig.grid.editMaxLength(), c.limit) << c.k;
        EXPECT_EQ(rig.controller.editor().editRow(), 1);
        rig.grid.cancelEdit();
    }
    RenameListRig wide(testTemplate({testColumn("t", 1, 1)}));
    wide.grid.setCurrentCell(1, 3);
    ASSERT_TRUE(wide.controller.editor().startEdit());
    EXPECT_EQ(wide.grid.editMaxLength(), 200);
}

TEST(RenameListEditor, AssignedRowsCannotBeEdited) {
    RenameListRig rig(editTemplate());
    rig.assign(2);
    rig.grid.setCurrentCell(2, 3);
    rig.input.keyDown(gridkey::F2, 0);
    EXPECT_FALSE(rig.grid.isEditing());
    rig.input.doubleClick();
    EXPECT_FALSE(rig.grid.isEditing());
    EXPECT_TRUE(rig.controller.menuItemsEnabled());
}

TEST(RenameListEditor, EnterMovesToTheNextUnassignedRow) {
    const struct {
        int row;
        std::vector<int> assigned;
        int toRow;
        int toK;
    } cases[] = {
        {1, {}, 2, 0},       {1, {2, 3}, 4, 0},
        {999, {1000}, 1, 1}, // wraps to the top: one column to the right
        {1000, {}, 1, 1},    {4, {5, 6}, 7, 0},
    };
    for (const auto& c : cases) {
        RenameListRig rig(editTemplate());
        for (int row : c.assigned) {
            rig.assign(row);
        }
        rig.edit(c.row, 0, "x");
        EXPECT_EQ(rig.grid.row(), c.toRow) << c.row;
        EXPECT_EQ(rig.grid.col(), RenameList::gridCol(c.toK)) << c.row;
        EXPECT_FALSE(rig.grid.isEditing());
        EXPECT_EQ(rig.list.currentListRow(), c.toRow);
    }
}

TEST(RenameListEditor, MoveKeysContinueEditingOnUnassignedRows) {
    const struct {
        int row;
        int k;
        int key;
        int shift;
        std::vector<int> assigned;
        int toRow;
        int toK;
    } cases[] = {
        {5, 0, gridkey::Down, 0, {6, 7}, 8, 0},
        {5, 0, gridkey::Up, 0, {4}, 3, 0},
        {1, 0, gridkey::Up, 0, {}, 1, 0}, // nothing above row 1: the same cell
        {1000, 0, gridkey::Down, 0, {}, 1000, 0},
        {3, 0, gridkey::Up, 0, {1, 2}, 3, 0}, // no unassigned row above: back to the cell
        {5, 0, gridkey::Tab, 0, {}, 5, 1},
        {5, 3, gridkey::Tab, 0, {6}, 7, 0}, // wraps to the next row's first column
        {5, 0, gridkey::Tab, gridshift::Shift, {}, 4, 3},
        {1, 0, gridkey::PageDown, 0, {}, 11, 0},
    };
    for (const auto& c : cases) {
        RenameListRig rig(editTemplate());
        rig.grid.setPageRows(10);
        for (int row : c.assigned) {
            rig.assign(row);
        }
        rig.edit(c.row, c.k, "v", c.key, c.shift);
        EXPECT_TRUE(rig.grid.isEditing()) << c.row << " key " << c.key;
        EXPECT_EQ(rig.grid.editRow(), c.toRow) << c.row << " key " << c.key;
        EXPECT_EQ(rig.grid.editCol(), RenameList::gridCol(c.toK)) << c.row << " key " << c.key;
    }
}

TEST(RenameListEditor, EnterAssignsWhenAskedAndDuplicatesResumeEditing) {
    RenameListRig rig(editTemplate());
    rig.settings.enterKeyAssign = 1;
    rig.owner.enterResult = RenameListOwner::EnterAssign::Duplicate;
    rig.edit(3, 0, "dup");
    EXPECT_EQ(rig.owner.enterRows, std::vector<int>{3});
    EXPECT_TRUE(rig.grid.isEditing());
    EXPECT_EQ(rig.grid.editRow(), 3);
    rig.grid.cancelEdit();
    rig.settings.enterKeyAssign = 0;
    rig.edit(3, 0, "ok");
    EXPECT_EQ(rig.owner.enterRows.size(), 1u);
}

TEST(RenameListEditor, PressOnTheCurrentRowEditsAndRightButtonAsksForTheMenu) {
    RenameListRig rig(editTemplate());
    const int x = rig.grid.colWidth(0) + rig.grid.colWidth(1) + 10;
    const int y = rig.grid.fixedRowHeight() + rig.grid.rowHeight() / 2; // row 1
    rig.list.selectRow(2);
    rig.input.mouseDown(gridbutton::Left, 0, x, y);
    EXPECT_FALSE(rig.grid.isEditing()); // the press made row 1 current
    rig.input.mouseDown(gridbutton::Left, 0, x, y);
    EXPECT_TRUE(rig.grid.isEditing());
    rig.input.mouseDown(gridbutton::Right, 0, x, y);
    EXPECT_TRUE(rig.owner.menus.empty()); // not while editing; the press ends the edit
    EXPECT_FALSE(rig.grid.isEditing());
    rig.input.mouseDown(gridbutton::Right, 0, x, y);
    EXPECT_EQ(rig.owner.menus, std::vector<bool>{true});
}

TEST(RenameListEditor, DeleteOnAnIncompleteRowGreysAssign) {
    RenameListRig rig(editTemplate());
    rig.grid.setCurrentCell(1, 4);
    rig.input.keyDown(gridkey::F2, 0);
    rig.input.editorKeyDown(gridkey::Delete, 0);
    EXPECT_EQ(rig.owner.assignUnavailable, 1);
    rig.grid.setText(1, 3, "name");
    rig.input.editorKeyDown(gridkey::Delete, 0);
    EXPECT_EQ(rig.owner.assignUnavailable, 1);
}

TEST(RenameListEditor, ApplyingATemplateDropsAnOpenEdit) {
    RenameListRig rig(editTemplate());
    rig.grid.setCurrentCell(1, RenameList::gridCol(3));
    rig.input.keyDown(gridkey::F2, 0);
    rig.grid.setEditText("A3");
    rig.list.applyTemplate(testTemplate({testColumn("only", 1, 1)}));
    EXPECT_FALSE(rig.grid.isEditing());
    EXPECT_EQ(rig.controller.editor().editRow(), -1);
    EXPECT_EQ(rig.grid.cols(), 4);
    EXPECT_EQ(rig.cell(1, 0), "");
}
