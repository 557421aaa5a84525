#include "template/ReferenceValues.h"

#include "app/ProgramLauncher.h"
#include "base/CellGrid.h"
#include "base/FileSystem.h"
#include "base/ScriptedPrompter.h"
#include "support/LaunchRecorder.h"
#include "support/TempDir.h"
#include "template/DefinitionMap.h"
#include "template/TemplateEditGrid.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <utime.h>

namespace {

namespace fs = std::filesystem;

// An agent folder of the test's own, a storage folder the agent watches and the column grid of
// the template dialog. The stand-in definition program is copied in by the tests that run it.
class ReferenceValuesTest : public ::testing::Test {
protected:
    ReferenceValuesTest() {
        m_cells.setText(2, TemplateEditGrid::Type, sj("整数"));
        m_cells.setText(7, TemplateEditGrid::Name, sj("残り"));
    }

    void installStandIn(const std::string& definition) {
        const char* cli = std::getenv("NOMIRA_CLI");
        ASSERT_NE(cli, nullptr);
        fs::copy_file(fs::path(cli).parent_path() / "agent" / ReferenceValues::kProgram,
                      files::native(m_agent + ReferenceValues::kProgram));
        m_dir.write("agent/Quentdef.ini", "[Definition]\n" + definition);
    }
    // A definition program that ends at once and writes nothing.
    void installSilentProgram() {
        const std::string path = m_dir.write("agent/quentdef.EXE", "#!/bin/sh\nexit 0\n");
        fs::permissions(files::native(path), fs::perms::owner_all);
    }
    // A definition left in the storage folder, recorded as the agent's last one in the registry.
    std::string leaveDefinition(std::string_view xml, std::string_view map) {
        m_dir.write("storage/quentdef.map", map);
        const std::string path = m_dir.write("storage/quentdef.xml", xml);
        m_dir.write("registry.ini",
                    "[" + std::string(keys::kQuentryRegistryKey) + "]\nLastPath=" + path + "\n");
        return path;
    }
    void age(const std::string& path) {
        const utimbuf old{std::time(nullptr) - 3600, std::time(nullptr) - 3600};
        ASSERT_EQ(utime(path.c_str(), &old), 0);
    }
    // Starts the program and delivers its completion the way the dialog does.
    std::optional<ReferenceValues::Applied> run() {
        EXPECT_TRUE(m_values.start(m_requester));
        m_launcher.waitUntilIdle();
        return m_values.definitionsReady(m_grid);
    }
    std::vector<std::string> rows(int count) const {
        std::vector<std::string> out;
        for (int r = 1; r <= count; ++r) {
            out.push_back(u8(m_cells.text(r, TemplateEditGrid::Name) + "|" +
                             m_cells.text(r, TemplateEditGrid::Type) + "|" +
                             m_cells.text(r, TemplateEditGrid::Source)));
        }
        return out;
    }
    std::vector<std::string> said() const {
        std::vector<std::string> out;
        for (const auto& shown : m_prompter.shown()) {
            out.push_back(u8(shown.text));
        }
        return out;
    }

