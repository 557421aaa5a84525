#include "workbench/ExecuteCommand.h"
#include "app/ProgramLauncher.h"

#include "app/Settings.h"
#include "base/CellGrid.h"
#include "base/FileSystem.h"
#include "base/RecordingMainView.h"
#include "base/ScriptedPrompter.h"
#include "execute/PosixFileChanges.h"
#include "execute/ScriptedExecuteDialogs.h"
#include "image/ImageEntry.h"
#include "renamelist/RenameList.h"
#include "support/TempDir.h"
#include "workbench/Ctl.h"
#include "workbench/WorkbenchState.h"

#include <gtest/gtest.h>

namespace {

// The main window's pieces that "実行" works on: three named rows, rows 1 and 3 assigned.
struct ExecuteRig {
    ExecuteRig() : renameList(renameGrid) {
        ColumnDef name;
        name.fileName = true;
        state.currentTemplate.columns = {name};
        state.currentTemplate.storageFolder = dir.mkdir("store");
        settings.scanPath = dir.mkdir("images");
        settings.enterKeyAssign = 1;
        renameList.applyTemplate(state.currentTemplate);
        ImageEntry::prepareGrid(imageGrid);
        for (int row = 1; row <= 3; ++row) {
            renameList.setValid(row, 0, "row" + std::to_string(row));
        }
        for (const char* image : {"a.tif", "c.tif"}) {
            dir.write(std::string("images/") + image, image);
            ImageEntry entry;
            entry.fileName = image;
            entry.pageCount = 1;
            entry.write(imageGrid, imageGrid.addRow());
        }
    }
    ExecuteCommand command() {
        return ExecuteCommand({state, settings, renameList, imageGrid, view, prompter, dialogs,
                               changes, launcher, [this] { return records; },
                               [this] { ++releases; }, [this] { ++relists; }, dir.file("journal")});
    }
    TempDir dir;
    WorkbenchState state;
    Settings settings;
    CellGrid renameGrid;
    RenameList renameList;
    CellGrid imageGrid;
    RecordingMainView view;
    ScriptedPrompter prompter;
    ScriptedExecuteDialogs dialogs;
    PosixFileChanges changes;
    ProgramLauncher launcher;
    std::vector<RenamePlan::Record> records{{"1", "a.tif"}, {"3", "c.tif"}};
    int releases = 0;
    int relists = 0;
};

TEST(ExecuteCommand, AfterTheRunTheDoneRowsLeaveAndTheListsAreRebuilt) {
    ExecuteRig rig;
    const auto outcome = rig.command().execute();
    ASSERT_TRUE(outcome);
    EXPECT_EQ(files::listFolder(rig.state.currentTemplate.storageFolder),
              (std::vector<std::string>{"row1.tif", "row3.tif"}));
    EXPECT_EQ(rig.renameList.cellText(1, 0), "row2");
    EXPECT_EQ(rig.renameList.cellText(2, 0), "");
    EXPECT_EQ(rig.renameList.rowKey(2), 2);
    EXPECT_EQ(rig.releases, 1);
    EXPECT_EQ(rig.relists, 1);
    ASSERT_EQ(rig.prompter.shown().size(), 1u);
    EXPECT_EQ(u8(rig.prompter.shown()[0].text), "2/2件をﾘﾈｰﾑしました。");
    EXPECT_EQ(rig.prompter.shown()[0].icon, Icon::Information);
}

TEST(ExecuteCommand, AStoppedCheckChangesNothingAndFocusesTheRenameList) {
    ExecuteRig rig;
    rig.renameList.setValid(3, 0, "ROW1");
    EXPECT_FALSE(rig.command().execute());
    EXPECT_TRUE(files::listFolder(rig.state.currentTemplate.storageFolder).empty());
    EXPECT_EQ(rig.renameList.cellText(1, 0), "row1");
    EXPECT_EQ(rig.releases + rig.relists, 0);
    EXPECT_EQ(rig.view.focus(), static_cast<int>(Ctl::RenameGrid));
    ASSERT_EQ(rig.prompter.shown().size(), 1u);
    EXPECT_EQ(u8(rig.prompter.shown()[0].text), "ﾘﾈｰﾑ名称が重複しているため、実行できません。");
}

} // namespace
