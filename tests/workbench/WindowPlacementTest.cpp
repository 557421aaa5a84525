#include "workbench/WindowPlacement.h"
#include "app/SettingsStore.h"
#include "base/ProfileFile.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <string_view>

namespace {

constexpr WindowSize kDesign{1116, 934};
// The window before it is placed, and the frame the window manager gives it.
constexpr WindowRect kUnplaced{0, 0, 1116, 910};
constexpr FrameMargins kFrame{1, 24, 1, 1};

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
    const WindowRect stored{10, 20, 1200, 990};
    m_placement.maximizing(stored);
    SettingsStore reopened(m_tmp.file("Nomira.ini"), m_tmp.path());
    reopened.initWindowMaximized();
    WindowPlacement placement(reopened);
    ASSERT_TRUE(placement.atStart(kDesign).maximize);

    placement.restoring();
    EXPECT_EQ(file().read("SYSTEM", "InitWindowMaximized"), "0");
    EXPECT_EQ(placement.normalGeometry(kUnplaced, kFrame),
              WindowPlacement::clientOf(stored, kFrame));
    EXPECT_EQ(placement.normalGeometry(WindowPlacement::clientOf(stored, kFrame), kFrame),
              std::nullopt);
    // Once there, later restores leave the window where the window manager puts it.
    placement.maximizing(stored);
    placement.restoring();
    EXPECT_EQ(placement.normalGeometry(kUnplaced, kFrame), std::nullopt);
}

TEST_F(PlacementMemoryTest, RestoringAWindowOpenedNormallyDoesNotMoveIt) {
    m_placement.atStart(kDesign);
    m_placement.restoring();
    EXPECT_EQ(m_placement.normalGeometry(kUnplaced, kFrame), std::nullopt);
}

// A window under a window manager that frames it only after it is shown. The steps:
//   N  the window reports its normal geometry;
//   F  the frame appears (and is reported unless the window is maximised);
//   f  the frame appears in part (the title bar first);
//   M  the window manager reports the window maximised;
//   R  the operator restores it (and the normal geometry is reported).
// The window follows every client rectangle the placement asks for.
class FramedWindow {
public:
    explicit FramedWindow(WindowPlacement& placement) : m_placement(placement) {}

    void run(std::string_view steps) {
        for (char step : steps) {
            switch (step) {
            case 'N':
                report();
                break;
            case 'f':
                m_frame = FrameMargins{0, kFrame.top, 0, 0};
                report();
                break;
            case 'F':
                m_frame = kFrame;
                report();
                break;
            case 'M':
                m_maximized = true;
                m_placement.maximizing(outer());
                break;
            case 'R':
                m_maximized = false;
                m_placement.restoring();
                report();
                break;
            }
        }
    }
    WindowRect outer() const { return WindowPlacement::outerOf(m_client, m_frame); }
    void closeNormal() { m_placement.closing(outer(), false); }

private:
    void report() {
        if (m_maximized) {
            return;
        }
        if (const auto ask = m_placement.normalGeometry(m_client, m_frame)) {
            m_client = *ask;
        }
    }

    WindowPlacement& m_placement;
    WindowRect m_client = kUnplaced;
    FrameMargins m_frame;
    bool m_maximized = false;
};

TEST_F(PlacementMemoryTest, StartAndCloseCyclesKeepTheStoredRectangle) {
    const WindowRect stored{100, 50, 1300, 1000};
    const struct {
        const char* name;
        const char* steps;
    } cases[] = {
        {"framed after placing", "NFN"},     {"reported again before the frame", "NNFN"},
        {"frame reported in steps", "NfFN"}, {"frame known when placing", "FN"},
        {"no window manager", "NN"},
    };
    for (const auto& c : cases) {
        m_store.setInitWindowRect(stored);
        m_store.setInitWindowMaximized(false);
        for (int cycle = 1; cycle <= 3; ++cycle) {
            SettingsStore opened(m_tmp.file("Nomira.ini"), m_tmp.path());
            opened.initWindowMaximized();
            opened.initWindowRect();
            WindowPlacement placement(opened);
            FramedWindow window(placement);
            ASSERT_EQ(placement.atStart(kDesign).moveTo, stored) << c.name;
            window.run(c.steps);
            EXPECT_EQ(window.outer(), stored) << c.name << " cycle " << cycle;
            window.closeNormal();
        }
        EXPECT_EQ(SettingsStore(m_tmp.file("Nomira.ini"), m_tmp.path()).initWindowRect(), stored)
            << c.name;
    }
}

