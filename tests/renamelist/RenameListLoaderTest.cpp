#include "RenameListRig.h"
#include "support/NonRegularFiles.h"
#include "support/RenameListFixtures.h"

#include <gtest/gtest.h>

namespace {

const std::string kTooMany = "読込みﾃﾞｰﾀ行が1000行を超過しました。";
const std::string kInvalid = "ﾘﾈｰﾑﾘｽﾄ内に列定義に準拠しないﾃﾞｰﾀがありました。";

// Drawing number (text, field 2), count (integer of 3 digits, field 1), date (field 3).
Template drawingTemplate() {
    ColumnDef count = testColumn("count", 2, 1);
    count.digits = 3;
    return testTemplate({testColumn(sj("図面番号"), 1, 2), count, testColumn("date", 4, 3)});
}

std::string numberedLine(int i) {
    return std::to_string(i) + ",D" + std::to_string(i);
}

} // namespace

TEST(RenameListLoader, MapsFieldsChecksValuesAndMarksInvalidCells) {
    RenameListRig rig(drawingTemplate());
    rig.assign(2);
    ASSERT_TRUE(rig.loader.LoadRenameList(
        rig.dir.write("a.csv", renameListCsv({"12345,図-1,2008/1/5", "12a,図-2,", "7"})), false));
    EXPECT_EQ(rig.cell(1, 0), sj("図-1"));
    EXPECT_EQ(rig.cell(1, 1), "123");
    EXPECT_EQ(rig.cell(1, 2), "2008/01/05");
    // 12a breaks the integer column: empty and red, and the row's assignment is released.
    EXPECT_EQ(rig.cell(2, 1), "");
    EXPECT_TRUE(rig.list.isInvalid(2, 1));
    EXPECT_FALSE(rig.list.isInvalid(2, 0));
    EXPECT_TRUE(rig.assignments.empty());
    EXPECT_EQ(rig.cell(2, 2), "2026/12/08"); // empty date: the initial date
    // A line with fewer fields leaves the cells empty, not red, and no date is filled in.
    EXPECT_EQ(rig.cell(3, 1), "7");
    EXPECT_EQ(rig.cell(3, 0), "");
    EXPECT_EQ(rig.cell(3, 2), "");
    EXPECT_FALSE(rig.list.isInvalid(3, 2));
    EXPECT_EQ(rig.list.loadedRowCount(), 3);
    EXPECT_EQ(rig.messages(), std::vector<std::string>{kInvalid});
    EXPECT_EQ(rig.view.statusTexts(),
              (std::vector<std::string>{sj("只今、ﾘﾈｰﾑﾘｽﾄを読込んでいます。"), " "}));
    EXPECT_EQ(rig.view.progressMaximum(), 1000);
    EXPECT_EQ(rig.view.progressPositions(), (std::vector<int>{333, 666, 999, 1000, 0}));
    EXPECT_TRUE(rig.grid.redraw());
}

TEST(RenameListLoader, RowLimitAndEmptyFiles) {
    const struct {
        int lines;
        int loaded;
        bool limitMessage;
    } cases[] = {
        {0, 1, false}, {1, 1, false}, {1000, 1000, false}, {1001, 1000, true}, {5000, 1000, true}};
    for (const auto& c : cases) {
        RenameListRig rig(drawingTemplate());
        rig.load(renameListCsvOf(c.lines, numberedLine));
        EXPECT_EQ(rig.list.loadedRowCount(), c.loaded) << c.lines;
        EXPECT_EQ(rig.list.lastDataRow(), c.lines == 0 ? 0 : c.loaded) << c.lines;
        EXPECT_EQ(rig.messages(),
                  c.limitMessage ? std::vector<std::string>{kTooMany} : std::vector<std::string>{})
            << c.lines;
        EXPECT_TRUE(rig.numbered());
    }
}

TEST(RenameListLoader, SortsStablyBySecondaryThenPrimary) {
    ColumnDef group = testColumn("group", 1, 1);
    group.sort1 = 1; // primary, ascending
    ColumnDef number = testColumn("number", 2, 2);
    number.sort2 = 2; // secondary, descending
    RenameListRig rig(testTemplate({group, number, testColumn("tag", 1, 3)}));
    rig.load(renameListCsv({"b,1,first", "a,5,second", "b,3,third", "a,5,fourth", "a,10,fifth"}));
    const std::vector<std::string> expected{"fifth", "second", "fourth", "third", "first"};
    for (int row = 1; row <= 5; ++row) {
        EXPECT_EQ(rig.cell(row, 2), expected[static_cast<std::size_t>(row - 1)]) << row;
    }
    EXPECT_TRUE(rig.numbered());
    EXPECT_EQ(rig.grid.row(), 1);
    EXPECT_EQ(rig.grid.col(), RenameList::kColRowKey);
    EXPECT_EQ(rig.list.currentListRow(), 1);
}

