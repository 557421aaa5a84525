#include "app/WorkingFolders.h"

#include "base/FileSystem.h"
#include "base/ScriptedPrompter.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

namespace {

std::string missingFolderText(const std::string& path) {
    return sj("作業ﾌｫﾙﾀﾞがありません。またはｱｸｾｽ権がありません。\r\n以下のﾌｫﾙﾀﾞをご確認ください。"
              "\r\n") +
           path + "\n";
}

TEST(WorkingFoldersTest, AMissingDataFolderIsReportedWithItsPath) {
    TempDir dir;
    dir.write("file", "x");
    for (const std::string& data : {std::string(), dir.file("missing"), dir.file("file")}) {
        ScriptedPrompter prompter;
        EXPECT_FALSE(WorkingFolders::prepare(data, prompter)) << data;
        ASSERT_EQ(prompter.shown().size(), 1u);
        EXPECT_EQ(prompter.shown()[0].text, missingFolderText(data));
        EXPECT_EQ(prompter.shown()[0].caption, sj("ｴﾗｰ"));
        EXPECT_EQ(prompter.shown()[0].icon, Icon::Error);
    }
    EXPECT_FALSE(files::exists(dir.file("missing")));
}

TEST(WorkingFoldersTest, CreatesTheFourWorkingFoldersButNotTemp) {
    TempDir dir;
    dir.write("rename/kept.tif", "image");
    ScriptedPrompter prompter;
    const auto folders = WorkingFolders::prepare(dir.path(), prompter);
    ASSERT_TRUE(folders);
    EXPECT_TRUE(prompter.shown().empty());
    EXPECT_EQ(folders->workData, dir.file("editdata"));
    EXPECT_EQ(folders->images, dir.file("scan"));
    EXPECT_EQ(folders->renameLists, dir.file("csv"));
    for (const char* name : {"editdata", "scan", "csv", "rename"}) {
        EXPECT_TRUE(files::isDirectory(dir.file(name))) << name;
    }
    EXPECT_EQ(dir.read("rename/kept.tif"), "image"); // an existing folder is taken as it is
    EXPECT_FALSE(files::exists(dir.file("temp")));
    EXPECT_FALSE(files::exists(dir.file("template")));
    // A second start finds everything in place.
    EXPECT_TRUE(WorkingFolders::prepare(dir.path() + "/", prompter));
    EXPECT_TRUE(prompter.shown().empty());
}

TEST(WorkingFoldersTest, AFolderThatCannotBeCreatedStopsAtTheFirstFailure) {
    TempDir dir;
    dir.write("scan", "a file where the folder should be");
    ScriptedPrompter prompter;
    EXPECT_FALSE(WorkingFolders::prepare(dir.path(), prompter));
    ASSERT_EQ(prompter.shown().size(), 1u);
    EXPECT_EQ(prompter.shown()[0].text, sj("ﾌｫﾙﾀﾞの作成に失敗しました。"));
    EXPECT_EQ(prompter.shown()[0].caption, sj("警告"));
    EXPECT_EQ(prompter.shown()[0].icon, Icon::Warning);
    EXPECT_TRUE(files::isDirectory(dir.file("editdata")));
    EXPECT_FALSE(files::exists(dir.file("csv")));
    EXPECT_EQ(dir.read("scan"), "a file where the folder should be");
}

TEST(WorkingFoldersTest, AReadOnlyDataFolderCannotTakeItsSubfolders) {
    TempDir dir;
    const std::string data = dir.mkdir("data");
    ASSERT_EQ(::chmod(data.c_str(), 0555), 0);
    if (::access(data.c_str(), W_OK) == 0) {
        GTEST_SKIP() << "permission bits do not stop this user from writing";
    }
    ScriptedPrompter prompter;
    EXPECT_FALSE(WorkingFolders::prepare(data, prompter));
    ASSERT_EQ(prompter.shown().size(), 1u);
    EXPECT_EQ(prompter.shown()[0].text, sj("ﾌｫﾙﾀﾞの作成に失敗しました。"));
}

// A complete data folder that this user may not work in (a shared folder of a group the user is
// not in) stops the start with the missing-folder message naming the folder concerned.
TEST(WorkingFoldersTest, AFolderClosedByPermissionsIsNamedInTheMissingFolderMessage) {
    const struct {
        const char* closed; // "" is the data folder itself
        mode_t mode;
    } cases[] = {
        {"", 0555}, {"", 0333}, {"scan", 0555}, {"rename", 0444}, {"template", 0555}, {"temp", 0},
    };
    for (const auto& c : cases) {
        TempDir dir;
        const std::string data = dir.mkdir("data");
        for (const char* name : {"editdata", "scan", "csv", "rename", "template", "temp"}) {
            dir.mkdir(std::string("data/") + name);
        }
        const std::string closed = *c.closed ? files::join(data, c.closed) : data;
        ASSERT_EQ(::chmod(closed.c_str(), c.mode), 0);
        if (::access(closed.c_str(), R_OK | W_OK | X_OK) == 0) {
            GTEST_SKIP() << "permission bits do not stop this user";
        }
        ScriptedPrompter prompter;
        EXPECT_FALSE(WorkingFolders::prepare(data, prompter)) << closed;
        ASSERT_EQ(prompter.shown().size(), 1u) << closed;
        EXPECT_EQ(prompter.shown()[0].text, missingFolderText(closed));
        EXPECT_EQ(prompter.shown()[0].icon, Icon::Error);
        ::chmod(closed.c_str(), 0755);
    }
}

TEST(WorkingFoldersTest, FoldersNotYetMadeOrOpenToTheUserPassThePermissionCheck) {
    TempDir dir;
    const std::string data = dir.mkdir("data");
    EXPECT_EQ(WorkingFolders::firstClosedFolder(data), std::nullopt); // nothing made yet
    dir.mkdir("data/template");
    ASSERT_EQ(::chmod(dir.file("data/template").c_str(), 02775), 0); // a group folder
    EXPECT_EQ(WorkingFolders::firstClosedFolder(data), std::nullopt);
    EXPECT_EQ(WorkingFolders::firstClosedFolder(dir.file("none")), dir.file("none"));
}

} // namespace
