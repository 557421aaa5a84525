#include "base/FileSystem.h"
#include "support/CliRunner.h"
#include "support/RenameListFixtures.h"
#include "support/ScanFixtures.h"
#include "support/TempDir.h"

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <string>
#include <sys/stat.h>

namespace {

using Strings = std::vector<std::string>;

// A template whose file-name column "図番" sends images to a storage folder, a list of three rows
// and two scans; the settings export a rename list CSV named リネームリスト.
class RunCommandTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_store = m_files.mkdir("store");
        std::string text = renameListTemplate({{"図番", 1, 1, true}, {"名称", 1, 2, false}});
        const std::string stored = "OUTPUTPATH=/tmp";
        text.replace(text.find(stored), stored.size(), "OUTPUTPATH=" + m_store);
        m_template = m_files.write("job.tpl", text);
        m_list = m_files.write("list.csv", renameListCsv({"D-1,a", "D-2,b", "D-3,c"}));
        m_scans = m_files.mkdir("scans");
        for (int i = 1; i <= 2; ++i) {
            const std::string path = m_scans + "/s" + std::to_string(i) + ".tif";
            ScanFixtures::writeBilevelTiffMm(path, 210, 297, 100);
            ScanFixtures::setModified(path, 1'700'000'000 + 60 * i);
        }
        m_data.write("Nomira.ini", crlf({"[SYSTEM]", "ExportType=3", "DispInputDlg=1",
                                         "ExportFilename=" + sj("リネームリスト")}));
        m_files.write(sj("store/リネームリスト.csv"), "older");
    }
    static std::string crlf(std::initializer_list<std::string> lines) {
        std::string out;
        for (const std::string& line : lines) {
            out += line + "\r\n";
        }
        return out;
    }

    nlohmann::json cli(const std::string& command, const std::string& more, int expectedStatus) {
        const CliRun r =
            runNomiraCli("--json --yes --data-folder " + shellQuote(m_data.path()) + " " + command +
                         " --template " + shellQuote(m_template) + " --list " + shellQuote(m_list) +
                         " --images " + shellQuote(m_scans) + " " + more);
        EXPECT_EQ(r.status, expectedStatus) << command << " " << more;
        return nlohmann::json::parse(r.out, nullptr, false);
    }

    TempDir m_data;
    TempDir m_files;
    std::string m_store;
    std::string m_template;
    std::string m_list;
    std::string m_scans;
};

TEST_F(RunCommandTest, NamesShowsThePlanAndTouchesNothing) {
    const nlohmann::json doc = cli("names", "--batch-assign", 0);
    EXPECT_EQ(doc["ok"], true);
    ASSERT_EQ(doc["rows"].size(), 2u);
    EXPECT_EQ(doc["rows"][1], (nlohmann::json{{"rowKey", "2"},
                                              {"renameName", "D-2"},
                                              {"target", m_store + "/D-2.tif"},
                                              {"targetExists", false},
                                              {"images", {"s2.tif"}},
                                              {"pages", 1}}));
    EXPECT_EQ(doc["exportFile"], m_store + "/リネームリスト(1).csv");
    EXPECT_EQ(doc["secondCopy"], nullptr);
    EXPECT_EQ(files::listFolder(m_scans).size(), 2u);
    EXPECT_EQ(files::listFolder(m_store).size(), 1u);

    const nlohmann::json none = cli("names", "", 1);
    EXPECT_EQ(none["unavailable"], "実行");
}

// A template edited by hand with a replacement character or connector of more than one byte
// makes no names: check and names refuse it with the template's warning and exit with 1.
TEST_F(RunCommandTest, ATemplateWhoseJoiningCharacterIsNotOneByteMakesNoNames) {
    const std::string text = m_files.read("job.tpl");
    const struct {
        std::string keys;
        const char* message; // nullptr: accepted
    } cases[] = {
        {"REPLACE=1\r\nREPLACECHAR=_\r\nCONNECTION=" + sj("ｰ"), nullptr},
        {"REPLACE=1\r\nREPLACECHAR=" + sj("あ") + "\r\nCONNECTION=",
         "ﾃﾝﾌﾟﾚｰﾄの置換文字(REPLACECHAR)が半角1文字ではないため、読み込めません。\r\n"
         "ﾃﾝﾌﾟﾚｰﾄ編集で置換文字を指定し直してください。"},
        {"REPLACE=0\r\nREPLACECHAR=\r\nCONNECTION=--",
         "ﾃﾝﾌﾟﾚｰﾄの連結子(CONNECTION)が半角1文字ではないため、読み込めません。\r\n"
         "ﾃﾝﾌﾟﾚｰﾄ編集で連結子を指定し直してください。"},
    };
    const std::string stored = "REPLACE=0\r\nREPLACECHAR=\r\nSORTEXPORT=0\r\nMEMORYROWWIDTH=0"
                               "\r\nCONNECTION=";
    for (const auto& c : cases) {
        SCOPED_TRACE(u8(c.keys));
        std::string edited = text;
        edited.replace(edited.find(stored), stored.size(), c.keys);
        m_files.write("job.tpl", edited);
        const nlohmann::json names = cli("names", "--batch-assign", c.message ? 1 : 0);
        const CliRun check =
            runNomiraCli("--json --data-folder " + shellQuote(m_data.path()) +
                         " check --template " + shellQuote(m_template) + " " + shellQuote(m_list));
        EXPECT_EQ(check.status, c.message ? 1 : 0);
        if (!c.message) {
            EXPECT_EQ(names["rows"].size(), 2u);
            continue;
        }
        for (const nlohmann::json& doc : {names, nlohmann::json::parse(check.out)}) {
            ASSERT_EQ(doc["messages"].size(), 1u) << doc.dump();
            EXPECT_EQ(doc["messages"][0]["text"], c.message);
            EXPECT_EQ(doc["messages"][0]["caption"], "警告");
            EXPECT_FALSE(doc.contains("rows"));
        }
    }
}

