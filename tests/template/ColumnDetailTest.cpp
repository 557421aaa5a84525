#include "template/ColumnDetail.h"
#include "template/TemplateFolder.h"
#include "template/TemplateNameCheck.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace {

TEST(ColumnDetail, NumberFieldsAreReadAsTheOperatorTypedThem) {
    struct Case {
        const char* utf8;
        int min, max;
        std::optional<int> expected;
    } const cases[] = {
        {"０５", 1, 100, 5},
        {"007", 1, 100, 7},
        {"0", 1, 100, std::nullopt},
        {"10", 1, 9, std::nullopt},
        {" 9 ", 1, 9, 9},
        {"100", 1, 100, 100},
        {"101", 1, 100, std::nullopt},
        {"", 1, 9, std::nullopt},
        {"　", 1, 9, std::nullopt},
        {"5a", 1, 9, std::nullopt},
        {"1 0", 1, 100, std::nullopt},
        {"-3", 1, 9, std::nullopt},
        {"000000000002", 1, 2, 2},
        {"99999999999999999999", 1, 9, std::nullopt},
        {"０", 0, 2, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(columndetail::parseNumber(sj(c.utf8), c.min, c.max), c.expected) << c.utf8;
    }
}

TEST(ColumnDetail, OpeningReplacesUnsetValuesByType) {
    struct Case {
        int type;
        ColumnDetail stored, shown;
    } const cases[] = {
        {1, {0, 0, 3, {1, 2, 3, 0, 1}}, {100, 0, 0, {1, 2, 3, 0, 1}}},
        {1, {40, 0, 2, {}}, {40, 0, 2, {}}},
        {2, {0, 0, 3, {}}, {9, 0, 3, {}}},
        {2, {12, 0, -1, {}}, {9, 0, 0, {}}},
        {3, {4, 0, 0, {}}, {4, 2, 0, {}}},
        {3, {0, 1, 4, {}}, {9, 1, 0, {}}},
        {4, {0, 0, 1, {}}, {0, 0, 1, {}}},
        {4, {0, 0, 2, {}}, {0, 0, 0, {}}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(columndetail::opened(c.type, c.stored), c.shown) << c.type;
    }
}

TEST(ColumnDetail, LayoutOffersTheListsEachTypeUnderstands) {
    struct Case {
        int type;
        int digitsMax;
        bool decimals, restrictions, shortWindow;
        std::size_t alignments;
    } const cases[] = {
        {1, 100, false, true, false, 3},
        {2, 9, false, false, true, 4},
        {3, 9, true, false, true, 4},
        {4, 1, false, false, true, 2},
    };
    for (const Case& c : cases) {
        const ColumnDetailLayout l = columndetail::layoutFor(c.type);
        EXPECT_EQ(l.digitsMax, c.digitsMax) << c.type;
        EXPECT_EQ(l.decimalsEnabled, c.decimals) << c.type;
        EXPECT_EQ(l.restrictionsEnabled, c.restrictions) << c.type;
        EXPECT_EQ(l.shortWindow, c.shortWindow) << c.type;
        EXPECT_EQ(l.alignmentEntries.size(), c.alignments) << c.type;
    }
    EXPECT_EQ(columndetail::layoutFor(1).alignmentEntries[0], sj("切り詰め"));
}

TEST(ColumnDetail, OkRefusesTheFirstBadFieldOrTakesAllValues) {
    const std::array<int, 5> r{1, 0, 2, 3, 0};
    struct Case {
        int type;
        const char* digits;
        const char* decimals;
        int alignment;
        std::optional<Msg> refusal;
        bool digitsField;
        ColumnDetail taken;
    } const cases[] = {
        {1, "0", "0", 1, Msg::EditorDigitsText, true, {}},
        {1, "101", "0", 1, Msg::EditorDigitsText, true, {}},
        {2, "10", "0", 0, Msg::EditorDigitsNumber, true, {}},
        {3, "5", "3", 0, Msg::EditorDecimals, false, {}},
        {3, "x", "3", 0, Msg::EditorDigitsNumber, true, {}},
        {1, "００７", "0", 2, std::nullopt, true, {7, 0, 2, r}},
        {2, "5", "0", 3, std::nullopt, true, {5, 0, 3, r}},
        {3, "9", "１", 3, std::nullopt, true, {9, 1, 3, r}},
        {4, "", "", 1, std::nullopt, true, {0, 0, 1, r}},
    };
    for (const Case& c : cases) {
        const auto result =
            columndetail::accept(c.type, sj(c.digits), sj(c.decimals), c.alignment, r);
        if (c.refusal) {
            ASSERT_TRUE(std::holds_alternative<ColumnDetailRefusal>(result)) << c.digits;
            EXPECT_EQ(std::get<ColumnDetailRefusal>(result).message, *c.refusal);
            EXPECT_EQ(std::get<ColumnDetailRefusal>(result).digitsField, c.digitsField);
        } else {
            ASSERT_TRUE(std::holds_alternative<ColumnDetail>(result)) << c.digits;
            EXPECT_EQ(std::get<ColumnDetail>(result), c.taken) << c.digits;
        }
    }
    EXPECT_EQ(columndetail::restrictionText(r), "1.0.2.3.0.");
}

TEST(TemplateNameCheck, NamesAreTrimmedAndRefusedInOrder) {
    TempDir dir;
    const TemplateFolder folder(dir.file("template"), dir.path());
    const TemplateFolder deep(dir.path() + "/" + std::string(240, 'd'), dir.path());
    const std::vector<std::string> existing = {sj("図面"), "Plans"};
    struct Case {
        const char* utf8;
        const TemplateFolder* folder;
        std::string name;
        std::optional<Msg> refusal;
        bool clear;
    } const cases[] = {
        {"　新図面 ", &folder, sj("新図面"), std::nullopt, false},
        {"PLANS", &folder, "PLANS", Msg::EditorNameExists, false},
        {" 図面　", &folder, sj("図面"), Msg::EditorNameExists, false},
        {"　 　", &folder, "", Msg::EditorNameEmpty, true},
        {"123456789012345678901", &folder, "123456789012345678901", Msg::EditorNameTooLong, false},
        {"一二三四五六七八九十", &folder, sj("一二三四五六七八九十"), std::nullopt, false},
        {"ソ表", &folder, sj("ソ表"), std::nullopt, false}, // trail byte 0x5C is no backslash
        {"a|b", &folder, "a|b", Msg::EditorNameInvalid, false},
        {"a\tb", &folder, "a\tb", Msg::EditorNameInvalid, false},
        {"a?", &folder, "a?", Msg::EditorNameInvalid, false},
        {"ok", &deep, "ok", Msg::TemplatePathTooLong255, false},
    };
    for (const Case& c : cases) {
        const TemplateNameVerdict v = checkTemplateName(sj(c.utf8), existing, *c.folder);
        EXPECT_EQ(v.name, c.name) << c.utf8;
        EXPECT_EQ(v.refusal, c.refusal) << c.utf8;
        EXPECT_EQ(v.clearEdit, c.clear) << c.utf8;
    }
}

} // namespace
