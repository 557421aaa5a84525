#include "execute/FileChangeSteps.h"
#include "execute/PosixFileChanges.h"
#include "execute/StorageFolders.h"
#include "execute/TemporaryFiles.h"

#include "FailingFileChanges.h"
#include "app/Settings.h"
#include "base/FileSystem.h"
#include "support/FileModes.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::string content(const std::string& path) {
    return files::readAll(path).value_or("<missing>");
}

// A folder on another file system than the temporary folder, when the machine has one.
std::optional<std::string> otherFileSystemFolder(const TempDir& dir) {
    struct stat here {};
    struct stat shm {};
    if (::stat(dir.path().c_str(), &here) != 0 || ::stat("/dev/shm", &shm) != 0 ||
        here.st_dev == shm.st_dev || ::access("/dev/shm", W_OK) != 0) {
        return std::nullopt;
    }
    return "/dev/shm";
}

TEST(FileChanges, MovesRenameOrCopyAndNeverTakeAnExistingTargetUnasked) {
    struct Case {
        const char* label;
        bool acrossFileSystems;
        bool targetExists;
        bool replace;
        bool moved;
    };
    const std::vector<Case> cases = {
        {"rename", false, false, false, true},
        {"rename refused onto an existing target", false, true, false, false},
        {"rename replacing", false, true, true, true},
        {"copy across file systems", true, false, false, true},
        {"copy refused onto an existing target", true, true, false, false},
        {"copy replacing", true, true, true, true},
    };
    for (const Case& c : cases) {
        TempDir dir;
        std::string sourceFolder = dir.path();
        if (c.acrossFileSystems) {
            const auto other = otherFileSystemFolder(dir);
            if (!other) {
                continue;
            }
            sourceFolder = *other;
        }
        const std::string source =
            files::join(sourceFolder, "nomira-move-" + std::to_string(::getpid()) + ".tif");
        ASSERT_TRUE(files::writeAtomically(source, "scan"));
        const std::string target = dir.file("target.tif");
        if (c.targetExists) {
            dir.write("target.tif", "older");
        }
        PosixFileChanges changes;
        EXPECT_EQ(changes.move(source, target, c.replace), c.moved) << c.label;
        EXPECT_EQ(content(target), c.moved ? "scan" : (c.targetExists ? "older" : "<missing>"))
            << c.label;
        EXPECT_EQ(files::exists(source), !c.moved) << c.label;
        files::removeFile(source);
        for (const std::string& name : files::listFolder(dir.path())) {
            EXPECT_FALSE(temporaries::isTemporaryName(name)) << c.label;
        }
    }
}

// What a run writes (the journal, new targets and exports) stays open to the group of a shared
// folder whatever the operator's umask.
TEST(FileChanges, NewFilesInASharedFolderAreGroupWritable) {
    const struct {
        bool shared;
        int expected;
    } cases[] = {{true, 0664}, {false, 0600}};
    for (const auto& c : cases) {
        TempDir dir;
        if (c.shared) {
            makeShared(dir.path());
        }
        const UmaskScope mask(077);
        PosixFileChanges changes;
        ASSERT_TRUE(changes.append(dir.file("run.log"), "line\n"));
        ASSERT_TRUE(changes.append(dir.file("run.log"), "line\n"));
        EXPECT_TRUE(filesteps::writeWhole(changes, dir.file("export.txt"), "rows", false));
        EXPECT_EQ(modeOf(dir.file("run.log")), c.expected) << c.shared;
        EXPECT_EQ(modeOf(dir.file("export.txt")), c.expected) << c.shared;
    }
}

