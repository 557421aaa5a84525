#include "workbench/FolderDisplay.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace {

struct Case {
    std::string path;
    std::string shown;
};

TEST(FolderDisplay, LongPathsKeepTheirHeadAndLastComponent) {
    const std::vector<Case> cases{
        {"/data/rename", "/data/rename"},
        // exactly 35 bytes stays whole
        {"/home/operator/nomira/data/renamexx", "/home/operator/nomira/data/renamexx"},
        // 36 bytes: 35 - 6 = 29 bytes of head, ".../" and "rename"
        {"/home/operator/nomira/data/a/rename", "/home/operator/nomira/data/a/rename"},
        {"/home/operator/nomira/data/ab/rename", "/home/operator/nomira/data/ab.../rename"},
        // a last component of 35 bytes or more keeps no head
        {"/x/" + std::string(40, 'n'), ".../" + std::string(40, 'n')},
        // a trailing separator leaves an empty last component
        {"/home/operator/nomira/data/rename/images/", "/home/operator/nomira/data/rename/i.../"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(shortenFolderForDisplay(c.path), c.shown) << c.path;
    }
}

TEST(FolderDisplay, ADoubleByteCharacterIsNotSplit) {
    // 30 bytes of head would end inside the 15th two-byte character: the head keeps 14.
    const std::string head = sj("格納先フォルダ格納先フォルダ格"); // 15 characters, 30 bytes
    const std::string path = "/" + head + "/scans";                // 37 bytes
    const std::string shown = shortenFolderForDisplay(path);
    EXPECT_EQ(shown, "/" + sj("格納先フォルダ格納先フォルダ") + ".../scans");
}

} // namespace
