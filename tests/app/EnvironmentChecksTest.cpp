#include "app/EnvironmentChecks.h"
#include "app/ExtensionList.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace {

using Refusal = std::optional<Msg>;

struct CheckCase {
    const char* text; // UTF-8
    Refusal refusal;
    const char* kept; // UTF-8, when accepted
};

void expectChecked(const envcheck::Checked& got, const CheckCase& c) {
    EXPECT_EQ(got.refusal, c.refusal) << c.text;
    if (!c.refusal) {
        EXPECT_EQ(u8(got.text), c.kept) << c.text;
    }
}

TEST(EnvironmentChecksTest, MarginTakesDigitsOfEitherWidthFrom0To99) {
    const CheckCase cases[] = {
        {"１２", std::nullopt, "12"},
        {" 7 ", std::nullopt, "7"},
        {"　０９　", std::nullopt, "9"},
        {"0", std::nullopt, "0"},
        {"99", std::nullopt, "99"},
        {"12a", Msg::EnvMarginInvalid, ""},
        {"100", Msg::EnvMarginInvalid, ""},
        {"", Msg::EnvMarginInvalid, ""},
        {"-1", Msg::EnvMarginInvalid, ""},
        {"1 2", Msg::EnvMarginInvalid, ""},
        {"99999999999999999999", Msg::EnvMarginInvalid, ""},
    };
    for (const CheckCase& c : cases) {
        expectChecked(envcheck::margin(sj(c.text)), c);
    }
}

TEST(EnvironmentChecksTest, PageListTakesPagesAndRangesFrom1To9999) {
    const CheckCase cases[] = {
        {"1,3-5", std::nullopt, "1,3-5"},
        {"１，３－５", std::nullopt, "1,3-5"},
        {"9999,5-2,007", std::nullopt, "9999,5-2,007"},
        {"", Msg::EnvPageListEmpty, ""},
        {"0", Msg::EnvPageListRange, ""},
        {"10000", Msg::EnvPageListRange, ""},
        {"3-0", Msg::EnvPageListRange, ""},
        {"000000000000000000001", std::nullopt, "000000000000000000001"},
        {"1;2", Msg::EnvPageListInvalid, ""},
        {"1 ,2", Msg::EnvPageListInvalid, ""},
        {"1,,2", Msg::EnvPageListInvalid, ""},
        {"1,", Msg::EnvPageListInvalid, ""},
        {"-3", Msg::EnvPageListInvalid, ""},
        {"1-2-3", Msg::EnvPageListInvalid, ""},
        // A malformed item is reported before a number out of range.
        {"0,1-", Msg::EnvPageListInvalid, ""},
    };
    for (const CheckCase& c : cases) {
        expectChecked(envcheck::pageList(sj(c.text)), c);
    }
}

TEST(EnvironmentChecksTest, ExportNameIsTrimmedAndFreeOfForbiddenCharacters) {
    struct Case {
        const char* text;
        int exportType;
        bool ask;
        Refusal refusal;
        const char* kept;
    };
    const Case cases[] = {
        {"  list \t", 3, false, std::nullopt, "list"},
        {"　list", 3, false, std::nullopt, "　list"},
        {"　list", 2, false, std::nullopt, "list"},
        {"", 0, false, std::nullopt, ""},
        {" ", 3, true, std::nullopt, ""},
        {" ", 3, false, Msg::EnvExportNameEmpty, ""},
        {"　", 2, false, Msg::EnvExportNameEmpty, ""},
        {"a*b", 0, false, Msg::FileNameBadChar, ""},
        {"a\tb", 3, true, Msg::FileNameBadChar, ""},
        {"a|b", 1, false, Msg::FileNameBadChar, ""},
        {"ソース", 3, false, std::nullopt, "ソース"}, // its trail byte is "\"
    };
    for (const Case& c : cases) {
        expectChecked(envcheck::exportName(sj(c.text), c.exportType, c.ask),
                      {c.text, c.refusal, c.kept});
    }
    for (const char bad : std::string_view("\"*/:<>?\\|")) {
        EXPECT_EQ(envcheck::exportName(std::string("a") + bad, 3, false).refusal,
                  Msg::FileNameBadChar)
            << bad;
    }
}

TEST(ExtensionListTest, AddRefusesWhatCannotBeAPlotExtension) {
    struct Case {
        const char* text;
        Refusal refusal;
    };
    const Case cases[] = {
        {"  ", Msg::ExtensionEmpty},
        {"abcdefghijk", Msg::ExtensionTooLong},
        {"ｱｲｳｴｵｶｷｸｹｺｻ", Msg::ExtensionTooLong},
        {"a.b", Msg::ExtensionBadChar},
        {"a\"", Msg::ExtensionBadChar},
        {"tif", Msg::ExtensionRegistered},
        {"Jpeg", Msg::ExtensionRegistered},
        {"PLT", Msg::ExtensionRegistered},
        {"exe", Msg::ExtensionNotRegistrable},
        {"Js", Msg::ExtensionNotRegistrable},
        {"386", Msg::ExtensionNotRegistrable},
        {"ｱｲｳｴｵｶｷｸｹｺ", std::nullopt},
        {" hpg ", std::nullopt},
    };
    for (const Case& c : cases) {
        ExtensionList list({"plt"});
        EXPECT_EQ(list.add(sj(c.text)), c.refusal) << c.text;
        EXPECT_EQ(list.entries().size(), c.refusal ? 1u : 2u) << c.text;
    }
    for (const char bad : std::string_view("\\/:*?\"<>|.")) {
        EXPECT_EQ(ExtensionList().add(std::string("x") + bad), Msg::ExtensionBadChar) << bad;
    }
}

TEST(ExtensionListTest, TenEntriesAtMostAndDeleteTakesTheSelectedOnes) {
    ExtensionList list;
    EXPECT_TRUE(list.canAdd());
    EXPECT_FALSE(list.canRemove());
    EXPECT_EQ(list.remove({}), Msg::ExtensionNoneSelected);
    EXPECT_EQ(list.add("plt"), std::nullopt);
    EXPECT_EQ(list.add("PLT"), Msg::ExtensionRegistered);
    for (int i = 2; i <= 10; ++i) {
        EXPECT_EQ(list.add("p" + std::to_string(i)), std::nullopt);
    }
    EXPECT_FALSE(list.canAdd());
    EXPECT_EQ(list.add("p11"), std::nullopt);
    EXPECT_EQ(list.entries().size(), 10u);
    EXPECT_EQ(list.entries().back(), "p10");

    EXPECT_EQ(list.remove({0, 9, 4}), std::nullopt);
    EXPECT_EQ(list.entries(), (std::vector<std::string>{"p2", "p3", "p4", "p6", "p7", "p8", "p9"}));
    EXPECT_TRUE(list.canAdd());
    EXPECT_TRUE(list.canRemove());
    EXPECT_EQ(ExtensionList(std::vector<std::string>(12, "x")).entries().size(), 10u);
}

} // namespace