TEST_F(PlacementMemoryTest, OpeningMaximisedKeepsTheRectangleWhateverTheReportOrder) {
    const WindowRect stored{100, 50, 1300, 1000};
    const struct {
        const char* name;
        const char* steps;
    } cases[] = {
        {"maximise reported while placing", "MFR"},
        {"a normal report before the maximise", "NMFR"},
        {"maximise reported after the frame", "NFMR"},
        {"frame while maximised, in steps", "MfFR"},
        {"maximised again before a restore", "MFMR"},
    };
    for (const auto& c : cases) {
        m_store.setInitWindowRect(stored);
        m_store.setInitWindowMaximized(true);
        SettingsStore opened(m_tmp.file("Nomira.ini"), m_tmp.path());
        opened.initWindowMaximized();
        WindowPlacement placement(opened);
        FramedWindow window(placement);
        ASSERT_TRUE(placement.atStart(kDesign).maximize) << c.name;
        window.run(c.steps);
        EXPECT_EQ(window.outer(), stored) << c.name << ": restored elsewhere";
        EXPECT_EQ(SettingsStore(m_tmp.file("Nomira.ini"), m_tmp.path()).initWindowRect(), stored)
            << c.name << ": stored rectangle lost";
        window.closeNormal();
        EXPECT_EQ(SettingsStore(m_tmp.file("Nomira.ini"), m_tmp.path()).initWindowRect(), stored)
            << c.name << ": closing stored another rectangle";
    }
}

TEST_F(PlacementMemoryTest, AWindowManagerThatKeepsTheWindowElsewhereHasTheLastWord) {
    m_store.setInitWindowRect(WindowRect{100, 50, 1300, 1000});
    m_store.initWindowRect();
    m_placement.atStart(kDesign);
    const WindowRect asked = *m_placement.normalGeometry(kUnplaced, kFrame);
    // The screen is lower than asked for: the window manager shortens the window.
    const WindowRect kept{asked.left, asked.top, asked.right, asked.bottom - 100};
    EXPECT_EQ(m_placement.normalGeometry(kept, kFrame), std::nullopt);
    EXPECT_EQ(m_placement.normalGeometry(kept, kFrame), std::nullopt);
}

TEST_F(PlacementMemoryTest, ClosingStoresTheRectangleUnlessMaximised) {
    m_placement.closing(WindowRect{-4, 3, 1200, 990}, true);
    EXPECT_EQ(file().read("SYSTEM", "InitWindowRectLeft"), std::nullopt);
    m_placement.closing(WindowRect{-4, 3, 1200, 990}, false);
    EXPECT_EQ(file().read("SYSTEM", "InitWindowRectLeft"), "-4");
    EXPECT_EQ(file().read("SYSTEM", "InitWindowRectTop"), "3");
}

// Two screens side by side, the left one at negative coordinates, and a lower one beneath.
const std::vector<WindowRect> kScreens{
    {-1600, 0, 0, 900}, {0, 0, 1920, 1050}, {0, 1050, 1280, 2074}};

TEST(WindowPlacement, ARectangleComesOntoTheScreensOnlyWhenItsTitleBarIsOffThemAll) {
    const struct {
        const char* name;
        WindowRect stored;
        WindowRect expected;
    } cases[] = {
        {"on the main screen", {100, 50, 1300, 1000}, {100, 50, 1300, 1000}},
        {"on the left screen, at negative coordinates",
         {-1500, 20, -300, 880},
         {-1500, 20, -300, 880}},
        {"across two screens", {-600, 100, 600, 900}, {-600, 100, 600, 900}},
        {"title bar above the top edge", {200, -20, 1316, 914}, {200, 0, 1316, 934}},
        {"far right of every screen", {5000, 300, 6116, 1234}, {804, 116, 1920, 1050}},
        {"below the lower screen", {100, 3000, 1216, 3934}, {100, 1140, 1216, 2074}},
        {"a grip's width only", {1880, 100, 2996, 1034}, {804, 100, 1920, 1034}},
        {"taller than the screen", {-1700, -50, -500, 1150}, {-1600, 0, -400, 1200}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(WindowPlacement::ontoScreens(c.stored, kScreens), c.expected) << c.name;
    }
    EXPECT_EQ(WindowPlacement::ontoScreens(WindowRect{5000, 5000, 6000, 6000}, {}),
              (WindowRect{5000, 5000, 6000, 6000}));
}

TEST_F(PlacementMemoryTest, ANegativeRectangleIsStoredAsNumbersAndPlacedOnItsScreen) {
    m_placement.closing(WindowRect{-1500, -20, -300, 914}, false);
    EXPECT_EQ(file().read("SYSTEM", "InitWindowRectTop"), "-20");
    SettingsStore reopened(m_tmp.file("Nomira.ini"), m_tmp.path());
    reopened.initWindowMaximized();
    reopened.initWindowRect();
    WindowPlacement placement(reopened);
    placement.setScreens(kScreens);
    EXPECT_EQ(placement.atStart(WindowSize{1000, 800}).moveTo, (WindowRect{-1500, 0, -300, 934}));
}

TEST(WindowPlacement, AnUnstoredWindowOpensCentredWithItsCornerOnTheScreen) {
    const struct {
        const char* name;
        WindowRect screen;
        WindowSize size;
        WindowRect expected;
    } cases[]{
        {"room around", {0, 0, 1600, 1000}, {1118, 953}, {241, 23, 1359, 976}},
        {"a screen at negative coordinates",
         {-1280, -200, 0, 824},
         {1000, 800},
         {-1140, -88, -140, 712}},
        {"taller than the screen", {0, 30, 1024, 768}, {1118, 953}, {0, 30, 1118, 983}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(WindowPlacement::centredOn(c.screen, c.size), c.expected) << c.name;
    }
}

} // namespace
