#include "workbench/TemplateBox.h"
#include "app/Settings.h"
#include "base/CellGrid.h"
#include "base/ProfileFile.h"
#include "base/RecordingMainView.h"
#include "base/ScriptedPrompter.h"
#include "renamelist/RenameList.h"
#include "support/RenameListFixtures.h"
#include "support/TempDir.h"
#include "support/WorkbenchDoubles.h"
#include "support/WorkbenchFixtures.h"
#include "workbench/Ctl.h"
#include "workbench/WorkbenchState.h"

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <utility>
#include <vector>

namespace {

// Changing the template while images are assigned asks first.
class TemplateBoxTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_data.writeGoodTemplate("a");
        m_data.writeGoodTemplate("b");
        m_settings.templateFile = "a.tpl";
        m_box.fillAtStart();
        m_grid.setColWidth(3, 2222);
    }

    std::optional<std::string> storedWidths() const {
        return ProfileFile(m_data.templateFolder() + "/a.tpl").read("ROWINFO", "ROWWIDTH");
    }

    TempDir m_tmp;
    WorkbenchDataFolder m_data{m_tmp.path()};
    WorkbenchState m_state;
    Settings m_settings;
    CellGrid m_grid;
    RenameList m_list{m_grid};
    RecordingMainView m_view;
    RecordingListBox m_listBox;
    ScriptedPrompter m_prompter;
    CountedAssignments m_assignments{2};
    TemplateBox m_box{TemplateBox::Parts{m_state, m_settings, m_list, m_view, m_listBox, m_prompter,
                                         m_assignments},
                      TemplateFolder(m_data.templateFolder(), m_data.dataFolder())};
};

TEST_F(TemplateBoxTest, AnsweringNoKeepsTheOldTemplate) {
    m_prompter.queueAnswer(Answer::No);
    m_box.selectionChanged(1);

    ASSERT_EQ(m_prompter.shown().size(), 1u);
    EXPECT_EQ(u8(m_prompter.shown()[0].text), "割り当てを解除します。よろしいですか？");
    EXPECT_EQ(u8(m_prompter.shown()[0].caption), "確認");
    EXPECT_EQ(m_prompter.shown()[0].buttons, Buttons::YesNo);
    EXPECT_EQ(m_box.index(), 0);
    EXPECT_EQ(m_listBox.listIndex(id(Ctl::TemplateBox)), 0);
    EXPECT_EQ(m_assignments.releases, 0);
    EXPECT_EQ(m_state.currentTemplate.name, "a");
    EXPECT_EQ(m_grid.colWidth(3), 2222);
    EXPECT_EQ(storedWidths(), std::nullopt);
}

TEST_F(TemplateBoxTest, AnsweringYesReleasesAndChanges) {
    m_prompter.queueAnswer(Answer::Yes);
    m_box.selectionChanged(1);

    EXPECT_EQ(m_assignments.releases, 1);
    EXPECT_EQ(m_box.index(), 1);
    EXPECT_EQ(m_state.currentTemplate.name, "b");
    ASSERT_TRUE(storedWidths());
    EXPECT_EQ(storedWidths()->substr(0, 5), "2222,");
    EXPECT_FALSE(m_view.isEnabled(id(Ctl::Execute)));
}

// A template that cannot make sound names is never applied: more columns than CsvRowNum, or a
// replacement character or connector of more than one byte, as a file edited by hand may hold.
TEST_F(TemplateBoxTest, ATemplateThatCannotMakeSoundNamesIsNeverApplied) {
    const auto joining = [](const std::string& keys) {
        std::string text = templateOfColumns(1);
        text.replace(text.find("REPLACE=0\r\n"), 11, keys);
        return text;
    };
    const struct {
        const char* label;
        std::string text;
        int columns;
        std::optional<Msg> refusal;
    } cases[] = {
        {"20 columns", templateOfColumns(20), 20, std::nullopt},
        {"21 columns", templateOfColumns(21), 21, Msg::TemplateTooManyColumns},
        {"a half-width replacement", joining("REPLACE=1\r\nREPLACECHAR=" + sj("ｰ") + "\r\n"), 1,
         std::nullopt},
        {"あ as replacement", joining("REPLACE=1\r\nREPLACECHAR=" + sj("あ") + "\r\n"), 1,
         Msg::TemplateBadReplacementChar},
        {"two connector bytes", joining("REPLACE=0\r\nCONNECTION=--\r\n"), 1,
         Msg::TemplateBadConnector},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        TempDir tmp;
        WorkbenchDataFolder data{tmp.path()};
        data.writeGoodTemplate("a");
        std::ofstream(data.templateFolder() + "/wide.tpl", std::ios::binary) << c.text;
        Settings settings;
        settings.templateFile = "a.tpl";
        settings.csvRowNum = 20;
        WorkbenchState state;
        CellGrid grid;
        RenameList list{grid};
        ScriptedPrompter prompter;
        CountedAssignments assignments{0};
        TemplateBox box{
            TemplateBox::Parts{state, settings, list, m_view, m_listBox, prompter, assignments},
            TemplateFolder(data.templateFolder(), data.dataFolder())};
        box.fillAtStart();
        box.selectionChanged(1);
        if (!c.refusal) {
            EXPECT_TRUE(prompter.shown().empty());
            EXPECT_EQ(grid.cols(), RenameList::gridCol(0) + c.columns);
            continue;
        }
        // Refused before the grid took a column; the box, the grid and the current template go
        // back to the previous template.
        ASSERT_EQ(prompter.shown().size(), 2u);
        EXPECT_EQ(prompter.shown()[0].text, message(*c.refusal).text);
        EXPECT_EQ(prompter.shown()[1].text, message(Msg::TemplateSetFailed).text);
        EXPECT_EQ(state.currentTemplate.name, "a");
        EXPECT_EQ(grid.cols(), RenameList::gridCol(0) + static_cast<int>(list.columns().size()));
        EXPECT_LT(list.columns().size(), 20u);
        EXPECT_EQ(box.index(), 0);
    }
}

