#include "workbench/WindowPlacement.h"
#include "app/SettingsStore.h"
#include "base/ProfileFile.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace {

constexpr WindowSize kDesign{1116, 934};

struct Case {
    const char* name;
    bool maximized;
    WindowRect stored;
    StartPlacement expected;
};

TEST(WindowPlacement, StartPlacementFollowsTheFlagAndTheDesignSize) {
    const WindowRect big{100, 50, 1300, 1000};
    const std::vector<Case> cases{
        {"maximised wins", true, big, {true, std::nullopt}},
        {"a large enough rectangle is used", false, big, {false, big}},
        {"exactly the design size is used",
         false,
         {0, 0, 1116, 934},
         {false, WindowRect{0, 0, 1116, 934}}},
        {"too narrow is ignored", false, {0, 0, 1115, 1000}, {}},
        {"too low is ignored", false, {0, 0, 1300, 933}, {}},
        {"nothing stored", false, WindowRect{}, {}},
        {"negative coordinates are fine",
         false,
         {-20, -10, 1200, 950},
         {false, WindowRect{-20, -10, 1200, 950}}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(WindowPlacement::decide(c.maximized, c.stored, kDesign), c.expected) << c.name;
    }
}

class PlacementMemoryTest : public ::testing::Test {
protected:
    ProfileFile file() const { return ProfileFile(m_tmp.file("Nomira.ini")); }

    TempDir m_tmp;
    SettingsStore m_store{m_tmp.file("Nomira.ini"), m_tmp.path()};
    WindowPlacement m_placement{m_store};
};

TEST_F(PlacementMemoryTest, MaximisingStoresTheRestoredRectangleAndTheFlag) {
    m_placement.maximizing(WindowRect{10, 20, 1200, 990});
    EXPECT_EQ(file().read("SYSTEM", "InitWindowMaximized"), "1");
    EXPECT_EQ(file().read("SYSTEM", "InitWindowRectLeft"), "10");
    EXPECT_EQ(file().read("SYSTEM", "InitWindowRectRight"), "1200");
}

TEST_F(PlacementMemoryTest, TheFirstRestoreAfterOpeningMaximisedMovesToTheStoredRectangle) {
    m_placement.maximizing(WindowRect{10, 20, 1200, 990});
    SettingsStore reopened(m_tmp.file("Nomira.ini"), m_tmp.path());
    reopened.initWindowMaximized();
    WindowPlacement placement(reopened);
    ASSERT_TRUE(placement.atStart(kDesign).maximize);

    EXPECT_EQ(placement.restoring(kDesign), (WindowRect{10, 20, 1200, 990}));
    EXPECT_EQ(file().read("SYSTEM", "InitWindowMaximized"), "0");
    EXPECT_EQ(placement.restoring(kDesign), std::nullopt);
}

TEST_F(PlacementMemoryTest, RestoringAWindowOpenedNormallyDoesNotMoveIt) {
    m_placement.atStart(kDesign);
    EXPECT_EQ(m_placement.restoring(kDesign), std::nullopt);
}

TEST_F(PlacementMemoryTest, ClosingStoresTheRectangleUnlessMaximised) {
    m_placement.closing(WindowRect{-4, 3, 1200, 990}, true);
    EXPECT_EQ(file().read("SYSTEM", "InitWindowRectLeft"), std::nullopt);
    m_placement.closing(WindowRect{-4, 3, 1200, 990}, false);
    EXPECT_EQ(file().read("SYSTEM", "InitWindowRectLeft"), "4294967292");
    EXPECT_EQ(file().read("SYSTEM", "InitWindowRectTop"), "3");
}

} // namespace
