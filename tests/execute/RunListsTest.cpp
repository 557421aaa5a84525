#include "execute/RunLists.h"

#include "TemplateColumns.h"
#include "base/CellGrid.h"
#include "renamelist/RenameList.h"
#include "template/Template.h"

#include <gtest/gtest.h>

namespace {

TEST(RunLists, DoneRowsLeaveTheListWhichIsRenumberedAndStaysFull) {
    CellGrid grid;
    RenameList list(grid);
    Template t;
    t.columns = {col(1, true), col(1, false)};
    list.applyTemplate(t);
    for (int row = 1; row <= 5; ++row) {
        list.setValid(row, 0, "name" + std::to_string(row));
        list.setValid(row, 1, "note" + std::to_string(row));
    }
    list.setValid(1000, 0, "last");
    EXPECT_EQ(runlists::rowCells(list, 2), (std::vector<std::string>{"name2", "note2"}));

    runlists::removeRows(list, {"4", "2", "2", "0", "1001"});
    std::vector<std::string> left;
    for (int row = 1; row <= 4; ++row) {
        left.push_back(list.cellText(row, 0));
        EXPECT_EQ(list.rowKey(row), row);
    }
    EXPECT_EQ(left, (std::vector<std::string>{"name1", "name3", "name5", ""}));
    EXPECT_EQ(list.cellText(998, 0), "last");
    EXPECT_EQ(list.cellText(1000, 0), "");
    EXPECT_EQ(grid.rows(), RenameList::kDataRows + 1);
    EXPECT_EQ(list.rowKey(1000), 1000);
}

} // namespace
