#include "execute/RenameNames.h"
#include "execute/TargetPath.h"

#include "TemplateColumns.h"
#include "app/Settings.h"
#include "support/TempDir.h"
#include "template/Template.h"

#include <gtest/gtest.h>

namespace {

struct NameCase {
    const char* label;
    std::vector<ColumnDef> columns;
    std::vector<const char*> cells; // UTF-8
    const char* connector;
    bool replace;
    const char* replaceChar;
    int exportType;
    const char* forFile; // UTF-8
    const char* forCheck;
};

const ColumnDef kText = col(1, true);
const ColumnDef kOther = col(1, false);

TEST(RenameName, ComposesFileAndCheckNames) {
    const std::vector<NameCase> cases = {
        {"text and zero-padded integer",
         {kText, col(2, true, 5, 3)},
         {"ab", "42"},
         "-",
         false,
         "",
         0,
         "ab-00042",
         "ab-00042"},
        {"forbidden characters made full-width",
         {kText},
         {"x:y?"},
         "",
         false,
         "",
         0,
         "x：y？",
         "x：y？"},
        {"all nine characters",
         {kText},
         {"\\/:*?\"<>|"},
         "",
         false,
         "",
         0,
         "￥／：＊？”＜＞｜",
         "￥／：＊？”＜＞｜"},
        {"a trail byte is no backslash", {kText}, {"ソ表"}, "", false, "", 0, "ソ表", "ソ表"},
        {"blank replaced", {kText}, {"A B"}, "", true, "_", 0, "A_B", "A_B"},
        {"empty replacement removes blanks for files only",
         {kText},
         {"A B"},
         "",
         true,
         "",
         0,
         "AB",
         "A B"},
        {"date long form",
         {col(4, true, 0, 0)},
         {"2008/07/15"},
         "",
         false,
         "",
         0,
         "20080715",
         "20080715"},
        {"date short form",
         {col(4, true, 0, 1)},
         {"2008/07/15"},
         "",
         false,
         "",
         0,
         "080715",
         "080715"},
        {"text padded after, double-byte counts one",
         {col(1, true, 5, 1)},
         {"あい"},
         "",
         false,
         "",
         0,
         "あい   ",
         "あい   "},
        {"text padded before",
         {col(1, true, 5, 2)},
         {"あい"},
         "",
         false,
         "",
         0,
         "   あい",
         "   あい"},
        {"integer trimmed, blanks after",
         {col(2, true, 4, 1)},
         {" 7 "},
         "",
         false,
         "",
         0,
         "7   ",
         "7   "},
        {"integer blanks before", {col(2, true, 4, 2)}, {"7"}, "", false, "", 0, "   7", "   7"},
        {"padding never cuts",
         {col(2, true, 3, 3)},
         {"123456"},
         "",
         false,
         "",
         0,
         "123456",
         "123456"},
        {"integer of blanks is empty",
         {kText, col(2, true, 4, 3)},
         {"a", "  "},
         "-",
         false,
         "",
         0,
         "a-",
         "a-"},
        {"real blanks before to digits+decimals+point",
         {col(3, true, 3, 2, 2)},
         {"3.5"},
         "",
         false,
         "",
         0,
         "   3.5",
         "   3.5"},
        {"real zeros to integer digits",
         {col(3, true, 3, 3, 2)},
         {"3.5"},
         "",
         false,
         "",
         0,
         "003.5",
         "003.5"},
        {"paper size as shown", {col(5, true)}, {"A4 縦"}, "", false, "", 0, "A4 縦", "A4 縦"},
        {"unknown type gives nothing",
         {col(9, true), kText},
         {"zz", "b"},
         "-",
         false,
         "",
         0,
         "-b",
         "-b"},
        {"trailing connector removed for files only",
         {kText, kText, kOther},
         {"a", "b", "c"},
         "-",
         false,
         "",
         0,
         "a-b",
         "a-b-"},
        {"connector before the last column only in checks",
         {kOther, kText, kText},
         {"z", "a", "b"},
         "-",
         false,
         "",
         0,
         "a-b",
         "a-b"},
        {"one column takes no connector", {kText}, {"a"}, "-", false, "", 0, "a", "a"},
        {"connector compared without case",
         {kText, kText},
         {"a", "bX"},
         "x",
         false,
         "",
         0,
         "axbX",
         "axbX"},
        {"non-file-name columns left out",
         {kOther, kText},
         {"skip", "keep"},
         "",
         false,
         "",
         0,
         "keep",
         "keep"},
        {"agent type drops leading blanks", {kText}, {" 　abc"}, "", false, "", 2, "abc", "abc"},
        {"other types keep leading blanks",
         {kText},
         {" 　abc"},
         "",
         false,
         "",
         3,
         " 　abc",
         " 　abc"},
    };
    for (const NameCase& c : cases) {
        Template t;
        t.columns = c.columns;
        t.connector = c.connector;
        t.replaceSpaces = c.replace;
        t.replacementChar = c.replaceChar;
        Settings settings;
        settings.exportType = c.exportType;
        std::vector<std::string> cells;
        for (const char* cell : c.cells) {
            cells.push_back(sj(cell));
        }
        EXPECT_EQ(u8(RenameNameForFile(t, cells, settings)), c.forFile) << c.label;
        EXPECT_EQ(u8(RenameNameForCheck(t, cells, settings)), c.forCheck) << c.label;
    }
}

TEST(TargetPath, CutsAt243BytesAndKeepsOrReplacesTheExtension) {
    const std::string a240(240, 'a');
    struct Case {
        const char* label;
        std::string name;
        std::vector<std::string> images;
        std::string expected;
    };
    const std::vector<Case> cases = {
        {"own extension in its letter case", "ab", {"x.JPG"}, "/s/ab.JPG"},
        {"last dot counts", "ab", {"x.y.Tiff"}, "/s/ab.Tiff"},
        {"several images become .tif", "ab", {"a.jpg", "b.TIFF"}, "/s/ab.tif"},
        {"cut after the byte that passes 243",
         std::string(300, 'a'),
         {"x.tif"},
         "/s/" + std::string(241, 'a') + ".tif"},
        {"a double-byte character at 243 is kept whole",
         a240 + sj("あ"),
         {"x.tif"},
         "/s/" + a240 + sj("あ") + ".tif"},
        {"a double-byte character across 243 is kept whole",
         std::string(239, 'a') + sj("あい"),
         {"x.tif"},
         "/s/" + std::string(239, 'a') + sj("あ") + ".tif"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(targetpath::forRow("/s", c.name, c.images), c.expected) << c.label;
    }
}

} // namespace
