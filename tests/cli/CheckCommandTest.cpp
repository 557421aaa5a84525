#include "support/CliRunner.h"
#include "support/NonRegularFiles.h"
#include "support/RenameListFixtures.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <string>

namespace {

CliRun runCli(const std::string& arguments) {
    return runNomiraCli(arguments);
}

// A data folder whose settings give empty dates the fixed date 2010/04/01, a template (drawing
// number: text, file name, primary sort; count: integer of 3 digits; date) and its argument text.
struct CheckFolder {
    CheckFolder() {
        data.write("Nomira.ini", "[SYSTEM]\r\nInitDateType=1\r\nInitDate=2010/04/01\r\n");
        FixtureColumn number{"図面番号", 1, 2};
        number.fileName = true;
        number.sort1 = 1;
        FixtureColumn count{"枚数", 2, 1};
        count.digits = 3;
        templatePath = data.write("template/plan.tpl",
                                  renameListTemplate({number, count, FixtureColumn{"日付", 4, 3}}));
    }
    std::string check(const std::string& list, const std::string& options = "--json") const {
        return options + " --data-folder '" + data.path() + "' check --template '" + templatePath +
               "' '" + list + "'";
    }
    TempDir data;
    std::string templatePath;
};

} // namespace

TEST(CheckCommand, ReportsTheListAsTheLoadButtonReadsIt) {
    CheckFolder folder;
    const std::string list =
        folder.data.write("list.csv", renameListCsv({"12345,図-B,2008/1/5", "12a,図-A,", ""}));
    // The invalid cell is reported with the load's warning, so the command ends with 1.
    const CliRun run = runCli(folder.check(list));
    ASSERT_EQ(run.status, 1) << run.out;
    const auto doc = nlohmann::json::parse(run.out);
    EXPECT_EQ(doc["loadedRowCount"], 3);
    // Sorted by the drawing number: the empty line comes first, and every row up to the last one
    // with content is reported.
    ASSERT_EQ(doc["rows"].size(), 3u);
    EXPECT_EQ(doc["rows"][0]["row"], 1);
    EXPECT_EQ(doc["rows"][0]["cells"][0]["text"], "");
    EXPECT_EQ(doc["rows"][0]["cells"][2]["text"], ""); // not loaded: no initial date
    const auto& first = doc["rows"][1]["cells"];
    EXPECT_EQ(first[0]["text"], "図-A");
    EXPECT_EQ(first[1]["text"], "");
    EXPECT_EQ(first[1]["invalid"], true);
    EXPECT_EQ(first[2]["text"], "2010/04/01");
    const auto& second = doc["rows"][2]["cells"];
    EXPECT_EQ(second[0]["text"], "図-B");
    EXPECT_EQ(second[1]["text"], "123");
    EXPECT_EQ(second[2]["text"], "2008/01/05");
    EXPECT_EQ(second[2]["invalid"], false);
    ASSERT_EQ(doc["messages"].size(), 1u);
    EXPECT_EQ(doc["messages"][0]["caption"], "警告");
    EXPECT_EQ(doc["messages"][0]["text"], "ﾘﾈｰﾑﾘｽﾄ内に列定義に準拠しないﾃﾞｰﾀがありました。");
}

TEST(CheckCommand, JsonCarriesEveryCellTextExactly) {
    CheckFolder folder;
    // Sorted by the drawing number: the order of the table.
    const std::vector<std::string> texts{std::string("\x01-ctl\x1f"), "back\\slash", "tab\there",
                                         "ｶﾅ図面", "＂全角＂"};
    std::string list;
    for (const std::string& text : texts) {
        list += "1," + sj(text) + ",2008/1/5\r\n";
    }
    const CliRun run = runCli(folder.check(folder.data.write("list.csv", list)));
    ASSERT_EQ(run.status, 0) << run.out;
    const auto doc = nlohmann::json::parse(run.out);
    ASSERT_EQ(doc["rows"].size(), texts.size());
    for (std::size_t i = 0; i < texts.size(); ++i) {
        EXPECT_EQ(doc["rows"][i]["row"], i + 1);
        EXPECT_EQ(doc["rows"][i]["cells"][0]["text"], texts[i]);
        EXPECT_EQ(doc["rows"][i]["cells"][1]["text"], "1");
        EXPECT_EQ(doc["rows"][i]["cells"][2]["invalid"], false);
    }
    EXPECT_TRUE(doc["messages"].empty());
    // An empty list has no rows, and the document still reads.
    const CliRun empty = runCli(folder.check(folder.data.write("empty.csv", "")));
    ASSERT_EQ(empty.status, 0);
    EXPECT_EQ(nlohmann::json::parse(empty.out)["rows"], nlohmann::json::array());
}

