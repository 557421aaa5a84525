#include "workbench/MagAreaDesignation.h"
#include "app/Settings.h"
#include "base/TextCodec.h"
#include "support/MagAreaViewRecorder.h"

#include <gtest/gtest.h>

namespace {

class MagAreaDesignationTest : public ::testing::Test {
protected:
    // A page of display size 400 × 300 at window scale 100, with a free area 0 at (20, 30).
    void showPage(const char* paper = "A3 横", DisplaySize display = {400, 300}) {
        areas.pageShown(textcodec::utf8ToCp932(paper), display, 100);
    }
    void startWithFreeArea() {
        settings.magAreas[0] = {MagArea::Free, 20, 30, 100, 50};
        areas.load();
        showPage();
        areas.setDesignation(true);
    }

    Settings settings;
    MagAreaViewRecorder view;
    MagAreaDesignation areas{settings, view};
};

TEST_F(MagAreaDesignationTest, PageShownPinsCornersAndRendersEveryArea) {
    settings.expanPreview = 1;
    settings.magAreas[1] = {MagArea::Free, 380, 10, 100, 50};
    areas.load();
    showPage("A4 縦", {400, 300});
    EXPECT_EQ(areas.area(0).display, (MagRect{300, 250, 100, 50}));
    EXPECT_EQ(areas.area(1).display, (MagRect{300, 10, 100, 50})); // pushed inside
    EXPECT_EQ(view.frames[0], (MagRect{300, 250, 102, 52}));
    EXPECT_EQ(view.rendered, (std::vector<int>{0, 1}));

    showPage("A4 縦", {200, 500});
    EXPECT_EQ(areas.area(0).display, (MagRect{100, 450, 100, 50}));
}

TEST_F(MagAreaDesignationTest, UnusableAreaCountSettingGivesOneArea) {
    settings.expanPreview = 5;
    areas.load();
    EXPECT_EQ(areas.areaCount(), 1);
    EXPECT_FALSE(areas.area(1).enabled);
    showPage();
    EXPECT_EQ(view.rendered, (std::vector<int>{0}));
}

TEST_F(MagAreaDesignationTest, ReferenceRectangleFollowsTheWindowScale) {
    settings.magAreas[0] = {MagArea::Free, 20, 30, 100, 50};
    areas.load();
    showPage();
    areas.resized({800, 600}, 200);
    EXPECT_EQ(areas.area(0).display, (MagRect{40, 60, 200, 100}));
    areas.resized({400, 300}, 100);
    EXPECT_EQ(areas.area(0).display, (MagRect{20, 30, 100, 50}));
}

TEST_F(MagAreaDesignationTest, ClickOutsideEndsDesignationAndStoresThePair) {
    startWithFreeArea();
    EXPECT_EQ(areas.current(), 0);
    EXPECT_TRUE(view.handles);
    EXPECT_EQ(view.laidOut, 1);

    areas.mouseMove(50, 50); // over the free area
    EXPECT_TRUE(view.movePointer);
    EXPECT_EQ(areas.mouseDown(true, 50, 50), MagAreaDesignation::Press::Selected);
    areas.mouseMove(80, 40);
    EXPECT_EQ(view.outline, (MagRect{50, 20, 100, 50}));
    areas.mouseUp();
    EXPECT_FALSE(view.outline);
    EXPECT_EQ(areas.area(0).display, (MagRect{50, 20, 100, 50}));

    EXPECT_EQ(areas.mouseDown(true, 390, 290), MagAreaDesignation::Press::Ended);
    EXPECT_FALSE(areas.designating());
    EXPECT_EQ(areas.current(), -1);
    EXPECT_FALSE(view.handles);
    EXPECT_EQ(settings.magAreas[0].posX, 50);
    EXPECT_EQ(settings.magAreas[0].posY, 20);
}

TEST_F(MagAreaDesignationTest, PinnedAreaIsNotDragged) {
    settings.magAreas[0] = {MagArea::BottomRight, 0, 0, 100, 50};
    areas.load();
    showPage();
    areas.setDesignation(true);
    areas.mouseMove(350, 280);
    EXPECT_FALSE(view.movePointer);
    areas.mouseDown(true, 350, 280);
    areas.mouseMove(10, 10);
    areas.mouseUp();
    EXPECT_FALSE(view.outline);
    EXPECT_EQ(areas.area(0).display, (MagRect{300, 250, 100, 50}));
}

TEST_F(MagAreaDesignationTest, OriginMenuChecksAndPins) {
    startWithFreeArea();
    EXPECT_EQ(areas.mouseDown(false, 5, 5), MagAreaDesignation::Press::Menu);
    areas.chooseOrigin(MagArea::TopRight);
    EXPECT_EQ(areas.area(0).display, (MagRect{300, 0, 100, 50}));
    EXPECT_EQ(view.orientation, MagArea::TopRight);
    areas.chooseOrigin(MagArea::Free);
    EXPECT_EQ(areas.area(0).display, (MagRect{300, 0, 100, 50}));
}

TEST_F(MagAreaDesignationTest, ResizeThroughHandles) {
    startWithFreeArea(); // (20, 30) to (120, 80)
    areas.resizerDown();
    EXPECT_FALSE(view.handles);
    areas.resizerMove(6, -97 * 15, 0, 119, 55); // right edge to 22: 2 pixels wide
    EXPECT_FALSE(view.outline);
    areas.resizerUp();
    EXPECT_TRUE(view.handles);
    EXPECT_EQ(areas.area(0).display, (MagRect{20, 30, 100, 50}));

    view.rendered.clear();
    areas.resizerDown();
    areas.resizerMove(7, 300, 150, 120, 80); // +20, +10
    areas.resizerUp();
    EXPECT_EQ(areas.area(0).display, (MagRect{20, 30, 120, 60}));
    EXPECT_EQ(view.frames[0], (MagRect{20, 30, 122, 62}));
    EXPECT_EQ(view.rendered, (std::vector<int>{0}));
}

TEST_F(MagAreaDesignationTest, SizeMemoryRestoresPerPaperSlot) {
    settings.expanPrevMemory = 1;
    startWithFreeArea();
    areas.mouseMove(50, 50);
    areas.mouseDown(true, 50, 50);
    areas.mouseMove(60, 60);
    areas.mouseUp();
    areas.saveForPage();
    EXPECT_EQ(settings.sizeMemory[13].origin, MagArea::Free);
    EXPECT_EQ(settings.sizeMemory[13].x, 30);

    settings.magAreas[0] = {MagArea::TopLeft, 0, 0, 100, 50}; // the pair plays no part
    showPage("A4 縦");                                        // slot never stored: the area stays
    EXPECT_EQ(areas.area(0).display, (MagRect{30, 40, 100, 50}));

    settings.sizeMemory[13] = {MagArea::Free, 200, 100, 80, 60, 280, 160};
    showPage("A3 横");
    EXPECT_EQ(areas.area(0).display, (MagRect{200, 100, 80, 60}));
}

} // namespace