TEST_F(RunCommandTest, HeadlessCommandsLeaveTheTempFolderAsItWas) {
    const struct {
        const char* loadPreview;
        const char* command;
        const char* more;
    } cases[] = {{"0", "names", "--batch-assign"},
                 {"1", "names", "--batch-assign"},
                 {"1", "assign", "--batch-assign"}};
    m_data.write("temp/kept-tif-0001.png", "kept");
    for (const auto& c : cases) {
        m_data.write("Nomira.ini",
                     crlf({"[SYSTEM]", "ExportType=3", std::string("LoadPreview=") + c.loadPreview,
                           "ExportFilename=" + sj("リネームリスト")}));
        cli(c.command, c.more, 0);
        EXPECT_EQ(files::listFolder(m_data.file("temp")),
                  std::vector<std::string>{"kept-tif-0001.png"})
            << c.command << " LoadPreview=" << c.loadPreview;
        EXPECT_EQ(m_data.read("temp/kept-tif-0001.png"), "kept");
    }
}

TEST_F(RunCommandTest, RunMovesTheImagesWritesTheListAndReportsWhatItDid) {
    const nlohmann::json doc = cli("run", "--batch-assign --export-name done", 0);
    EXPECT_EQ(doc["processed"], 2);
    EXPECT_EQ(doc["renamed"], 2);
    EXPECT_EQ(doc["targets"], (nlohmann::json{m_store + "/D-1.tif", m_store + "/D-2.tif"}));
    EXPECT_EQ(doc["exportFiles"], (nlohmann::json{m_store + "/done.csv"}));
    EXPECT_EQ(doc["removedRows"], (nlohmann::json{"1", "2"}));
    EXPECT_EQ(doc["messages"].back()["text"], "2/2件をﾘﾈｰﾑしました。");
    EXPECT_TRUE(files::listFolder(m_scans).empty());
    EXPECT_EQ(m_files.read("store/done.csv"), "\"D-1\",\"a\"\r\n\"D-2\",\"b\"\r\n");
}

TEST_F(RunCommandTest, ARowThatCannotBeWrittenFailsAndTheRunExitsWithOne) {
    // A folder stands where the target would go: the move fails, the scan stays.
    m_files.mkdir("store/D-1.tif");
    ScanFixtures::writeBilevelTiffMm(m_scans + "/s3.tif", 210, 297, 100);
    const CliRun r =
        runNomiraCli("--json --no --data-folder " + shellQuote(m_data.path()) + " run --template " +
                     shellQuote(m_template) + " --list " + shellQuote(m_list) + " --images " +
                     shellQuote(m_scans) + " --assign 1=s3.tif");
    EXPECT_EQ(r.status, 1);
    const nlohmann::json failed = nlohmann::json::parse(r.out, nullptr, false);
    EXPECT_EQ(failed["renamed"], 0);
    EXPECT_TRUE(files::exists(m_scans + "/s3.tif"));
}