// The box follows the folder on every refresh, and the current template is found again by its
// name: a file missing for a while does not cost the operator the template.
TEST_F(TemplateBoxTest, TheCurrentTemplateIsSelectedAgainWhenItsFileReturns) {
    const std::string a = m_data.templateFolder() + "/a.tpl";
    const std::string aText = m_tmp.read("data/template/a.tpl");
    const struct {
        const char* name;
        std::function<void()> change;
        std::vector<std::string> items;
        int index;
        bool loadAllowed;
    } steps[] = {
        {"a removed", [&] { std::remove(a.c_str()); }, {"b"}, -1, false},
        {"still missing", [] {}, {"b"}, -1, false},
        {"a back", [&] { m_tmp.write("data/template/a.tpl", aText); }, {"a", "b"}, 0, true},
        {"one listed before a", [&] { m_data.writeGoodTemplate("0"); }, {"0", "a", "b"}, 1, true},
        {"a no template any more",
         [&] { m_tmp.write("data/template/a.tpl", "; note\r\n" + aText); },
         {"0", "b"},
         -1,
         false},
        {"a a template again",
         [&] { m_tmp.write("data/template/a.tpl", aText); },
         {"0", "a", "b"},
         1,
         true},
    };
    for (const auto& step : steps) {
        step.change();
        m_box.refresh();
        EXPECT_EQ(m_listBox.items(id(Ctl::TemplateBox)), step.items) << step.name;
        EXPECT_EQ(m_box.index(), step.index) << step.name;
        EXPECT_EQ(m_listBox.listIndex(id(Ctl::TemplateBox)), step.index) << step.name;
        EXPECT_EQ(m_view.isEnabled(id(Ctl::LoadRenameList)), step.loadAllowed) << step.name;
        EXPECT_EQ(m_state.currentTemplate.name, "a") << step.name;
    }
}

TEST_F(TemplateBoxTest, AnotherPickWhileTheCurrentFileIsMissingStays) {
    const std::string aText = m_tmp.read("data/template/a.tpl");
    std::remove((m_data.templateFolder() + "/a.tpl").c_str());
    m_box.refresh();
    m_prompter.queueAnswer(Answer::Yes);
    m_box.selectionChanged(0); // "b", the only entry
    m_tmp.write("data/template/a.tpl", aText);
    m_box.refresh();
    EXPECT_EQ(m_box.index(), 1);
    EXPECT_EQ(m_state.currentTemplate.name, "b");
}

TEST(TemplateBoxWidths, AWidthsWriteThatFailsIsReported) {
    // A template folder so deep that the template's path reaches the 256-byte limit.
    TempDir tmp;
    const std::string root = tmp.mkdir(std::string(120, 'x') + "/" + std::string(120, 'y'));
    WorkbenchDataFolder data(root);
    data.writeGoodTemplate("a");
    WorkbenchState state;
    Settings settings;
    settings.templateFile = "a.tpl";
    CellGrid grid;
    RenameList renameList(grid);
    RecordingMainView view;
    RecordingListBox list;
    ScriptedPrompter prompter;
    CountedAssignments assignments{0};
    TemplateBox box{{state, settings, renameList, view, list, prompter, assignments},
                    TemplateFolder(data.templateFolder(), data.dataFolder())};
    box.fillAtStart();
    ASSERT_TRUE(state.templateLoaded);

    EXPECT_FALSE(box.saveWidths());
    ASSERT_EQ(prompter.shown().size(), 2u);
    EXPECT_EQ(u8(prompter.shown()[0].text), "ﾃﾝﾌﾟﾚｰﾄﾌｧｲﾙのﾊﾟｽが255ﾊﾞｲﾄを超過しています。");
    EXPECT_EQ(u8(prompter.shown()[1].text), "ﾃﾝﾌﾟﾚｰﾄ情報の設定に失敗しました。");
}

} // namespace
