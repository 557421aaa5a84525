#include "base/FileSystem.h"
#include "support/CliRunner.h"
#include "support/RenameListFixtures.h"
#include "support/ScanFixtures.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <string>

namespace {

// A data folder, a template outside it ("job": file-name column "図番", paper-size column
// "用紙"), two scans and a list of three rows.
class AssignCommandTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_template = m_files.write(
            "job.tpl", renameListTemplate({{"図番", 1, 1, true}, {"用紙", 5, 0, false}}));
        m_list = m_files.write("list.csv", renameListCsv({"D-1", "D-2", "D-3"}));
        m_scans = m_files.mkdir("scans");
        ScanFixtures::writeBilevelTiffMm(m_scans + "/s1.tif", 210, 297, 100);
        ScanFixtures::setModified(m_scans + "/s1.tif", 1'700'000'000);
        ScanFixtures::writeBilevelTiffMm(m_scans + "/s2.tif", 420, 297, 100);
        ScanFixtures::setModified(m_scans + "/s2.tif", 1'700'000'060);
    }

    nlohmann::json run(const std::string& operations, int expectedStatus) {
        const CliRun r = runNomiraCli("--json --yes --data-folder " + shellQuote(m_data.path()) +
                                      " assign --template " + shellQuote(m_template) + " --list " +
                                      shellQuote(m_list) + " --images " + shellQuote(m_scans) +
                                      " " + operations);
        EXPECT_EQ(r.status, expectedStatus) << operations;
        return nlohmann::json::parse(r.out, nullptr, false);
    }

    TempDir m_data;
    TempDir m_files;
    std::string m_template;
    std::string m_list;
    std::string m_scans;
};

TEST_F(AssignCommandTest, BatchAssignReportsRecordsMarksAndCommandStates) {
    const nlohmann::json doc = run("--batch-assign", 0);
    ASSERT_EQ(doc["assignments"].size(), 2u);
    EXPECT_EQ(
        doc["assignments"][1],
        (nlohmann::json{{"rowKey", "2"}, {"fileName", "s2.tif"}, {"page", 1}, {"preview", 1}}));
    ASSERT_EQ(doc["renameRows"].size(), 3u);
    EXPECT_EQ(doc["renameRows"][0]["mark"], "single");
    EXPECT_EQ(doc["renameRows"][1]["cells"][1], "A3 横 (幅 420mm×高さ 297mm)");
    EXPECT_EQ(doc["renameRows"][2]["mark"], "none");
    EXPECT_EQ(
        doc["images"][0],
        (nlohmann::json{{"row", 1}, {"fileName", "s1.tif"}, {"page", "1"}, {"mark", "single"}}));
    EXPECT_EQ(doc["commands"], (nlohmann::json{{"assign", false},
                                               {"release", true},
                                               {"batchAssign", true},
                                               {"batchRelease", true},
                                               {"execute", true}}));
    EXPECT_EQ(doc["workData"]["modified"], true);
    ASSERT_EQ(doc["messages"].size(), 1u);
    EXPECT_EQ(doc["messages"][0]["text"], "ﾃﾞｰﾀ数が一致していません。\n\r少ないﾃﾞｰﾀに合わせて一括割"
                                          "り当てを実行しますか？\n\r\n\r  書誌ﾃﾞｰﾀ：3個\n\r  画"
                                          "像ﾃﾞｰﾀ：2個");
}

TEST_F(AssignCommandTest, OperationsRunInOrderAndADisabledOneStopsTheRun) {
    nlohmann::json doc = run("--assign 3=s1.tif,s2.tif --release s1.tif", 0);
    ASSERT_EQ(doc["assignments"].size(), 1u);
    EXPECT_EQ(doc["assignments"][0]["rowKey"], "3");
    EXPECT_EQ(doc["assignments"][0]["fileName"], "s2.tif");
    EXPECT_EQ(doc["images"][1]["page"], "1");

    doc = run("--assign 1=s1.tif --assign 2=s1.tif --batch-release", 1);
    EXPECT_EQ(doc["unavailable"], "割り当て");
    EXPECT_EQ(doc["assignments"].size(), 1u);

    const CliRun usage = runNomiraCli("--json --data-folder " + shellQuote(m_data.path()) +
                                      " assign --assign 1=nothere.tif");
    EXPECT_EQ(usage.status, 2);
}

TEST_F(AssignCommandTest, ASavedPieceOfWorkComesBackThroughTheWorkOption) {
    // The template box lists the templates of the data folder: only such a template is saved.
    m_data.mkdir("template");
    m_template = m_data.write("template/job.tpl", files::readAll(m_template).value_or(""));
    const std::string edd = m_files.path() + "/work/job1.edd";
    m_files.mkdir("work");
    const nlohmann::json saved = run("--batch-assign --save " + shellQuote(edd), 0);
    ASSERT_EQ(saved["workData"], (nlohmann::json{{"name", "job1.edd"}, {"modified", false}}));

    const CliRun r = runNomiraCli("--json --data-folder " + shellQuote(m_data.path()) +
                                  " assign --work " + shellQuote(edd));
    ASSERT_EQ(r.status, 0);
    const nlohmann::json loaded = nlohmann::json::parse(r.out, nullptr, false);
    for (const char* key : {"assignments", "renameRows", "images", "commands"}) {
        EXPECT_EQ(loaded[key], saved[key]) << key;
    }
    EXPECT_EQ(loaded["workData"], saved["workData"]);

    // Saving where the work data cannot go reports the failure and exits 1.
    const nlohmann::json failed =
        run("--batch-assign --save " + shellQuote(m_files.path() + "/none/x.edd"), 1);
    EXPECT_EQ(failed["messages"].back()["text"], "作業ﾃﾞｰﾀの保存に失敗しました。");
}

} // namespace