// The agent export type through the stand-in agent built beside nomira-cli: the prerequisites stop
// names and run until the definition exists; a run writes the agent list, converts and
// registers; a missing registration program leaves the files renamed but fails the command.
TEST_F(RunCommandTest, AgentTypeRunHandsTheFilesToTheStandInAgent) {
    namespace fs = std::filesystem;
    const fs::path built = fs::path(std::getenv("NOMIRA_CLI")).parent_path() / "agent";
    const std::string agent = m_files.mkdir("agent");
    for (const char* program : {"Quentdef.exe", "Quentconv.exe"}) {
        fs::copy_file(built / program, files::native(agent + "/" + program));
    }
    const std::string registered = m_files.file("registered");
    m_files.write("agent/Quentry.ini", "[Store]\nFolder=" + registered + "\n");
    std::string text = m_files.read("job.tpl");
    text.replace(text.find("DOCTYPE="), 8, "DOCTYPE=drawing");
    m_files.write("job.tpl", text);
    m_data.write("Nomira.ini", crlf({"[SYSTEM]", "ExportType=2", "DispInputDlg=1", "[PATH]",
                                     "QuentryPath=" + agent}));

    const nlohmann::json refused = cli("names", "--batch-assign", 1);
    EXPECT_NE(refused.dump().find(
                  "ﾘﾈｰﾑ画像の格納フォルダにquentdef.xmlﾌｧｲﾙが存在しないため、実行できません。"),
              std::string::npos)
        << refused.dump();

    ASSERT_EQ(std::system(("'" + agent + "/Quentdef.exe' '/o=" + m_store + "' /t=Drawing").c_str()),
              0);
    const nlohmann::json first = cli("run", "--assign 1=s1.tif --export-name first", 1);
    EXPECT_EQ(first["messages"].back()["text"], "1/1件をﾘﾈｰﾑしました。");
    ASSERT_EQ(first["agentRuns"].size(), 2u);
    EXPECT_EQ(first["agentRuns"][0]["commandLine"],
              "\"" + agent + "/Quentconv.exe\" \"" + m_store + "\"");
    EXPECT_EQ(first["agentRuns"][0]["exitCode"], 0);
    EXPECT_EQ(first["agentRuns"][1]["exitCode"], nullptr);
    EXPECT_TRUE(files::exists(m_store + "/WORK/first.job"));

    fs::copy_file(built / "Quentry.exe", files::native(agent + "/Quentry.exe"));
    const nlohmann::json second = cli("run", "--assign 2=s2.tif --export-name second", 0);
    EXPECT_EQ(second["messages"].back()["text"], "1/1件をﾘﾈｰﾑしました。");
    EXPECT_EQ(second["agentRuns"][1]["commandLine"],
              "\"" + agent + "/Quentry.exe\" /d=\"" + m_store + "/WORK\"");
    EXPECT_EQ(second["agentRuns"][1]["exitCode"], 0);
    // The second column fills the cabinet; the folder is the definition's default.
    EXPECT_TRUE(files::exists(registered + "/Drawing/a/Folder/D-1.tif"))
        << m_files.read("registered/quentry.log");
    EXPECT_TRUE(files::exists(registered + "/Drawing/b/Folder/D-2.tif"));
    EXPECT_TRUE(files::exists(m_store + "/D-2.tif"));
}

// Two rows that end with one file (the blank removed by an empty replacement): names lists them
// and is not ok; run writes the first, keeps the second row and its scan, and exits with 1.
TEST_F(RunCommandTest, RowsThatWouldWriteOneFileAreListedAndTheLaterOneStays) {
    std::string text = m_files.read("job.tpl");
    text.replace(text.find("REPLACE=0"), 9, "REPLACE=1");
    m_files.write("job.tpl", text);
    m_files.write("list.csv", renameListCsv({"D 1,a", "D1,b"}));
    const nlohmann::json names = cli("names", "--batch-assign", 1);
    EXPECT_EQ(names["ok"], false);
    const nlohmann::json conflict = {{"rowKeys", nlohmann::json::array({"1", "2"})},
                                     {"target", m_store + "/D1.tif"}};
    EXPECT_EQ(names["conflicts"], nlohmann::json::array({conflict}));
    EXPECT_EQ(files::listFolder(m_scans).size(), 2u);

    const nlohmann::json run = cli("run", "--batch-assign --export-name done", 1);
    EXPECT_EQ(run["renamed"], 1);
    EXPECT_EQ(run["removedRows"], nlohmann::json::array({"1"}));
    EXPECT_EQ(files::listFolder(m_scans), std::vector<std::string>{"s2.tif"});
    EXPECT_EQ(files::listFolder(m_store),
              (std::vector<std::string>{"D1.tif", "done.csv", sj("リネームリスト.csv")}));
    EXPECT_NE(run["messages"].dump().find(
                  "次の行は、ﾘﾈｰﾑ後のﾌｧｲﾙ名が前の行と同じになるため、ﾘﾈｰﾑしません。\\r\\nNo 2 （No "
                  "1 と同じ D1.tif）"),
              std::string::npos)
        << run["messages"].dump();
}

