#include "sheets/SheetDrawing.h"
#include "support/CliRunner.h"
#include "support/RenameListFixtures.h"
#include "support/ScanFixtures.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <fstream>
#include <string>

namespace {

namespace sd = sheetdrawing;

constexpr int kDpi = 200;

// A list of drawings whose numbers differ in one character, a template with the number as its
// file-name column and a paper-size column, and A5 scans: one with a QR code only, one with a
// title block only, one whose title block names no row, one damaged, one the list calls A3.
class MatchCommandTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_template = m_files.write(
            "job.tpl", renameListTemplate({{"図番", 1, 1, true}, {"用紙", 5, 2, false}}));
        m_list = m_files.write("list.csv", renameListCsv({"KD-20417-03,A5 横", "KD-20417-08,A5 横",
                                                          "KD-20418-03,A3 横"}));
        m_scans = m_files.mkdir("scans");
        scan("s1.tif", {"", "", "", "", "KD-20417-08", ""}, 0);
        scan("s2.tif", {"KD-20417-03", "配管系統図", "1:100", "2026/12/08", "", ""}, 60);
        scan("s3.tif", {"XY-99999-99", "配管系統図", "", "", "", ""}, 120);
        scan("s4.tif", {"KD-20418-03", "機器配置図", "", "", "", ""}, 180);
        std::ifstream whole(m_scans + "/s4.tif", std::ios::binary);
        const std::string bytes((std::istreambuf_iterator<char>(whole)), {});
        m_files.write("scans/s5.tif", bytes.substr(0, bytes.size() / 4));
        ScanFixtures::setModified(m_scans + "/s5.tif", 1'700'000'240);
    }

    void scan(const std::string& name, const sd::TitleBlock& block, int age) {
        QImage page = sd::blankPage(210, 148, kDpi);
        sd::drawTitleBlock(page, kDpi, block);
        ASSERT_TRUE(sd::writeG4(page, m_scans + "/" + name, kDpi));
        ScanFixtures::setModified(m_scans + "/" + name, 1'700'000'000 + age);
    }

    nlohmann::json run(const std::string& command, const std::string& operations) {
        const CliRun r =
            runNomiraCli("--json --yes --data-folder " + shellQuote(m_data.path()) + " " + command +
                         " --template " + shellQuote(m_template) + " --list " + shellQuote(m_list) +
                         " --images " + shellQuote(m_scans) + " " + operations);
        EXPECT_EQ(r.status, 0) << operations;
        return nlohmann::json::parse(r.out, nullptr, false);
    }

    TempDir m_data;
    TempDir m_files;
    std::string m_template;
    std::string m_list;
    std::string m_scans;
};

TEST_F(MatchCommandTest, EachUnassignedImageGetsItsRowOrAReason) {
    const nlohmann::json doc = run("match", "--assign 2=s1.tif");
    ASSERT_EQ(doc["images"].size(), 4u) << doc.dump(1); // s1 is assigned already
    struct Expect {
        const char* file;
        int row; // 0: no suggestion
        const char* by;
        bool paperMismatch;
        bool reason;
    } expected[] = {
        {"s2.tif", 1, "text", false, false},
        {"s3.tif", 0, "", false, false},
        {"s4.tif", 3, "text", true, false},
        {"s5.tif", 0, "", false, true},
    };
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        const Expect& e = expected[i];
        const nlohmann::json& image = doc["images"][i];
        EXPECT_EQ(image["fileName"], e.file);
        EXPECT_EQ(image["reason"].is_string(), e.reason) << e.file;
        if (e.row == 0) {
            EXPECT_TRUE(image["suggestion"].is_null()) << e.file << image.dump();
            continue;
        }
        ASSERT_FALSE(image["suggestion"].is_null()) << e.file << image.dump();
        EXPECT_EQ(image["suggestion"]["row"], e.row) << e.file;
        EXPECT_EQ(image["suggestion"]["by"], e.by) << e.file;
        EXPECT_EQ(image["suggestion"]["column"], "図番") << e.file;
        EXPECT_EQ(image["paperMismatch"], e.paperMismatch) << e.file;
        EXPECT_NE(image["runnerUp"]["row"], 2) << "an assigned row is never a candidate";
    }
    EXPECT_EQ(doc["images"][2]["paperSizeListed"], "A3");
}

TEST_F(MatchCommandTest, AssignReadAssignsTheSuggestionsAtTheMinimumScore) {
    struct Case {
        const char* minScore;
        std::size_t assigned;
    } cases[] = {{"0", 3}, {"0.9", 3}};
    for (const Case& c : cases) {
        const nlohmann::json doc =
            run("assign", std::string("--assign-read --min-score ") + c.minScore);
        ASSERT_EQ(doc["assignments"].size(), c.assigned) << c.minScore << doc.dump(1);
        EXPECT_EQ(doc["assignments"][0]["fileName"], "s1.tif");
        EXPECT_EQ(doc["assignments"][0]["rowKey"], "2");
        EXPECT_EQ(doc["renameRows"][2]["paperSizeListed"], "A3") << doc.dump(1);
    }
}

} // namespace
