#include "AssignmentRig.h"

#include "workbench/ReadAssignment.h"

namespace {

class ReadAssignmentTest : public AssignmentRig {
protected:
    static ReadSuggestion suggest(const std::string& file, int row) {
        ReadSuggestion s;
        s.image.fileName = file;
        SheetMatcher::Candidate candidate;
        candidate.row = row;
        candidate.rowKey = std::to_string(row);
        candidate.score = 1.0;
        s.match.suggestion = candidate;
        return s;
    }
};

// Checked suggestions are assigned through the ordinary command, the pages of one row in image
// order; rows that cannot take their images are told together once the others are done.
TEST_F(ReadAssignmentTest, CheckedSuggestionsAreAssignedAndTheRefusedRowsTold) {
    struct Case {
        const char* name;
        std::vector<ReadSuggestion> suggestions;
        std::vector<bool> checked;
        std::vector<std::string> records;
        std::vector<int> refused;
    };
    const std::vector<Case> cases{
        {"two pages of one row, one alone",
         {suggest("a3.tif", 1), suggest("a4.tif", 2), suggest("b4.tif", 1)},
         {true, true, true},
         {"1:a3.tif:1", "1:b4.tif:2", "2:a4.tif:1"},
         {}},
        {"unchecked lines are left",
         {suggest("a3.tif", 1), suggest("a4.tif", 2)},
         {false, true},
         {"2:a4.tif:1"},
         {}},
        {"a scan gone from the list meanwhile",
         {suggest("gone.tif", 1), suggest("a4.tif", 2)},
         {true, true},
         {"2:a4.tif:1"},
         {1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TearDown();
        SetUp();
        image("a3.tif");
        image("a4.tif");
        image("b4.tif");
        start({"D-1", "D-2", "D-3"});
        m_prompter.clear();
        const auto outcome = ReadAssignment::apply(*m_wb, c.suggestions, c.checked);
        std::vector<std::string> sorted = records();
        std::sort(sorted.begin(), sorted.end());
        EXPECT_EQ(sorted, c.records);
        EXPECT_EQ(outcome.refusedRows, c.refused);
        EXPECT_EQ(shownTexts().size(), c.refused.empty() ? 0u : 1u);
        if (!c.refused.empty()) {
            EXPECT_TRUE(shownTexts().back().starts_with("次の行には画像を割り当てられませんでした。"
                                                        "\r\nNo 1\r\n"));
        }
    }
}

} // namespace
