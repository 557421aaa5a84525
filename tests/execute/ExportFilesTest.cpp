#include "execute/ExportLines.h"
#include "execute/ExportSort.h"
#include "execute/ExportWriter.h"

#include "FailingFileChanges.h"
#include "TemplateColumns.h"
#include "app/Settings.h"
#include "base/FileSystem.h"
#include "base/ScriptedPrompter.h"
#include "support/TempDir.h"
#include "template/Template.h"

#include <gtest/gtest.h>

namespace {

// title (file name), cabinet, folder, zero-padded integer (file name), short date (file name),
// paper size.
Template sixColumns() {
    Template t;
    t.columns = {col(1, true),       col(1, false),      col(1, false),
                 col(2, true, 5, 3), col(4, true, 0, 1), col(5, false)};
    t.replaceSpaces = true;
    t.replacementChar = "_";
    return t;
}

std::vector<std::string> cellsOf(std::initializer_list<const char*> utf8) {
    std::vector<std::string> cells;
    for (const char* c : utf8) {
        cells.push_back(sj(c));
    }
    return cells;
}

const std::vector<std::string> kRow =
    cellsOf({" a:b", " cab ", "/ fol", " 42 ", "2008/07/15", "A4 縦"});

TEST(ExportLines, EachTypeWritesItsFields) {
    const Template six = sixColumns();
    Template three;
    three.columns = {col(1, false), col(1, false), col(1, false)};
    const exportlines::AgentDefaults defaults{sj("既定"), sj("/ 既定folder")};
    struct Case {
        const char* label;
        std::string line;
        const char* expected; // UTF-8
    };
    const std::vector<Case> cases = {
        {"Ledgra", exportlines::ledgraLine(six, kRow, "00010001.tif"),
         "\"a：b\",\" cab \",\"/ fol\",\"42\",\"2008/07/15\",\"A4 縦\",1,00010001.tif"},
        {"agent", exportlines::agentLine("f.tif", exportlines::agentFields(six, kRow), defaults),
         "\"f.tif\",cab,fol,\"_a：b\",\"42\",\"2008/07/15\",\"A4 縦\","},
        {"agent with three columns and defaults",
         exportlines::agentLine(
             "f.tif", exportlines::agentFields(three, cellsOf({"  title", "", ""})), defaults),
         "\"f.tif\",既定,既定folder,\"title\","},
        {"rename list without name", exportlines::renameListLine(six, kRow, 0, "x.tif"),
         "\"_a:b\",\" cab \",\"/ fol\",42,080715,\"A4 縦\""},
        {"rename list, name first", exportlines::renameListLine(six, kRow, 2, "x.tif"),
         "\"x.tif\",\"_a:b\",\" cab \",\"/ fol\",42,080715,\"A4 縦\""},
        {"rename list, failed row, name first", exportlines::renameListLine(six, kRow, 2, ""),
         ",\"_a:b\",\" cab \",\"/ fol\",42,080715,\"A4 縦\""},
        {"rename list, name last", exportlines::renameListLine(six, kRow, 1, "x.tif"),
         "\"_a:b\",\" cab \",\"/ fol\",42,080715,\"A4 縦\",\"x.tif\""},
        {"rename list, failed row, name last", exportlines::renameListLine(six, kRow, 1, ""),
         "\"_a:b\",\" cab \",\"/ fol\",42,080715,\"A4 縦\","},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(u8(c.line), c.expected) << c.label;
    }
}

TEST(ExportSort, SecondaryKeyFirstThenStablyThePrimary) {
    Template t;
    t.columns = {col(1, false), col(1, false), col(1, false)};
    t.columns[0].sort1 = 1;
    t.columns[1].sort2 = 2;
    t.sortExport = true;
    const std::vector<std::string> lines = {"b,1,first", "a,1,x", "b,2,y", "a,2,z", "b,1,second"};
    auto sorted = lines;
    exportsort::sortLines(sorted, t, ExportType::Ledgra, 0);
    EXPECT_EQ(sorted,
              (std::vector<std::string>{"a,2,z", "a,1,x", "b,2,y", "b,1,first", "b,1,second"}));
    t.sortExport = false;
    sorted = lines;
    exportsort::sortLines(sorted, t, ExportType::Ledgra, 0);
    EXPECT_EQ(sorted, lines);
    t.sortExport = true;
    t.columns[0].sort1 = 0;
    exportsort::sortLines(sorted, t, ExportType::Ledgra, 0);
    EXPECT_EQ(sorted, lines) << "no primary column, no sort";

    // In the agent list the first column is the title, the fourth field.
    t.columns[0].sort1 = 1;
    std::vector<std::string> agent = {"\"f1\",c,d,\"b\",", "\"f2\",c,d,\"a\","};
    exportsort::sortLines(agent, t, ExportType::Agent, 0);
    EXPECT_EQ(agent.front(), "\"f2\",c,d,\"a\",");
}

class ExportWriterTest : public ::testing::Test {
protected:
    ExportWriterTest() { m_template.columns = {col(1, true), col(1, false), col(1, false)}; }
    std::vector<ExportWriter::Row> rows() const {
        return {{cellsOf({"t1", "c1", "f1"}), "a.tif"},
                {cellsOf({"t2", "", ""}), ""},
                {cellsOf({"t3", "", "/f3"}), "c.tif"}};
    }
    TempDir m_dir;
    Template m_template;
    Settings m_settings;
    ScriptedPrompter m_prompter;
    PosixFileChanges m_changes;
};

TEST_F(ExportWriterTest, ListsAreCp932WithCrLfAndLeaveOutFailedRows) {
    ExportWriter writer(m_changes, m_prompter, m_template, m_settings);
    ASSERT_TRUE(writer.WriteLedgraList(m_dir.file("l.csv"), rows()));
    EXPECT_EQ(m_dir.read("l.csv"),
              "\"t1\",\"c1\",\"f1\",1,a.tif\r\n\"t3\",\"\",\"/f3\",1,c.tif\r\n");
    m_settings.addText = 2;
    ASSERT_TRUE(writer.WriteRenameListCsv(m_dir.file("r.csv"), rows()));
    EXPECT_EQ(
        m_dir.read("r.csv"),
        "\"a.tif\",\"t1\",\"c1\",\"f1\"\r\n,\"t2\",\"\",\"\"\r\n\"c.tif\",\"t3\",\"\",\"/f3\"\r\n");
    ASSERT_TRUE(writer.WriteRowCsv(m_dir.file("a.csv"), rows()[0]));
    EXPECT_EQ(m_dir.read("a.csv"), "\"t1\",\"c1\",\"f1\"\r\n");
    EXPECT_TRUE(m_prompter.shown().empty());
}

TEST_F(ExportWriterTest, AgentListTakesDefaultsFromTheDefinitionFile) {
    struct Case {
        const char* label;
        std::string xml; // empty: no file
        const char* expected;
    };
    const std::vector<Case> cases = {
        {"UTF-8 definition",
         "<?xml version=\"1.0\" encoding=\"UTF-8\"?><Def><CabinetName>棚</CabinetName>"
         "<Sub><FolderName>/ 図面</FolderName></Sub></Def>",
         "\"a.tif\",c1,f1,\"t1\",\r\n\"c.tif\",棚,f3,\"t3\",\r\n"},
        {"Shift-JIS definition",
         "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?><Def><CabinetName>" + sj("棚") +
             "</CabinetName><FolderName>x</FolderName></Def>",
         "\"a.tif\",c1,f1,\"t1\",\r\n\"c.tif\",棚,f3,\"t3\",\r\n"},
        {"no definition", "", nullptr},
        {"broken definition", "<Def><CabinetName>", nullptr},
    };
    for (const Case& c : cases) {
        TempDir dir;
        if (!c.xml.empty()) {
            dir.write("QuentDef.XML", c.xml);
        }
        ScriptedPrompter prompter;
        ExportWriter writer(m_changes, prompter, m_template, m_settings);
        const bool written = writer.WriteAgentList(dir.file("q.csv"), rows());
        EXPECT_EQ(written, c.expected != nullptr) << c.label;
        if (c.expected != nullptr) {
            EXPECT_EQ(u8(dir.read("q.csv")), c.expected) << c.label;
            EXPECT_TRUE(prompter.shown().empty()) << c.label;
        } else {
            EXPECT_FALSE(files::exists(dir.file("q.csv"))) << c.label;
            ASSERT_EQ(prompter.shown().size(), 1u) << c.label;
            EXPECT_EQ(u8(prompter.shown()[0].text), "XMLのﾛｰﾄﾞに失敗しました。") << c.label;
        }
    }
}

TEST_F(ExportWriterTest, SecondCopiesKeepTheNameOrNumberTheAgentNameAndReportFailures) {
    const std::string list = m_dir.write("store/list.csv", "content");
    const std::string second = m_dir.mkdir("second");
    m_dir.write("second/typed.csv", "older");
    m_dir.write("second/list.csv", "older");
    struct Case {
        const char* label;
        int type;
        bool addConse;
        std::string folder;
        const char* copied; // file name in the second folder, nullptr when the copy fails
    };
    const std::vector<Case> cases = {
        {"same name, overwriting", 3, true, second, "list.csv"},
        {"agent type numbers the typed name", 2, true, second, "typed(1).csv"},
        {"agent type without numbering", 2, false, second, "list.csv"},
        {"missing folder", 3, true, m_dir.file("absent"), nullptr},
    };
    for (const Case& c : cases) {
        m_settings.exportType = c.type;
        m_settings.exportAddConse = c.addConse;
        m_settings.exportSelectFolderPath = c.folder;
        ScriptedPrompter prompter;
        ExportWriter writer(m_changes, prompter, m_template, m_settings);
        EXPECT_EQ(writer.CopyToSecondFolder({list}, "typed"), c.copied != nullptr) << c.label;
        if (c.copied != nullptr) {
            EXPECT_EQ(files::readAll(files::join(c.folder, c.copied)).value_or(""), "content")
                << c.label;
            EXPECT_TRUE(prompter.shown().empty()) << c.label;
            files::writeAtomically(files::join(c.folder, c.copied), "older");
        } else {
            ASSERT_EQ(prompter.shown().size(), 1u) << c.label;
            EXPECT_EQ(u8(prompter.shown()[0].text),
                      "環境設定で指定された格納ﾌｫﾙﾀﾞへの出力に失敗しました。")
                << c.label;
        }
    }
    EXPECT_EQ(m_dir.read("second/typed.csv"), "older");
}

TEST_F(ExportWriterTest, AFailedWriteLeavesThePreviousListWhole) {
    const std::string path = m_dir.write("l.csv", "previous run");
    for (int failAt = 1; failAt <= 4; ++failAt) {
        FailingFileChanges failing(failAt);
        ExportWriter writer(failing, m_prompter, m_template, m_settings);
        EXPECT_FALSE(writer.WriteLedgraList(path, rows())) << failAt;
        EXPECT_EQ(m_dir.read("l.csv"), "previous run") << failAt;
        EXPECT_EQ(files::listFolder(m_dir.path()).size(), 1u) << failAt;
    }
}

} // namespace
