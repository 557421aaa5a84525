#include "read/SheetMatcher.h"
#include "read/MatchText.h"

#include <gtest/gtest.h>

namespace {

using Row = SheetMatcher::Row;
using By = SheetMatcher::By;

// A list of drawings whose numbers differ in one character between neighbours, as a real
// project's list does.
std::vector<Row> drawings() {
    return {
        {1, "1", {"KD-20417-03", "配管系統図"}, false},
        {2, "2", {"KD-20417-08", "配管系統図"}, false},
        {3, "3", {"KD-20418-03", "機器配置図"}, false},
        {4, "4", {"ＡＢ－１０５", "平面図"}, false},
        {5, "5", {"SB-0150", "詳細図"}, false},
        {6, "6", {"", ""}, false},
    };
}

TEST(MatchTextTest, OccurrenceAllowsTheUsualMisreadingsAndNothingElse) {
    struct Case {
        const char* value;
        const char* text;
        double least;
        double most;
    } cases[] = {
        {"KD-20417-03", "図番 KD-20417-03 配管系統図", 1.0, 1.0},
        {"KD-20417-03", "図番 kd20417 03", 1.0, 1.0},             // lost dash, case, space
        {"KD-20417-03", "図番 ＫＤ－２０４１７－０３", 1.0, 1.0}, // full-width
        {"KD-20417-03", "KD-2O4I7-O3", 0.9, 0.99},                // look-alikes cost a little
        {"KD-20417-03", "KD-20417-08", 0.85, 0.92},               // one real error
        {"KD-20417-03", "KD-20417-031", 0.9, 0.99},               // runs on into a digit
        {"KD-20417-03", "縮尺 1:50 日付 2026/12/08", 0.0, 0.5},
        {"配管系統図", "名称 配管系統図 縮尺", 1.0, 1.0},
        {"ｶﾞｽ配管", "ガス配管", 1.0, 1.0}, // half-width katakana
        {"ﾊﾟｲﾌﾟ", "パイプ", 1.0, 1.0},
        {"AB", "", 0.0, 0.0},
        {"", "anything", 0.0, 0.0},
    };
    for (const Case& c : cases) {
        const double s = MatchText::occurrence(MatchText::fold(c.value), MatchText::fold(c.text));
        EXPECT_GE(s, c.least) << c.value << " in " << c.text;
        EXPECT_LE(s, c.most) << c.value << " in " << c.text;
    }
}

TEST(SheetMatcherTest, SuggestsTheRowWithAClearLeadOnly) {
    struct Case {
        const char* name;
        std::vector<ReadCode> codes;
        const char* text;
        int row; // 0: no suggestion
        By by;
        bool codeOverText;
    } cases[] = {
        {"code alone", {{"QRCode", "KD-20417-08"}}, "", 2, By::Code, false},
        {"code in fields", {{"QRCode", "P01;kd-20418-03;rev2"}}, "", 3, By::Code, false},
        {"text alone", {}, "図番 KD-20417-03 配管系統図 縮尺 1:100", 1, By::Text, false},
        {"code beats text",
         {{"Code128", "SB-0150"}},
         "図番 KD-20418-03 機器配置図",
         5,
         By::Code,
         true},
        {"full-width list value", {}, "AB-105 平面図", 4, By::Text, false},
        {"near miss between two rows", {}, "KD-20417-0", 0, By::Text, false},
        {"one wrong digit fits two rows", {}, "KD-20417-05 配管系統図", 0, By::Text, false},
        {"empty title block", {}, "", 0, By::Text, false},
        {"a code naming no row", {{"QRCode", "https://example.com"}}, "", 0, By::Text, false},
    };
    for (const Case& c : cases) {
        const auto r = SheetMatcher::match(drawings(), c.codes, c.text);
        ASSERT_EQ(r.suggestion.has_value(), c.row != 0) << c.name;
        EXPECT_EQ(r.codeOverText, c.codeOverText) << c.name;
        if (c.row != 0) {
            EXPECT_EQ(r.suggestion->row, c.row) << c.name;
            EXPECT_EQ(r.suggestion->by, c.by) << c.name;
            if (c.by == By::Text) {
                EXPECT_GT(r.suggestion->score, r.runnerUp ? r.runnerUp->score : 0.0) << c.name;
            } else {
                EXPECT_EQ(r.suggestion->score, 1.0) << c.name;
            }
        }
    }
}

TEST(SheetMatcherTest, AssignedRowsAndRowsWithoutValuesAreNeverCandidates) {
    auto rows = drawings();
    rows[0].assigned = true;
    const auto byText = SheetMatcher::match(rows, {}, "KD-20417-03 配管系統図");
    ASSERT_TRUE(byText.suggestion.has_value());
    EXPECT_NE(byText.suggestion->row, 1); // the next best row may win, never the assigned one
    EXPECT_FALSE(SheetMatcher::match(rows, {{"QRCode", "KD-20417-03"}}, "").suggestion);

    for (Row& row : rows) {
        row.values.clear(); // a list whose template has no file-name columns
    }
    const auto none = SheetMatcher::match(rows, {{"QRCode", "KD-20417-03"}}, "KD-20417-03");
    EXPECT_FALSE(none.suggestion);
    EXPECT_FALSE(none.runnerUp);
}

TEST(SheetMatcherTest, ACodeThatTwoRowsShareDecidesNothing) {
    std::vector<Row> rows = {{1, "1", {"X-1"}, false}, {2, "2", {"x-1"}, false}};
    EXPECT_FALSE(SheetMatcher::match(rows, {{"QRCode", "X-1"}}, "").suggestion);
}

TEST(SheetMatcherTest, TheScoreWeighsEachFileNameColumnByItsLength) {
    const Row row{1, "1", {"KD-20417-03", "A"}, false};
    const auto c = SheetMatcher::scoreByText(row, MatchText::fold("KD-20417-03"));
    EXPECT_EQ(c.column, 0);
    EXPECT_NEAR(c.score, 9.0 / 10.0, 1e-9); // nine points found, the one-letter column not
}

} // namespace