TEST(RenameListLoader, WorkDataModeTakesFieldsInOrderAndDoesNotSort) {
    ColumnDef first = testColumn("first", 1, 3);
    first.sort1 = 1;
    RenameListRig rig(testTemplate({first, testColumn("second", 1, 0)}));
    ASSERT_TRUE(rig.loader.LoadRenameList(rig.dir.write("w.csv", "z,1,x\r\na,2,y\r\n"), true));
    rig.loader.finish(true);
    EXPECT_EQ(rig.cell(1, 0), "z");
    EXPECT_EQ(rig.cell(1, 1), "1");
    EXPECT_EQ(rig.cell(2, 0), "a");
}

TEST(RenameListLoader, LineEndsAndLongLines) {
    RenameListRig rig(testTemplate({testColumn("a", 1, 1), testColumn("b", 5, 2)}));
    // A lone LF ends a line; a lone CR stays in the data and ends a text value.
    rig.load("x,A4\r\ny,A3\nz\rtail,B4\r\n");
    EXPECT_EQ(rig.cell(1, 0), "x");
    EXPECT_EQ(rig.cell(2, 0), "y");
    EXPECT_EQ(rig.cell(3, 0), "z");
    EXPECT_EQ(rig.cell(3, 1), "B4");
    // A line of 200,000 bytes continues as further rows of at most 59,999 bytes each.
    RenameListRig longRig(testTemplate({testColumn("a", 5, 1)}));
    longRig.load(std::string(200000, 'q') + "\r\n");
    EXPECT_EQ(longRig.list.loadedRowCount(), 4);
    EXPECT_TRUE(longRig.list.isInvalid(1, 0)); // longer than a paper size may be
    EXPECT_EQ(longRig.messages(), std::vector<std::string>{kInvalid});
}

TEST(RenameListLoader, BadBytesLoadWithTheirMessagesAndNothingElseChanges) {
    const struct {
        const char* what;
        std::string bytes;
        int invalidRows;
    } cases[] = {
        {"not cp932", std::string("\x80\xFF,1\r\nok,2\r\n\x82\r\n"), 2},
        {"NUL bytes", std::string("a\0b,1\r\n\0\0\0\r\n", 12), 2},
        {"commas and quotes only", std::string(",\"\",\",,\"\"\r\n\"\"\"\r\n,,,,\r\n"), 0},
    };
    for (const auto& c : cases) {
        RenameListRig rig(testTemplate({testColumn("text", 1, 1), testColumn("n", 2, 2)}));
        rig.load(c.bytes);
        int invalidRows = 0;
        for (int row = 1; row <= 1000; ++row) {
            invalidRows += rig.list.isInvalid(row, 0) ? 1 : 0;
        }
        EXPECT_EQ(invalidRows, c.invalidRows) << c.what;
        EXPECT_EQ(rig.messages(),
                  c.invalidRows ? std::vector<std::string>{kInvalid} : std::vector<std::string>{})
            << c.what;
        EXPECT_TRUE(rig.numbered()) << c.what;
        EXPECT_EQ(rig.grid.cols(), 5) << c.what;
        EXPECT_EQ(rig.grid.text(0, 3), "text") << c.what;
    }
}