// Every failure the operator would be told of ends the command with 1, whatever the command.
TEST_F(RunCommandTest, EveryToldFailureExitsWithOne) {
    struct Case {
        const char* label;
        std::string ini;
        bool agree;
        std::function<void()> arrange;
        std::string command;
        std::string more;
        std::string message;
    };
    const std::vector<Case> cases = {
        {"an empty export name without the dialog",
         crlf({"[SYSTEM]", "ExportType=3", "DispInputDlg=0", "ExportFilename="}), true, [] {},
         "names", "--batch-assign", "環境設定画面にてｴｸｽﾎﾟｰﾄﾌｧｲﾙ名を指定してください。"},
        {"a typed name without a cp932 form", crlf({"[SYSTEM]", "RenameOverwrite=1"}), false,
         [this] { m_files.write("store/D-1.tif", "older"); }, "run",
         "--assign 1=s1.tif --rename-as " + shellQuote("é名"),
         "ﾌｧｲﾙ名に使用できない文字が含まれています。"},
        {"a write-only storage folder",
         {},
         true,
         [this] { ::chmod(m_store.c_str(), 0333); },
         "run",
         "--batch-assign",
         "ﾘﾈｰﾑ画像の格納ﾌｫﾙﾀﾞに対してｱｸｾｽ権がないため、実行できません。"},
    };
    for (const Case& c : cases) {
        if (!c.ini.empty()) {
            m_data.write("Nomira.ini", c.ini);
        }
        c.arrange();
        const Strings before = files::listFolder(m_scans);
        const CliRun r = runNomiraCli(
            std::string("--json ") + (c.agree ? "--yes" : "--no") + " --data-folder " +
            shellQuote(m_data.path()) + " " + c.command + " --template " + shellQuote(m_template) +
            " --list " + shellQuote(m_list) + " --images " + shellQuote(m_scans) + " " + c.more);
        ::chmod(m_store.c_str(), 0755);
        EXPECT_EQ(r.status, 1) << c.label;
        const std::string quoted = nlohmann::json(c.message).dump();
        EXPECT_NE(r.out.find(quoted.substr(1, quoted.size() - 2)), std::string::npos)
            << c.label << "\n"
            << r.out;
        EXPECT_EQ(files::listFolder(m_scans), before) << c.label;
    }
    EXPECT_EQ(m_files.read("store/D-1.tif"), "older");
    EXPECT_FALSE(files::exists(m_store + "/" + sj("？名.tif")));
}

} // namespace

namespace {

// undo after a run: the dry run lists every path and touches nothing, the undo restores them and
// writes the removed rows, a second undo finds nothing; a name to restore that is taken refuses the
// undo until it is free again.
TEST_F(RunCommandTest, UndoReportsEveryPathAndRefusesWhileANameIsTaken) {
    cli("run", "--batch-assign", 0);
    const std::string data = shellQuote(m_data.path());
    auto undo = [&](const std::string& more, int expectedStatus) {
        const CliRun r = runNomiraCli("--json --data-folder " + data + " undo" + more);
        EXPECT_EQ(r.status, expectedStatus) << more;
        return nlohmann::json::parse(r.out, nullptr, false);
    };
    const std::string target = m_store + "/D-1.tif";
    m_files.write("scans/s1.tif", "a new scan under the old name");
    const nlohmann::json refused = undo("", 1);
    EXPECT_EQ(refused["restored"].size(), 0u);
    EXPECT_EQ(refused["messages"][0]["text"],
              "元の名前のﾌｧｲﾙが既に存在するため、元に戻せません。\r\n" + m_scans + "/s1.tif");
    ASSERT_TRUE(files::removeFile(m_scans + "/s1.tif"));

    const nlohmann::json dry = undo(" --dry-run", 0);
    const nlohmann::json expectedRestored = {
        {{"from", m_store + "/D-2.tif"}, {"to", m_scans + "/s2.tif"}},
        {{"from", target}, {"to", m_scans + "/s1.tif"}}};
    EXPECT_EQ(dry["restored"], expectedRestored);
    EXPECT_EQ(dry["removed"], nlohmann::json::array({m_store + "/リネームリスト(1).csv"}));
    EXPECT_TRUE(files::exists(target));

    const nlohmann::json done = undo("", 0);
    EXPECT_EQ(done["restored"], expectedRestored);
    EXPECT_EQ(done["journal"], dry["journal"]);
    EXPECT_TRUE(files::exists(m_scans + "/s1.tif"));
    EXPECT_FALSE(files::exists(target));
    EXPECT_EQ(u8(*files::readAll(sj(done["listRows"].get<std::string>()))),
              "\"D-1\",\"a\"\r\n\"D-2\",\"b\"\r\n");
    EXPECT_EQ(undo("", 1)["messages"][0]["text"], "元に戻せる実行がありません。");
}

} // namespace
