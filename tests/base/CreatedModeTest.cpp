#include "base/FileSystem.h"
#include "base/ProfileFile.h"
#include "support/FileModes.h"
#include "support/TempDir.h"

#include <functional>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {

// Each way the programs make a file or folder; returns what it made.
struct Maker {
    const char* what;
    bool isFolder;
    std::function<std::string(const std::string& folder)> make;
};

const Maker kMakers[] = {
    {"a folder", true,
     [](const std::string& folder) {
         const std::string path = files::join(folder, "journal");
         return files::createDirectory(path) ? path : std::string{};
     }},
    {"a file written whole", false,
     [](const std::string& folder) {
         const std::string path = files::join(folder, "Nomira.ini");
         return files::writeAtomically(path, "[Environment]\r\n") ? path : std::string{};
     }},
    {"a settings value", false,
     [](const std::string& folder) {
         const std::string path = files::join(folder, "set.ini");
         return ProfileFile(path).write("S", "k", "v") ? path : std::string{};
     }},
    {"staged files", false,
     [](const std::string& folder) {
         const std::string path = files::join(folder, "work.edd");
         const auto staged = files::stageFile(path, "data");
         return staged && files::commitStaged(*staged, path) ? path : std::string{};
     }},
    {"a temporary file", false,
     [](const std::string& folder) {
         int fd = -1;
         const auto made = files::createTemporaryBeside(files::native(folder) / "x.tif", fd);
         if (!made) {
             return std::string{};
         }
         ::close(fd);
         return files::fromNative(*made);
     }},
};

// In a folder its group shares, whatever the umask, files come out 0664 and folders 02775, so a
// colleague can replace them; elsewhere the umask rules as it always did.
TEST(CreatedMode, FollowsTheSharedFolderNotTheUmask) {
    const struct {
        bool shared;
        mode_t umask;
        int fileMode;
        int folderMode;
    } cases[] = {
        {true, 022, 0664, 02775},
        {true, 077, 0664, 02775},
        {false, 022, 0644, 0755},
        {false, 027, 0640, 0750},
    };
    for (const auto& c : cases) {
        for (const Maker& maker : kMakers) {
            TempDir dir;
            if (c.shared) {
                makeShared(dir.path());
            }
            const UmaskScope mask(c.umask);
            const std::string made = maker.make(dir.path());
            ASSERT_FALSE(made.empty()) << maker.what;
            EXPECT_EQ(modeOf(made), maker.isFolder ? c.folderMode : c.fileMode)
                << maker.what << (c.shared ? " in a shared folder, umask " : " umask ") << std::oct
                << c.umask;
        }
    }
}

// Replacing keeps the mode the file had, and a folder that was there is left as it is.
TEST(CreatedMode, WhatWasThereKeepsItsMode) {
    TempDir dir;
    makeShared(dir.path());
    const std::string file = dir.write("Nomira.ini", "old");
    const std::string folder = dir.mkdir("csv");
    ASSERT_EQ(::chmod(file.c_str(), 0640), 0);
    ASSERT_EQ(::chmod(folder.c_str(), 0700), 0);
    EXPECT_TRUE(files::writeAtomically(file, "new"));
    EXPECT_TRUE(files::createDirectory(folder));
    EXPECT_EQ(modeOf(file), 0640);
    EXPECT_EQ(modeOf(folder), 0700);
}

TEST(CreatedMode, SharedFolderNeedsBothTheGroupBitAndGroupWrite) {
    const struct {
        int mode;
        bool shared;
    } cases[] = {{02775, true}, {02770, true}, {0775, false}, {02755, false}, {01777, false}};
    TempDir dir;
    for (const auto& c : cases) {
        ASSERT_EQ(::chmod(dir.path().c_str(), static_cast<mode_t>(c.mode)), 0);
        EXPECT_EQ(files::isSharedFolder(dir.path()), c.shared) << std::oct << c.mode;
    }
    EXPECT_FALSE(files::isSharedFolder(dir.file("missing")));
    EXPECT_FALSE(files::setCreatedMode(files::native(dir.file("missing"))));
}

} // namespace
