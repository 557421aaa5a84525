#include "workbench/TitleBlockRegions.h"
#include "app/Settings.h"
#include "read/SheetReader.h"
#include "support/TempDir.h"
#include "workbench/MagAreaGeometry.h"

#include <gtest/gtest.h>

namespace {

// An A3 landscape page at 200 dpi.
constexpr int kWidth = 3307;
constexpr int kHeight = 2339;

Settings withMemory(int slot, SizeMemoryEntry area1, SizeMemoryEntry area2 = {}) {
    Settings s;
    s.expanPrevMemory = 1;
    s.sizeMemory[static_cast<std::size_t>(slot)] = area1;
    s.sizeMemory[static_cast<std::size_t>(slot + MagAreaGeometry::kSlotsPerArea)] = area2;
    return s;
}

TEST(TitleBlockRegionsTest, TheDesignatedAreasOfThePaperSizeElseTheCorner) {
    const int a3Landscape = MagAreaGeometry::memorySlot(sj("A3 横"));
    const ReadRegion corner = SheetReader::defaultRegion();
    Settings off = withMemory(a3Landscape, {3, 0, 0, 100, 50, 100, 50});
    off.expanPrevMemory = 0;
    Settings two =
        withMemory(a3Landscape, {4, 500, 10, 60, 40, 560, 50}, {3, 0, 0, 100, 50, 100, 50});
    two.expanPreview = 1;
    const struct {
        const char* name;
        Settings settings;
        const char* paper;
        std::vector<ReadRegion> expected; // left/top/right/bottom, to the percent
    } cases[] = {
        {"memory off", off, "A3 横", {corner}},
        {"slot never stored", withMemory(a3Landscape, {}), "A3 横", {corner}},
        {"another orientation's slot",
         withMemory(a3Landscape, {3, 0, 0, 100, 50, 100, 50}),
         "A3 縦",
         {corner}},
        // A 100 x 50 area pinned bottom right, on the page as the 466 x 364 preview first
        // shows it: 466 x 329 pixels.
        {"pinned bottom right",
         withMemory(a3Landscape, {3, 0, 0, 100, 50, 100, 50}),
         "A3 横",
         {{0.785, 0.848, 1.0, 1.0}}},
        // A free area that sticks out on the right is pushed back inside.
        {"two areas", two, "A3 横", {{0.871, 0.030, 1.0, 0.152}, {0.785, 0.848, 1.0, 1.0}}},
    };
    for (const auto& c : cases) {
        const auto got = TitleBlockRegions::of(c.settings, sj(c.paper), kWidth, kHeight);
        ASSERT_EQ(got.size(), c.expected.size()) << c.name;
        for (std::size_t i = 0; i < got.size(); ++i) {
            EXPECT_NEAR(got[i].left, c.expected[i].left, 0.01) << c.name;
            EXPECT_NEAR(got[i].top, c.expected[i].top, 0.01) << c.name;
            EXPECT_NEAR(got[i].right, c.expected[i].right, 0.01) << c.name;
            EXPECT_NEAR(got[i].bottom, c.expected[i].bottom, 0.01) << c.name;
        }
    }
}

} // namespace