    TempDir m_dir;
    std::string m_agent = m_dir.mkdir("agent") + "/";
    std::string m_storage = m_dir.mkdir("storage");
    ScriptedPrompter m_prompter;
    ProgramLauncher m_launcher;
    LaunchRecorder m_requester;
    CellGrid m_cells;
    TemplateEditGrid m_grid{m_cells, m_prompter, 8};
    ReferenceValues m_values{{m_agent, m_agent + "ini/RegistKey.ini", m_dir.file("registry.ini")},
                             m_launcher,
                             m_prompter};
};

TEST_F(ReferenceValuesTest, TheDefinitionProgramFillsTheGridAndLocksTheNames) {
    installStandIn("Folder=" + m_storage + "\nDocType=" + sj("図面") +
                   "\nCabinetName=Plans\nFolderName=Inbox\nCabinetField=3\nFolderField=4\n"
                   "DocNameField=1\nProperties=" +
                   sj("図番:2;縮尺:5") + "\n");
    m_launcher.modal() = true; // the template editor is a modal dialog
    const auto applied = run();
    EXPECT_EQ(m_requester.events(),
              (std::vector<std::string>{"disable", "enable", "front", "post 0x465"}));
    EXPECT_TRUE(m_launcher.modal());
    ASSERT_TRUE(applied);
    EXPECT_EQ(u8(applied->docType), "図面");
    EXPECT_EQ(applied->storageFolder, m_storage);
    EXPECT_EQ(m_values.cabinetName(), "Plans");
    EXPECT_EQ(m_values.folderName(), "Inbox");
    EXPECT_EQ(rows(7), (std::vector<std::string>{"文書名||1列目", "キャビネット名||3列目",
                                                 "フォルダ名||4列目", "図番||2列目", "縮尺||5列目",
                                                 "||", "||"}));
    EXPECT_TRUE(m_grid.namesLocked());
    EXPECT_TRUE(m_prompter.shown().empty());
    EXPECT_EQ(m_values.startStamp().size(), 14u);
}

TEST_F(ReferenceValuesTest, AProgramClosedWithoutSavingLeavesTheGridAsItWas) {
    // The stand-in without a monitored folder writes nothing: the old definition stays the last.
    installStandIn("DocType=Other\n");
    const std::string xml = leaveDefinition("<Quentdef/>", "<DocType>,Old\r\n<DocName>,1\r\n");
    age(definitionmap::mapPathOf(xml));
    const auto before = rows(8);
    EXPECT_FALSE(run());
    EXPECT_EQ(rows(8), before);
    EXPECT_FALSE(m_grid.namesLocked());
    EXPECT_TRUE(m_prompter.shown().empty());
}

TEST_F(ReferenceValuesTest, AMissingDefinitionProgramIsToldAndNothingStarts) {
    m_dir.write("agent/Quentconv.exe", "");
    EXPECT_FALSE(m_values.start(m_requester));
    m_launcher.waitUntilIdle();
    EXPECT_EQ(said(),
              (std::vector<std::string>{"参照値設定が開けません。ｸｴﾝﾄﾘｰをｲﾝｽﾄｰﾙしてください。"}));
    EXPECT_TRUE(m_requester.events().empty());
    EXPECT_EQ(m_values.startStamp(), "");
    EXPECT_FALSE(m_values.definitionsReady(m_grid));
}

TEST_F(ReferenceValuesTest, BrokenOrMissingDefinitionsAreToldAndChangeNothing) {
    installSilentProgram();
    const std::string good = "<DocType>,X\r\n<DocName>,1\r\na,2\r\n";
    struct Case {
        const char* what;
        std::string xml; // empty: no xml file
        std::string map; // empty: no map file
        std::vector<std::string> said;
    };
    const std::string tooMany = good + "b,3\r\nc,4\r\nd,5\r\ne,6\r\nf,7\r\n";
    const std::vector<Case> cases = {
        {"no xml",
         "",
         good,
         {"ｸｴﾝﾄﾘｰの監視ﾌｫﾙﾀﾞにquentdef.xmlﾌｧｲﾙが存在しないため、実行できません。"}},
        {"no map",
         "<Q/>",
         "",
         {"ｸｴﾝﾄﾘｰの監視ﾌｫﾙﾀﾞにquentdef.mapﾌｧｲﾙが存在しないため、実行できません。"}},
        {"too many items", "<Q/>", tooMany, {"項目が一覧の行を超過するため、設定できません。"}},
        {"broken xml, too many items",
         "<Q>",
         tooMany,
         {"XMLのﾛｰﾄﾞに失敗しました。", "項目が一覧の行を超過するため、設定できません。"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        fs::remove_all(files::native(m_storage));
        const std::string xml = leaveDefinition(c.xml, c.map);
        if (c.xml.empty()) {
            fs::remove(files::native(xml));
        }
        if (c.map.empty()) {
            fs::remove(files::native(definitionmap::mapPathOf(xml)));
        }
        m_prompter.clear();
        const auto before = rows(8);
        EXPECT_FALSE(run());
        EXPECT_EQ(said(), c.said);
        EXPECT_EQ(rows(8), before);
    }
    // No last definition anywhere: nothing happens.
    fs::remove(files::native(m_dir.file("registry.ini")));
    m_prompter.clear();
    EXPECT_FALSE(run());
    EXPECT_TRUE(m_prompter.shown().empty());
}

TEST_F(ReferenceValuesTest, ABrokenXmlKeepsTheLastCabinetAndFolderAndStillFillsTheGrid) {
    installSilentProgram();
    const std::string map = "<DocType>,Y\r\n<CabinetName>,2\r\n<DocName>,1\r\n";
    leaveDefinition("<?xml version=\"1.0\"?><Q><CabinetName>C1</CabinetName>"
                    "<FolderName>F1</FolderName></Q>",
                    map);
    ASSERT_TRUE(run());
    leaveDefinition("<Q><CabinetName>C2", map);
    const auto applied = run();
    ASSERT_TRUE(applied);
    EXPECT_EQ(said(), (std::vector<std::string>{"XMLのﾛｰﾄﾞに失敗しました。"}));
    EXPECT_EQ(m_values.cabinetName(), "C1");
    EXPECT_EQ(m_values.folderName(), "F1");
    EXPECT_EQ(rows(3), (std::vector<std::string>{"文書名||1列目", "キャビネット名||2列目",
                                                 "フォルダ名||0列目"}));
}

} // namespace
