#include "template/TemplateEditGrid.h"

#include "base/CellGrid.h"
#include "base/ScriptedPrompter.h"
#include "support/CliRunner.h"
#include "support/TempDir.h"
#include "template/TemplateFolder.h"
#include "template/TemplateGridInput.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

namespace {

constexpr int kRows = 8;
using G = TemplateEditGrid;

class TemplateEditGridTest : public ::testing::Test {
protected:
    // One row: name, type, source, file name, sort1, sort2, hidden (UTF-8).
    void row(int r, std::initializer_list<const char*> cells) {
        int col = 0;
        for (const char* c : cells) {
            m_cells.setText(r, col++, sj(c));
        }
    }
    std::string at(int r, int c) const { return u8(m_cells.text(r, c)); }
    std::vector<std::string> shown() const {
        std::vector<std::string> out;
        for (const auto& s : m_prompter.shown()) {
            out.push_back(u8(s.text));
        }
        return out;
    }
    static std::string text(Msg m) { return u8(message(m).text); }

    CellGrid m_cells;
    ScriptedPrompter m_prompter;
    TemplateEditGrid m_grid{m_cells, m_prompter, kRows};
    TemplateOptions m_options{false, "", "", false, false, "/data/rename", ""};
};

TEST_F(TemplateEditGridTest, FirstAndSecondSortStayOnOneRowEach) {
    row(1, {"a", "ﾃｷｽﾄ", "", "", "昇順"});
    row(2, {"b", "ﾃｷｽﾄ", "", "", "", "降順"});
    row(5, {"c", "整数", "", "", "降順"});
    m_grid.edited(5, G::Sort1);
    EXPECT_EQ(at(1, G::Sort1), "");
    EXPECT_EQ(at(5, G::Sort1), "降順");

    row(2, {"b", "ﾃｷｽﾄ", "", "", "昇順", "降順"});
    m_cells.setCurrentCell(2, G::Sort1);
    m_grid.edited(2, G::Sort1);
    EXPECT_EQ(at(2, G::Sort1), "");
    EXPECT_EQ(at(5, G::Sort1), "降順");
    EXPECT_EQ(m_cells.row(), 3);

    row(kRows, {"z", "ﾃｷｽﾄ", "", "", "昇順", ""});
    m_cells.setText(kRows, G::Sort2, sj("昇順"));
    m_grid.edited(kRows, G::Sort2);
    EXPECT_EQ(at(kRows, G::Sort2), "");
    EXPECT_EQ(m_cells.row(), 1);
    EXPECT_EQ(shown(), (std::vector<std::string>{text(Msg::EditorSort2AlreadySet),
                                                 text(Msg::EditorSort1AlreadySet)}));
}

TEST_F(TemplateEditGridTest, FileNameMarksOnlyOnVisibleTextRows) {
    row(1, {"a", "ﾃｷｽﾄ", "", "", "", "", "●"});
    row(2, {"b", "日付"});
    m_grid.toggleFileName(1, true);
    EXPECT_EQ(at(1, G::FileName), "●");
    EXPECT_EQ(at(1, G::Hidden), "");
    m_grid.toggleHidden(1);
    EXPECT_EQ(at(1, G::Hidden), "");
    m_grid.toggleFileName(2, true);
    EXPECT_EQ(at(2, G::FileName), "");
    m_grid.toggleHidden(2);
    EXPECT_EQ(at(2, G::Hidden), "●");

    m_cells.setText(1, G::Type, sj("日付"));
    m_grid.edited(1, G::Type);
    EXPECT_EQ(at(1, G::FileName), "");
    EXPECT_EQ(shown(), (std::vector<std::string>{text(Msg::EditorFileNameNotHidden),
                                                 text(Msg::EditorFileNameTextOnly)}));
}

TEST_F(TemplateEditGridTest, LockedNamesAndDetailButton) {
    row(1, {"a", "ﾃｷｽﾄ"});
    row(2, {"b", "日付"});
    row(3, {"c", "用紙ｻｲｽﾞ"});
    row(4, {"", "実数"});
    EXPECT_TRUE(m_grid.mayEdit(1, G::Name, true));
    m_grid.setNamesLocked(true);
    struct Case {
        int col;
        bool byKey, may;
    } const cases[] = {{G::Name, false, false},   {G::Name, true, false},
                       {G::Source, false, true},  {G::Source, true, false},
                       {G::Type, true, true},     {G::FileName, true, false},
                       {G::Hidden, false, false}, {G::Sort2, true, true}};
    for (const Case& c : cases) {
        EXPECT_EQ(m_grid.mayEdit(1, c.col, c.byKey), c.may) << c.col << c.byKey;
    }
    EXPECT_EQ((std::vector<bool>{m_grid.detailEnabled(1), m_grid.detailEnabled(2),
                                 m_grid.detailEnabled(3), m_grid.detailEnabled(4)}),
              (std::vector<bool>{true, true, false, false}));
}

TEST_F(TemplateEditGridTest, ValidationRefusesTheFirstFaultAndSelectsItsRow) {
    struct Case {
        std::vector<std::vector<const char*>> rows; // from row 1
        TemplateOptions options;
        std::optional<Msg> refusal;
        int row;
        bool clearReplacement;
    } const cases[] = {
        {{{"a", "ﾃｷｽﾄ", "", "●"}, {"b\tc", "整数"}}, m_options, Msg::EditorNameHasTab, 2, false},
        {{{"a", "ﾃｷｽﾄ", "", "●"}, {"", "", "3列目", "●"}, {" ", "整数"}},
         m_options,
         Msg::EditorNameMissing,
         3,
         false},
        {{{"a", " "}}, m_options, Msg::EditorTypeMissing, 1, false},
        {{{"", "", "2列目", "●", "昇順"}}, m_options, Msg::EditorNoColumns, 1, false},
        {{{"a", "整数"}}, m_options, Msg::EditorNoFileNameColumn, 1, false},
        {{{"a", "ﾃｷｽﾄ", "", "●", "昇順"},
          {"b", "整数", "", "", "降順"},
          {"c", "整数", "", "", "昇順"}},
         m_options,
         Msg::EditorSort1Duplicate,
         3,
         false},
        {{{"a", "ﾃｷｽﾄ", "", "●", "", "昇順"}, {"b", "整数", "", "", "", "降順"}},
         m_options,
         Msg::EditorSort2Duplicate,
         2,
         false},
        {{{"a", "ﾃｷｽﾄ", "", "●"}},
         {true, "", "", false, false, "/r", ""},
         Msg::EditorReplacementEmpty,
         1,
         false},
        {{{"a", "ﾃｷｽﾄ", "", "●"}},
         {true, " ", "", false, false, "/r", ""},
         Msg::EditorReplacementBlank,
         1,
         true},
        {{{"a", "ﾃｷｽﾄ", "", "●"}},
         {true, "\t", "", false, false, "/r", ""},
         Msg::EditorReplacementForbidden,
         1,
         false},
        {{{"a", "ﾃｷｽﾄ", "", "●"}},
         {false, " ", ":", false, false, "/r", ""},
         Msg::EditorConnectorForbidden,
         1,
         false},
        {{{"a", "ﾃｷｽﾄ", "", "●"}},
         {false, "", " ", false, false, " ", ""},
         Msg::EditorStorageFolderMissing,
         1,
         false},
        {{{"a", "ﾃｷｽﾄ", "", "●"}},
         {true, "_", " ", false, false, "/r", ""},
         std::nullopt,
         1,
         false},
    };
    for (const Case& c : cases) {
        m_grid.clearRows();
        m_cells.setCurrentCell(1, 0);
        int r = 1;
        for (const auto& cells : c.rows) {
            int col = 0;
            for (const char* cell : cells) {
                m_cells.setText(r, col++, sj(cell));
            }
            ++r;
        }
        m_prompter.clear();
        const auto refusal = m_grid.validate(c.options);
        ASSERT_EQ(refusal.has_value(), c.refusal.has_value()) << r;
        if (refusal) {
            EXPECT_EQ(refusal->message, *c.refusal);
            EXPECT_EQ(refusal->row, c.row) << text(*c.refusal);
            EXPECT_EQ(m_cells.row(), c.row) << text(*c.refusal);
            EXPECT_EQ(refusal->clearReplacement, c.clearReplacement);
            EXPECT_EQ(shown(), std::vector<std::string>{text(*c.refusal)});
        }
    }
}

TEST_F(TemplateEditGridTest, AGridMadeInTheEditorReadsBackWithEveryValue) {
    row(1, {"図番", "ﾃｷｽﾄ", "3列目", "●", "昇順", "", ""});
    row(2, {"", "", "7列目", "●"}); // blank: dropped
    row(3, {" 枚数 ", "整数", "設定なし", "", "", "降順", "●"});
    row(4, {"縮尺", "実数", "12列目"});
    row(5, {"日付", "日付", "1列目"});
    row(6, {"用紙", "用紙ｻｲｽﾞ"});
    m_grid.setDetail(1, {20, 0, 2, {1, 2, 3, 0, 1}});
    m_grid.setDetail(3, {5, 0, 3, {}});
    m_grid.setDetail(5, {0, 0, 1, {}});
    const TemplateOptions options{true, "_", " ", true, true, "/data/rename", sj("設計図")};
    ASSERT_EQ(m_grid.validate(options), std::nullopt);

    TempDir dir;
    const TemplateFolder folder(dir.file("template"), dir.path());
    ASSERT_TRUE(folder.writeTemplate(m_grid.collect("ledger", options), m_prompter));
    const CliRun run = runNomiraCli("--json --data-folder " + shellQuote(dir.path()) +
                                    " template show " + shellQuote(folder.pathOf("ledger")));
    ASSERT_EQ(run.status, 0) << run.out;
    const auto doc = nlohmann::json::parse(run.out);
    const auto& cols = doc["columns"];
    ASSERT_EQ(cols.size(), 5u);
    const std::vector<std::string> names = {"図番", "枚数", "縮尺", "日付", "用紙"};
    const std::vector<int> types = {1, 2, 3, 4, 5}, sources = {3, 0, 12, 1, 0};
    const std::vector<int> digits = {20, 5, 9, 0, 0}, decimals = {0, 0, 2, 0, 0};
    const std::vector<int> alignments = {2, 3, 0, 1, 0};
    for (std::size_t i = 0; i < cols.size(); ++i) {
        EXPECT_EQ(cols[i]["name"], names[i]);
        EXPECT_EQ(cols[i]["type"], types[i]);
        EXPECT_EQ(cols[i]["sourceField"], sources[i]);
        EXPECT_EQ(cols[i]["alignment"], alignments[i]) << i;
        if (types[i] <= 3) {
            EXPECT_EQ(cols[i]["digits"], digits[i]) << i;
            EXPECT_EQ(cols[i]["decimals"], decimals[i]) << i;
        }
    }
    EXPECT_EQ(cols[0]["fileName"], true);
    EXPECT_EQ(cols[0]["sort1"], 1);
    EXPECT_EQ(cols[1]["sort2"], 2);
    EXPECT_EQ(cols[1]["hidden"], true);
    EXPECT_EQ(cols[0]["restriction"], nlohmann::json::parse("[1,2,3,0,1]"));
    EXPECT_EQ(doc["replacementChar"], "_");
    EXPECT_EQ(doc["connector"], " ");
    EXPECT_EQ(doc["sortExport"], true);
    EXPECT_EQ(doc["rememberWidths"], true);
    EXPECT_EQ(doc["storageFolder"], "/data/rename");
    EXPECT_EQ(doc["docType"], "設計図");

    // Opening it again in the editor shows the same rows and details.
    CellGrid again;
    TemplateEditGrid reopened(again, m_prompter, kRows);
    reopened.fill(*folder.readTemplate("ledger"));
    EXPECT_EQ(reopened.collect("ledger", options), *folder.readTemplate("ledger"));
    EXPECT_TRUE(reopened.detailPresent(5));
    EXPECT_FALSE(reopened.detailPresent(6));
}

} // namespace

