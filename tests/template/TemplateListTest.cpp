#include "template/TemplateList.h"
#include "template/DefinitionMap.h"
#include "template/TemplateEditGrid.h"
#include "template/TemplateFolder.h"

#include "base/CellGrid.h"
#include "base/ScriptedPrompter.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <ctime>
#include <sys/stat.h>
#include <utime.h>

namespace {

std::string said(const ScriptedPrompter& p) {
    return p.shown().empty() ? std::string() : u8(p.shown().back().text);
}

class TemplateListTest : public ::testing::Test {
protected:
    TemplateListTest() {
        for (const char* name : {"beta", "Alpha", "gamma"}) {
            m_dir.write(std::string("template/") + name + ".tpl",
                        std::string("[ROWINFO]\r\n") + name);
        }
        m_list.refresh();
    }
    TempDir m_dir;
    TemplateFolder m_folder{m_dir.file("template"), m_dir.path()};
    ScriptedPrompter m_prompter;
    TemplateList m_list{m_folder, m_prompter, "BETA"};
};

TEST_F(TemplateListTest, DeletingAsksAndNeverTakesTheCurrentTemplate) {
    EXPECT_EQ(m_list.names(), (std::vector<std::string>{"Alpha", "beta", "gamma"}));
    m_list.select(1);
    EXPECT_FALSE(m_list.deleteSelected());
    EXPECT_EQ(said(m_prompter), "選択されているﾃﾝﾌﾟﾚｰﾄは削除できません。");

    m_list.select(2);
    m_prompter.queueAnswer(Answer::No);
    EXPECT_FALSE(m_list.deleteSelected());
    EXPECT_EQ(said(m_prompter), "ﾃﾝﾌﾟﾚｰﾄ[gamma]を削除しますか？");
    EXPECT_TRUE(m_dir.read("template/gamma.tpl").size() > 0);

    m_prompter.queueAnswer(Answer::Yes);
    EXPECT_TRUE(m_list.deleteSelected());
    EXPECT_EQ(m_list.names(), (std::vector<std::string>{"Alpha", "beta"}));
    EXPECT_EQ(m_list.selected(), 0);

    m_list.select(-1);
    EXPECT_FALSE(m_list.deleteSelected());
    EXPECT_EQ(said(m_prompter), "一覧よりﾃﾝﾌﾟﾚｰﾄを選択してください。");
}

TEST_F(TemplateListTest, EditingTheCurrentTemplateGivesTheHint) {
    m_list.edited("gamma");
    EXPECT_FALSE(m_list.currentTemplateEdited());
    EXPECT_TRUE(m_prompter.shown().empty());
    m_list.edited("Beta");
    EXPECT_TRUE(m_list.currentTemplateEdited());
    EXPECT_EQ(said(m_prompter), "編集した内容は、再度ﾃﾝﾌﾟﾚｰﾄを選択した時に反映されます。");
}

TEST_F(TemplateListTest, CopyingMakesANewFileAndNeverReplacesOne) {
    m_list.select(0);
    EXPECT_TRUE(m_list.copySelected("delta"));
    EXPECT_EQ(m_dir.read("template/delta.tpl"), "[ROWINFO]\r\nAlpha");
    EXPECT_EQ(m_list.names()[static_cast<std::size_t>(m_list.selected())], "Alpha");

    m_list.select(2); // delta
    EXPECT_FALSE(m_list.copySelected("gamma"));
    EXPECT_EQ(said(m_prompter), "ｺﾋﾟｰに失敗しました。");
    EXPECT_EQ(m_dir.read("template/gamma.tpl"), "[ROWINFO]\r\ngamma");
    EXPECT_EQ(m_list.names().size(), 4u);
}

class DefinitionMapTest : public ::testing::Test {
protected:
    std::string writeDefinition(std::string_view mapText) {
        m_dir.write("agent/quentdef.map", mapText);
        return m_dir.write("agent/quentdef.xml", "<Def/>");
    }
    TempDir m_dir;
    CellGrid m_cells;
    ScriptedPrompter m_prompter;
    TemplateEditGrid m_grid{m_cells, m_prompter, 6};
};

TEST_F(DefinitionMapTest, AFreshMapFillsNamesAndSourcesAndLocksNames) {
    const std::string xml = writeDefinition(sj("<DocType>,図面,\r\n<CabinetName>,4\r\n"
                                               "<FolderName>,5\r\n  <DocName> ,2\r\n"
                                               "図番,7\r\n縮尺,9,extra\r\n"));
    m_cells.setText(5, TemplateEditGrid::Type, sj("整数"));
    const auto outcome =
        definitionmap::load(xml, definitionmap::timeStamp(std::time(nullptr) - 5), 6);
    ASSERT_EQ(outcome.refusal, std::nullopt);
    ASSERT_TRUE(outcome.map);
    EXPECT_EQ(u8(outcome.map->docType), "図面");
    definitionmap::apply(*outcome.map, m_grid);
    std::vector<std::string> rows;
    for (int r = 1; r <= 6; ++r) {
        rows.push_back(
            u8(m_cells.text(r, 0) + "|" + m_cells.text(r, 1) + "|" + m_cells.text(r, 2)));
    }
    EXPECT_EQ(rows,
              (std::vector<std::string>{"文書名||2列目", "キャビネット名||4列目",
                                        "フォルダ名||5列目", "図番||7列目", "縮尺||9列目", "||"}));
    EXPECT_TRUE(m_grid.namesLocked());
}

TEST_F(DefinitionMapTest, StaleMissingOrOversizedDefinitionsChangeNothing) {
    const std::string full = "<DocName>,1\r\na,1\r\nb,2\r\nc,3\r\nd,4\r\n";
    const std::string now = definitionmap::timeStamp(std::time(nullptr) - 5);
    const std::string xml = writeDefinition("<DocName>,1\r\na,1\r\n");
    const std::string map = definitionmap::mapPathOf(xml);
    EXPECT_EQ(map, m_dir.file("agent/quentdef.map"));
    utimbuf old{std::time(nullptr) - 3600, std::time(nullptr) - 3600};
    ASSERT_EQ(utime(map.c_str(), &old), 0);
    const auto stale = definitionmap::load(xml, now, 6);
    EXPECT_EQ(stale.refusal, std::nullopt);
    EXPECT_FALSE(stale.map);

    writeDefinition(full);
    EXPECT_EQ(definitionmap::load(xml, now, 6).refusal, Msg::EditorDefinitionTooManyItems);
    EXPECT_EQ(definitionmap::load(xml, now, 7).refusal, std::nullopt);
    EXPECT_EQ(definitionmap::load(m_dir.file("none.xml"), now, 6).refusal,
              Msg::EditorDefinitionXmlMissing);
    m_dir.write("lone/quentdef.xml", "<Def/>");
    EXPECT_EQ(definitionmap::load(m_dir.file("lone/quentdef.xml"), now, 6).refusal,
              Msg::EditorDefinitionMapMissing);
}

TEST_F(DefinitionMapTest, TheLastDefinitionComesFromTheProfileThenTheRegistry) {
    const std::string xml = writeDefinition("");
    const std::string registry =
        m_dir.write("registry.ini", "[SOFTWARE\\Agent]\r\nLastPath=/reg/quentdef.xml\r\n");
    const std::string profile = m_dir.write("Nomira.ini", "[WorkPath]\r\nLastPath=" + xml + "\r\n");
    const std::string stale = m_dir.write("Stale.ini", "[WorkPath]\r\nLastPath=/gone.xml\r\n");
    EXPECT_EQ(definitionmap::lastDefinition(profile, registry, "SOFTWARE\\Agent"), xml);
    EXPECT_EQ(definitionmap::lastDefinition(stale, registry, "SOFTWARE\\Agent"),
              "/reg/quentdef.xml");
    EXPECT_EQ(definitionmap::lastDefinition(stale, registry, "SOFTWARE\\Other"), std::nullopt);
}

} // namespace