TEST(RenameListImport, ChoosesCompletesAndRefusesMissingFiles) {
    RenameListRig rig(drawingTemplate());
    rig.dir.write("list.csv", renameListCsv({"1,A"}));
    rig.prompter.queuePath(rig.dir.file("list"));
    const auto chosen = rig.import.choose("/last", std::nullopt);
    EXPECT_EQ(chosen.outcome, RenameListImport::Choice::Chosen);
    EXPECT_EQ(chosen.path, rig.dir.file("list.csv"));
    ASSERT_EQ(rig.prompter.fileRequests().size(), 1u);
    EXPECT_EQ(rig.prompter.fileRequests()[0].title, sj("ﾘﾈｰﾑﾘｽﾄﾌｧｲﾙを開く"));
    EXPECT_EQ(rig.prompter.fileRequests()[0].filter, sj("ﾘﾈｰﾑﾘｽﾄﾌｧｲﾙ (*.csv)"));
    EXPECT_EQ(rig.prompter.fileRequests()[0].folder, "/last");
    // An upper-case extension counts; a path of no file is refused with the message.
    EXPECT_EQ(RenameListImport::completeExtension("/x/LIST.CSV"), "/x/LIST.CSV");
    const auto missing = rig.import.choose({}, rig.dir.file("gone"));
    EXPECT_EQ(missing.outcome, RenameListImport::Choice::Missing);
    EXPECT_EQ(rig.messages(), std::vector<std::string>{"指定したﾘﾈｰﾑﾘｽﾄﾌｧｲﾙが存在しません。"});
    rig.prompter.queuePath(std::nullopt);
    EXPECT_EQ(rig.import.choose({}, std::nullopt).outcome, RenameListImport::Choice::Cancelled);
}

TEST(RenameListImport, ListsThatAreNoRegularFilesAreNamedAndNeverOpened) {
    RenameListRig rig(drawingTemplate());
    for (const NonRegularFile& odd : nonRegularFiles(rig.dir, "List.csv")) {
        SCOPED_TRACE(odd.label);
        rig.prompter.clear();
        // Typed in another case, as the load button allows.
        const std::string typed = odd.path.substr(0, odd.path.size() - 8) + "LIST";
        RenameListImport::Choice choice;
        bool opened = true;
        EXPECT_TRUE(finishesWithoutBlocking(rig.dir, [&] {
            choice = rig.import.choose({}, typed);
            opened = rig.loader.LoadRenameList(odd.path, false);
        }));
        EXPECT_EQ(choice.outcome, RenameListImport::Choice::Missing);
        EXPECT_FALSE(opened);
        const std::string name = odd.path.substr(odd.path.rfind('/') + 1);
        EXPECT_EQ(rig.messages(),
                  std::vector<std::string>{name + "は通常のﾌｧｲﾙではないため、開けません。"});
    }
}

TEST(RenameListImport, FindsTheFileWithoutRegardToCase) {
    const struct {
        const char* typed;
        const char* found; // nullptr: missing
    } cases[] = {
        {"Plan-List.CSV", "Plan-List.CSV"}, {"plan-list.csv", "Plan-List.CSV"},
        {"PLAN-LIST", "Plan-List.CSV"},     {"plan-list.csv.bak", nullptr},
        {"sub/PLAN-LIST.csv", nullptr}, // a folder is no list file
    };
    for (const auto& c : cases) {
        RenameListRig rig(drawingTemplate());
        rig.dir.write("Plan-List.CSV", renameListCsv({"1,A"}));
        rig.dir.mkdir("sub/plan-list.csv");
        const auto choice = rig.import.choose({}, rig.dir.file(c.typed));
        if (!c.found) {
            EXPECT_EQ(choice.outcome, RenameListImport::Choice::Missing) << c.typed;
            continue;
        }
        ASSERT_EQ(choice.outcome, RenameListImport::Choice::Chosen) << c.typed;
        EXPECT_EQ(choice.path, rig.dir.file(c.found)) << c.typed;
        EXPECT_EQ(rig.import.load(choice.path).fileName, c.found);
        EXPECT_EQ(rig.cell(1, 0), "A") << c.typed;
    }
}

TEST(RenameListImport, LoadReleasesAssignmentsAndNamesTheFile) {
    RenameListRig rig(drawingTemplate());
    rig.assign(1);
    const std::string name = "a-rather-long-rename-list-file-name-2026.csv";
    const auto imported = rig.load(renameListCsv({"1,A"}), name);
    EXPECT_TRUE(imported.opened);
    EXPECT_TRUE(rig.assignments.empty());
    EXPECT_EQ(imported.folder, rig.dir.path());
    EXPECT_EQ(imported.fileName, name);
    EXPECT_EQ(imported.displayName, "a-rather-long-ren...le-name-2026.csv");
}

TEST(RenameListLoader, FileThatCannotBeOpenedLeavesTheListCleared) {
    RenameListRig rig(drawingTemplate());
    rig.load(renameListCsv({"1,A", "2,B"}));
    const auto imported = rig.import.load(rig.dir.file("missing.csv"));
    EXPECT_FALSE(imported.opened);
    EXPECT_EQ(rig.list.lastDataRow(), 0);
    EXPECT_TRUE(rig.numbered());
    EXPECT_TRUE(rig.messages().empty());
}
