#include "app/StartupRequest.h"

#include "base/ScriptedPrompter.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace {

class StartupRequestTest : public ::testing::Test {
protected:
    StartupRequestTest() {
        m_dir.write("template/Plan.tpl", "[ROWINFO]\r\n");
        m_dir.write("template/Second.tpl", "[ROWINFO]\r\n");
        m_dir.write("elsewhere/Abs.tpl", "[ROWINFO]\r\n");
        m_dir.write("csv/list.csv", "a,b\r\n");
        m_dir.write("csv/mixed.Csv", "a,b\r\n");
        m_dir.write("elsewhere/abs.CSV", "a,b\r\n");
        m_dir.write(sj("csv/表ソ.csv"), "a,b\r\n");
        m_dir.mkdir("scan");
        m_dir.mkdir(sj("画像"));
    }

    StartupRequest parse(const std::vector<std::string>& args) {
        return StartupRequest::parse(args, m_dir.path(), m_prompter);
    }

    TempDir m_dir;
    ScriptedPrompter m_prompter;
};

TEST_F(StartupRequestTest, TemplateArguments) {
    const struct {
        std::vector<std::string> args;
        std::string templatePath; // empty: not given
    } cases[] = {
        {{"/t=Plan"}, "template/Plan.tpl"},
        {{"/T=Plan"}, "template/Plan.tpl"},
        {{"/t=plan"}, "template/Plan.tpl"}, // names are compared without regard to case
        {{"/t=Plan.tpl"}, ""},              // ".tpl" is always appended
        {{"/t=Missing"}, ""},
        {{"/t="}, ""},
        {{"/t=Plan", "/t=Second"}, "template/Second.tpl"},
        {{"/t=Plan", "/t=Missing"}, "template/Plan.tpl"}, // the last one that exists wins
        {{"/x=Plan", "-t=Plan", "t=Plan"}, ""},
    };
    for (const auto& c : cases) {
        const StartupRequest r = parse(c.args);
        const std::string expected = c.templatePath.empty() ? "" : m_dir.file(c.templatePath);
        EXPECT_EQ(r.templatePath, expected) << c.args.back();
        EXPECT_EQ(r.templateGiven, !c.templatePath.empty()) << c.args.back();
        EXPECT_EQ(r.argumentsAccepted, !c.templatePath.empty()) << c.args.back();
    }
    const StartupRequest absolute = parse({"/t=" + m_dir.file("elsewhere/Abs")});
    EXPECT_EQ(absolute.templatePath, m_dir.file("elsewhere/Abs.tpl"));
    EXPECT_TRUE(m_prompter.shown().empty());
}

TEST_F(StartupRequestTest, ImageFolderArguments) {
    const struct {
        std::string arg;
        std::string folder; // empty: not given
        bool reported;
    } cases[] = {
        {"/f=scan", "scan", false},
        {"/F=scan", "scan", false},
        {"/f=" + sj("画像"), sj("画像"), false},
        {"/f=", "", false}, // nothing after "=": ignored without a message
        {"/f=nope", "", true},
        {"/f=csv/list.csv", "", true}, // a file is not a folder
    };
    for (const auto& c : cases) {
        m_prompter.clear();
        const StartupRequest r = parse({c.arg});
        EXPECT_EQ(r.imageFolderPath, c.folder.empty() ? "" : m_dir.file(c.folder)) << c.arg;
        EXPECT_EQ(r.imageFolderGiven, !c.folder.empty()) << c.arg;
        ASSERT_EQ(m_prompter.shown().size(), c.reported ? 1u : 0u) << c.arg;
        if (c.reported) {
            const auto& shown = m_prompter.shown()[0];
            EXPECT_EQ(shown.text,
                      sj("画像読込みフォルダﾞがありません。またはｱｸｾｽ権がありません。\r\n"
                         "以下のﾌｫﾙﾀﾞをご確認ください。\r\n") +
                          m_dir.file(c.arg.substr(3)) + "\n");
            EXPECT_EQ(shown.caption, sj("ｴﾗｰ"));
            EXPECT_EQ(shown.icon, Icon::Error);
        }
    }
    const StartupRequest absolute = parse({"/f=" + m_dir.file("scan")});
    EXPECT_EQ(absolute.imageFolderPath, m_dir.file("scan"));
    // A missing folder after an accepted one keeps the accepted one.
    const StartupRequest kept = parse({"/f=scan", "/f=nope"});
    EXPECT_EQ(kept.imageFolderPath, m_dir.file("scan"));
    EXPECT_TRUE(kept.argumentsAccepted);
}

TEST_F(StartupRequestTest, RenameListArguments) {
    const struct {
        std::string arg;
        std::string list; // empty: not given
    } cases[] = {
        {"list.csv", "csv/list.csv"},
        {"LIST.CSV", "csv/list.csv"},
        {sj("表ソ.csv"), sj("csv/表ソ.csv")},
        {"mixed.Csv", ""}, // only ".csv" and ".CSV" name a rename list
        {"missing.csv", ""},
        {"list", ""},
    };
    for (const auto& c : cases) {
        const StartupRequest r = parse({c.arg});
        EXPECT_EQ(r.renameListPath, c.list.empty() ? "" : m_dir.file(c.list)) << u8(c.arg);
        EXPECT_EQ(r.renameListGiven, !c.list.empty()) << u8(c.arg);
        EXPECT_EQ(r.argumentsAccepted, !c.list.empty()) << u8(c.arg);
    }
    const StartupRequest absolute = parse({m_dir.file("elsewhere/abs.CSV")});
    EXPECT_EQ(absolute.renameListPath, m_dir.file("elsewhere/abs.CSV"));
}

// Work data is handed on even when missing: its load reports that, as the load button does.
TEST_F(StartupRequestTest, WorkDataArguments) {
    const struct {
        std::string arg;
        std::string path; // empty: not given
    } cases[] = {
        {"job.edd", "editdata/job.edd"},
        {"JOB.EDD", "editdata/JOB.EDD"},
        {sj("作業.edd"), sj("editdata/作業.edd")},
        {"job.edd.bak", ""},
        {"job", ""},
    };
    for (const auto& c : cases) {
        const StartupRequest r = parse({c.arg});
        EXPECT_EQ(r.workDataPath, c.path.empty() ? "" : m_dir.file(c.path)) << u8(c.arg);
        EXPECT_EQ(r.workDataGiven, !c.path.empty()) << u8(c.arg);
        EXPECT_EQ(r.argumentsAccepted, !c.path.empty()) << u8(c.arg);
    }
    EXPECT_EQ(parse({"/home/op/w.edd"}).workDataPath, "/home/op/w.edd");
}

TEST_F(StartupRequestTest, AllThreeKindsTogether) {
    const StartupRequest r = parse({"list.csv", "/t=Plan", "ignored", "/f=scan"});
    EXPECT_TRUE(r.templateGiven);
    EXPECT_TRUE(r.imageFolderGiven);
    EXPECT_TRUE(r.renameListGiven);
    EXPECT_TRUE(r.argumentsAccepted);
    EXPECT_FALSE(parse({}).argumentsAccepted);
}

} // namespace