TEST(FileChanges, WholeWritesLeaveTheOldFileOrTheNewOneAtEveryFailingStep) {
    TempDir dir;
    const std::string target = dir.file("list.csv");
    FailingFileChanges probe;
    ASSERT_TRUE(filesteps::writeWhole(probe, dir.file("probe.csv"), "new", true));
    for (int failAt = 1; failAt <= probe.operations(); ++failAt) {
        dir.write("list.csv", "old");
        FailingFileChanges failing(failAt);
        EXPECT_FALSE(filesteps::writeWhole(failing, target, "new", true)) << failAt;
        EXPECT_EQ(content(target), "old") << failAt;
        EXPECT_EQ(files::listFolder(dir.path()).size(), 2u) << failAt;
    }
    PosixFileChanges changes;
    EXPECT_FALSE(filesteps::writeWhole(changes, target, "new", false));
    EXPECT_EQ(content(target), "old");
    EXPECT_TRUE(filesteps::copy(changes, target, dir.file("copy.csv"), false));
    EXPECT_EQ(content(dir.file("copy.csv")), "old");
    EXPECT_FALSE(filesteps::copy(changes, dir.file("absent.csv"), dir.file("copy.csv"), true));
    EXPECT_EQ(content(dir.file("copy.csv")), "old");
}

TEST(FileChanges, LeftoverTemporariesAreRemovedButNotOnesInUseNorLookalikes) {
    TempDir dir;
    PosixFileChanges changes;
    TempFile live = changes.createTemp(dir.path());
    ASSERT_TRUE(live);
    EXPECT_TRUE(temporaries::isTemporaryName(files::fileName(live.path())));
    dir.write("~nmrAb12Cd.tmp", "left by a killed run");
    for (const char* lookalike : {"~nmrAb12C.tmp", "~nmrAb12Cd.tmp.bak", "nmrAb12Cde.tmp",
                                  "~nmrAb-2Cd.tmp", "~NMRAb12Cd.tmp"}) {
        dir.write(lookalike, "operator's file");
    }
    EXPECT_EQ(temporaries::removeLeftovers(changes, dir.path()), 1);
    EXPECT_FALSE(files::exists(dir.file("~nmrAb12Cd.tmp")));
    EXPECT_TRUE(files::exists(live.path()));
    EXPECT_EQ(files::listFolder(dir.path()).size(), 6u);
    const std::string livePath = live.path();
    live = TempFile();
    EXPECT_FALSE(files::exists(livePath));
}

TEST(StorageFolders, ChecksExistenceAccessAndTheSecondFolder) {
    TempDir dir;
    const std::string store = dir.mkdir("store");
    const std::string second = dir.mkdir("second");
    const std::string readOnly = dir.mkdir("readonly");
    ASSERT_EQ(::chmod(readOnly.c_str(), 0555), 0);
    const std::string link = dir.file("link");
    std::filesystem::create_directory_symlink(store, link);
    struct Case {
        const char* label;
        std::string storage;
        int selectFolder;
        std::string secondPath;
        std::optional<Msg> expected;
    };
    const std::vector<Case> cases = {
        {"usable", store, 0, "", std::nullopt},
        {"missing", dir.file("absent"), 0, "", Msg::StorageFolderMissing},
        {"a file is no folder", dir.write("plain", "x"), 0, "", Msg::StorageFolderMissing},
        {"read-only", readOnly, 0, "", Msg::StorageFolderNoAccess},
        {"second folder unused", store, 0, dir.file("absent"), std::nullopt},
        {"second folder usable", store, 1, second, std::nullopt},
        {"second folder missing", store, 1, dir.file("absent"), Msg::SecondFolderMissing},
        {"second folder read-only", store, 1, readOnly, Msg::SecondFolderNoAccess},
        {"second folder the same", store, 1, store + "/", Msg::SecondFolderSame},
        {"second folder the same through a link", store, 1, link, Msg::SecondFolderSame},
    };
    for (const Case& c : cases) {
        Settings settings;
        settings.exportSelectFolder = c.selectFolder;
        settings.exportSelectFolderPath = c.secondPath;
        EXPECT_EQ(storagefolders::check(c.storage, settings), c.expected) << c.label;
    }
    ::chmod(readOnly.c_str(), 0755);
}

} // namespace