TEST(CheckCommand, CompletesTheExtensionAndRefusesMissingLists) {
    CheckFolder folder;
    folder.data.write("list.csv", renameListCsv({"1,A"}));
    const CliRun completed = runCli(folder.check(folder.data.file("list")));
    EXPECT_EQ(completed.status, 0);
    EXPECT_EQ(nlohmann::json::parse(completed.out)["rows"].size(), 1u);

    const CliRun missing = runCli(folder.check(folder.data.file("other.csv")));
    EXPECT_EQ(missing.status, 1);
    const auto doc = nlohmann::json::parse(missing.out);
    ASSERT_EQ(doc["messages"].size(), 1u);
    EXPECT_EQ(doc["messages"][0]["text"], "指定したﾘﾈｰﾑﾘｽﾄﾌｧｲﾙが存在しません。");
}

TEST(CheckCommand, TooManyLinesAndUnreadableTemplates) {
    CheckFolder folder;
    const std::string list = folder.data.write(
        "big.csv", renameListCsvOf(1001, [](int i) { return std::to_string(i) + ",N"; }));
    // The warning about the lines left out fails the command; the text goes to standard error.
    const CliRun run = runCli(folder.check(list, ""));
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.out.find("loaded rows: 1000\n"), std::string::npos);
    const CliRun json = runCli(folder.check(list));
    EXPECT_EQ(json.status, 1);
    EXPECT_NE(json.out.find("読込みﾃﾞｰﾀ行が1000行を超過しました。"), std::string::npos);

    const std::string broken = folder.data.write("broken.tpl", "[ROWINFO]\r\nNAME=a\t\r\n");
    const CliRun bad = runCli("--json check --template '" + broken + "' '" + list + "'");
    EXPECT_EQ(bad.status, 1);
    EXPECT_EQ(nlohmann::json::parse(bad.out)["messages"][0]["text"],
              "ﾃﾝﾌﾟﾚｰﾄ情報の読込みに失敗しました。");
}

TEST(CheckCommand, UsageErrorsExitWithTwo) {
    for (const char* args : {"check", "check a.csv", "check --template a.tpl",
                             "check --template a.tpl a.csv b.csv", "check --bogus a.csv"}) {
        EXPECT_EQ(runCli(args).status, 2) << args;
    }
}

TEST(CheckCommand, ATemplateWithMoreColumnsThanCsvRowNumIsNotApplied) {
    const struct {
        const char* csvRowNum; // nullptr: not set (300)
        int columns;
        bool applied;
    } cases[] = {
        {nullptr, 300, true}, {nullptr, 301, false}, {nullptr, 5000, false},
        {"20", 20, true},     {"20", 21, false},     {"500", 301, false},
    };
    for (const auto& c : cases) {
        CheckFolder folder;
        if (c.csvRowNum) {
            folder.data.write("Nomira.ini",
                              std::string("[SYSTEM]\r\nCsvRowNum=") + c.csvRowNum + "\r\n");
        }
        const std::string wide =
            folder.data.write("template/wide.tpl", templateOfColumns(c.columns));
        const std::string list = folder.data.write("list.csv", "x\r\n");
        const CliRun run = runCli("--json --data-folder '" + folder.data.path() +
                                  "' check --template '" + wide + "' '" + list + "'");
        const auto doc = nlohmann::json::parse(run.out);
        SCOPED_TRACE(std::to_string(c.columns) + " columns");
        if (c.applied) {
            EXPECT_EQ(run.status, 0);
            EXPECT_EQ(doc["rows"][0]["cells"].size(), static_cast<std::size_t>(c.columns));
            continue;
        }
        EXPECT_EQ(run.status, 1);
        ASSERT_EQ(doc["messages"].size(), 1u);
        EXPECT_EQ(doc["messages"][0]["text"],
                  "指定したﾃﾝﾌﾟﾚｰﾄの列数が最大列数(上限値300)を超過したため、読み込めません。\n\r"
                  "INIﾌｧｲﾙの設定値を変更した後、再起動してください。");
        EXPECT_EQ(doc["messages"][0]["caption"], "警告");
    }
}

TEST(CheckCommand, AListOrTemplateThatIsNoRegularFileIsRefusedWithoutBlocking) {
    CheckFolder folder;
    const std::string list = folder.data.write("list.csv", renameListCsv({"1,A"}));
    for (const bool asTemplate : {false, true}) {
        for (const NonRegularFile& odd :
             nonRegularFiles(folder.data, asTemplate ? "plan.tpl" : "list.csv")) {
            SCOPED_TRACE(odd.label + (asTemplate ? " as template" : " as list"));
            CliRun run;
            EXPECT_TRUE(finishesWithoutBlocking(folder.data, [&] {
                run = runCli(asTemplate ? "--json --data-folder '" + folder.data.path() +
                                              "' check --template '" + odd.path + "' '" + list + "'"
                                        : folder.check(odd.path));
            }));
            EXPECT_EQ(run.status, 1);
            const auto doc = nlohmann::json::parse(run.out);
            ASSERT_EQ(doc["messages"].size(), 1u);
            const std::string name = odd.path.substr(odd.path.rfind('/') + 1);
            EXPECT_EQ(doc["messages"][0]["text"], name + "は通常のﾌｧｲﾙではないため、開けません。");
        }
    }
}