namespace {

TEST_F(TemplateEditGridTest, ClicksAndKeysFollowTheGridRules) {
    std::vector<bool> detail;
    TemplateGridInput input(m_grid, [&detail](bool on) { detail.push_back(on); });
    row(1, {"a", "ﾃｷｽﾄ", "", "", "", "", "●"});
    row(2, {"", "整数"});
    m_cells.setCurrentCell(1, G::FileName);
    int key = gridkey::Space;
    input.gridKeyDown(m_cells, key, 0);
    EXPECT_EQ(key, 0);
    EXPECT_EQ(at(1, G::FileName), "●");
    EXPECT_EQ(at(1, G::Hidden), "●"); // Space leaves the hidden mark alone
    input.gridClick(m_cells);
    input.gridClick(m_cells);
    EXPECT_EQ(at(1, G::Hidden), "");

    input.gridCurrentCellChanged(m_cells, 1, 3, 2, 1);
    input.gridCurrentCellChanged(m_cells, 2, 1, 1, 1);
    EXPECT_EQ(detail, (std::vector<bool>{false, true}));

    bool cancel = false;
    input.gridStartEdit(m_cells, 1, G::Sort1, cancel);
    EXPECT_EQ(u8(m_cells.comboList()), " |昇順|降順");
    input.gridStartEdit(m_cells, 1, G::Name, cancel);
    EXPECT_EQ(m_cells.comboList(), "");

    m_cells.setCurrentCell(1, G::Name);
    m_cells.setText(1, G::Name, std::string(250, 'n'));
    input.gridAfterEdit(m_cells, 1, G::Name, gridkey::Enter);
    EXPECT_EQ(m_cells.text(1, G::Name).size(), TemplateEditGrid::kNameChars);
    EXPECT_EQ(m_cells.row(), 2);
}

} // namespace
