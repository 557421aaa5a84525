#include "support/CliRunner.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <string>

namespace {

// Runs nomira-cli (shell-quoted arguments) with an empty registry unless one is given.
CliRun cli(const std::string& arguments,
           const std::string& registry = "/nonexistent/registry.ini") {
    return runNomiraCli(arguments, registry);
}

const std::string kTemplate = "[ROWINFO]\r\n"
                              "NAME=図面番号\t名称\t\r\n"
                              "TYPE=1,3,\r\n"
                              "LOAD=1,2,\r\n"
                              "FILENAME=1,0,\r\n"
                              "SORT1=1,0,\r\n"
                              "SORT2=0,0,\r\n"
                              "REPLACE=1\r\n"
                              "CONNECTION=SP\r\n"
                              "BEAMS1=12,0,\r\n"
                              "BEAMS2=0,0,\r\n"
                              "TEXTRESTTICTION=1.1.,0.2.0.0.1.,\r\n";

} // namespace

TEST(Cli, UsageErrorsExitWithTwo) {
    for (const char* args : {"", "bogus", "--frobnicate settings", "template", "template show",
                             "--yes --no settings", "--data-folder"}) {
        EXPECT_EQ(cli(args).status, 2) << args;
    }
}

TEST(Cli, SettingsOfAFreshDataFolderAreTheDefaultsAndWriteTargetExt) {
    TempDir data;
    const CliRun run = cli("--json --data-folder '" + data.path() + "' settings");
    ASSERT_EQ(run.status, 0);
    const auto doc = nlohmann::json::parse(run.out);
    EXPECT_EQ(doc["SYSTEM"]["Margin"], 12);
    EXPECT_EQ(doc["SYSTEM"]["ExportFilename"], "リネームリスト");
    EXPECT_EQ(doc["SYSTEM"]["TargetExt"], "TIF/TIFF/JPG/JPEG/PDF");
    EXPECT_EQ(doc["SYSTEM"]["KeepRuns"], 5);
    EXPECT_EQ(doc["PATH"]["Scan"], data.path() + "/scan");
    EXPECT_EQ(doc["window"]["left"], -1);
    ASSERT_EQ(doc["sizeMemory"].size(), 42u);
    EXPECT_EQ(doc["sizeMemory"][21]["section"], "ExpanPreview_A0_P2");
    EXPECT_EQ(doc["messages"].size(), 0u);
    EXPECT_NE(data.read("Nomira.ini").find("TargetExt=TIF/TIFF/JPG/JPEG/PDF"), std::string::npos);
}

TEST(Cli, MissingDataFolderFailsWithTheProgramsMessage) {
    const CliRun run = cli("--json settings");
    EXPECT_EQ(run.status, 1);
    const auto doc = nlohmann::json::parse(run.out);
    ASSERT_EQ(doc["messages"].size(), 1u);
    EXPECT_EQ(doc["messages"][0]["caption"], "ｴﾗｰ");
    EXPECT_EQ(doc["messages"][0]["text"].get<std::string>().rfind("作業ﾌｫﾙﾀﾞがありません。", 0),
              0u);
}

TEST(Cli, TemplateListShowAndRewrite) {
    TempDir data;
    data.write("template/demo.tpl", sj(kTemplate));
    data.write("template/notes.tpl", "; comment\r\n[ROWINFO]\r\n");
    const std::string df = "--json --data-folder '" + data.path() + "' ";

    const auto list = nlohmann::json::parse(cli(df + "template list").out);
    EXPECT_EQ(list["templates"], nlohmann::json::array({"demo"}));

    const CliRun show = cli(df + "template show '" + data.file("template/demo.tpl") + "'");
    ASSERT_EQ(show.status, 0);
    const auto t = nlohmann::json::parse(show.out);
    EXPECT_EQ(t["name"], "demo");
    EXPECT_EQ(t["connector"], " ");
    EXPECT_EQ(t["replaceSpaces"], true);
    EXPECT_EQ(t["columns"][0]["name"], "図面番号");
    EXPECT_EQ(t["columns"][0]["digits"], 12);
    EXPECT_EQ(t["columns"][1]["type"], 3);
    // A restriction group that gives no five codes is shown as it stands.
    EXPECT_EQ(t["columns"][0]["restriction"], "1.1.");
    EXPECT_EQ(t["columns"][1]["restriction"], nlohmann::json::array({0, 2, 0, 0, 1}));

    const CliRun rewrite = cli(df + "template rewrite '" + data.file("template/demo.tpl") + "' '" +
                               data.file("out/copy.tpl") + "'");
    ASSERT_EQ(rewrite.status, 0);
    const std::string written = u8(data.read("out/copy.tpl"));
    EXPECT_EQ(written.rfind("[ROWINFO]\r\nNAME=図面番号\t名称\t\r\n", 0), 0u);
    EXPECT_NE(written.find("BEAMS1=12,9,\r\n"), std::string::npos);
    EXPECT_NE(written.find("BEAMS2=0,2,\r\n"), std::string::npos);
    EXPECT_NE(written.find("TEXTRESTTICTION=1.1.,0.2.0.0.1.,\r\n"), std::string::npos);
    EXPECT_EQ(written.find("\nROWWIDTH="), std::string::npos);
}

TEST(Cli, UnreadableTemplateExitsOneWithTheReadMessage) {
    TempDir data;
    data.write("broken.tpl", "[ROWINFO]\r\nNAME=a\t\r\n");
    const CliRun run = cli("--json --data-folder '" + data.path() + "' template show '" +
                           data.file("broken.tpl") + "'");
    EXPECT_EQ(run.status, 1);
    const auto doc = nlohmann::json::parse(run.out);
    EXPECT_EQ(doc["messages"][0]["text"], "ﾃﾝﾌﾟﾚｰﾄ情報の読込みに失敗しました。");
}
