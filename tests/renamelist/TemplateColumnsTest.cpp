// Column definitions as a template file holds them, read by the template reader and applied by
// the load and by the edit of a cell.
#include "RenameListRig.h"
#include "support/ProfileFixtures.h"
#include "template/TemplateFolder.h"

#include <gtest/gtest.h>

namespace {

const std::string kRestrictionFailed = "ﾃｷｽﾄ制限値の取得に失敗しました。";
const std::string kInvalid = "ﾘﾈｰﾑﾘｽﾄ内に列定義に準拠しないﾃﾞｰﾀがありました。";

// One column of the given type read from field 1, with the extra key lines given.
Template readOneColumn(int type, std::initializer_list<std::string_view> extraLines) {
    TempDir dir;
    std::string content =
        crlfLines({"[ROWINFO]", "NAME=value\t", "TYPE=" + std::to_string(type) + ",", "LOAD=1,",
                   "FILENAME=0,", "SORT1=0,", "SORT2=0,", "REPLACE=0"});
    content += crlfLines(extraLines);
    const auto t = TemplateFolder::readTemplateFile(dir.write("t.tpl", content), dir.path());
    EXPECT_TRUE(t);
    return t.value_or(Template{});
}

} // namespace

TEST(TemplateColumns, TextRestrictionGroupsAsStored) {
    const struct {
        const char* line; // the TEXTRESTTICTION line; empty: the key is absent
        bool malformed;
        bool slashAllowed;
    } cases[] = {
        {"TEXTRESTTICTION=0.0.0.0.0.,", false, true},
        {"TEXTRESTTICTION=0.0.0.1.0.,", false, false},
        {"TEXTRESTTICTION=0.0.0.1.0,", false, false},
        {"", false, true},
        {"TEXTRESTTICTION=", false, true}, // no element for the column: no restriction
        {"TEXTRESTTICTION=1.1.,", true, false},
        {"TEXTRESTTICTION=0.0.0.0.,", true, false},
        {"TEXTRESTTICTION=0.0.0.0.0.0.,", true, false},
        {"TEXTRESTTICTION=abc,", true, false},
        {"TEXTRESTTICTION=,", true, false},
    };
    for (const auto& c : cases) {
        RenameListRig rig(readOneColumn(1, {c.line}));
        rig.load("a/b\r\nplain\r\n");
        EXPECT_EQ(rig.list.isInvalid(1, 0), !c.slashAllowed) << c.line;
        EXPECT_EQ(rig.list.isInvalid(2, 0), c.malformed) << c.line;
        std::vector<std::string> expected;
        if (c.malformed) {
            expected = {kRestrictionFailed, kRestrictionFailed};
        }
        if (!c.slashAllowed) {
            expected.push_back(kInvalid);
        }
        EXPECT_EQ(rig.messages(), expected) << c.line;

        // An edit is tested against the same group: refused with the message when malformed.
        rig.prompter.clear();
        rig.edit(3, 0, "typed");
        EXPECT_EQ(rig.cell(3, 0), c.malformed ? "" : "typed") << c.line;
        EXPECT_EQ(rig.messages(), c.malformed ? std::vector<std::string>{kRestrictionFailed}
                                              : std::vector<std::string>{})
            << c.line;
    }
}

TEST(TemplateColumns, DigitsAndDecimalsAreTakenAsTheyStand) {
    const std::string long120(120, 'x');
    const struct {
        int type;
        const char* beams1;
        const char* beams2;
        std::string value;
        std::optional<std::string> loaded; // nothing: invalid
        std::optional<std::string> edited; // nothing: refused
    } cases[] = {
        {2, "12,", "0,", "123456789012", "123456789012", "123456789012"},
        {2, "12,", "0,", "-1234567890123", "-123456789012", std::nullopt},
        {2, "0,", "0,", "1234567890", "123456789", "123456789"},
        {3, "11,", "4,", "12345678901.23456", "12345678901.2345", "12345678901.2345"},
        {3, "3,", "0,", "1.23456", "1.23", "1.23"},
        {1, "150,", "0,", long120, long120, long120},
        {1, "150,", "0,", std::string(151, 'y'), std::nullopt, std::string(150, 'y')},
        {1, "0,", "0,", long120, std::nullopt, std::string(100, 'x')},
    };
    for (const auto& c : cases) {
        const Template t = readOneColumn(
            c.type, {std::string("BEAMS1=") + c.beams1, std::string("BEAMS2=") + c.beams2});
        RenameListRig rig(t);
        rig.load(c.value + "\r\n");
        EXPECT_EQ(rig.list.isInvalid(1, 0), !c.loaded) << c.value;
        EXPECT_EQ(rig.cell(1, 0), c.loaded.value_or("")) << c.value;
        rig.edit(2, 0, c.value);
        EXPECT_EQ(rig.cell(2, 0), c.edited.value_or("")) << c.value;
    }
    // The number editors are patterned on the digits as they stand.
    RenameListRig wide(readOneColumn(3, {"BEAMS1=12,", "BEAMS2=3,"}));
    EXPECT_EQ(wide.grid.colEditMask(RenameList::gridCol(0)), std::string(14, '&') + "999");
}
