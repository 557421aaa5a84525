#include "workbench/MagAreaGeometry.h"
#include "base/TextCodec.h"
#include "workbench/MagArea.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

TEST(MagAreaGeometryTest, FixedPointScaling) {
    const struct {
        int v, to, from, expected;
    } cases[] = {
        {100, 150, 100, 150}, {150, 100, 150, 101}, // truncated factor loses a pixel back
        {333, 100, 137, 244}, {-10, 200, 100, -20},
        {7, 100, 0, 7},       {2000000, 300, 100, 6000000}, // needs 64-bit intermediates
    };
    for (const auto& c : cases) {
        EXPECT_EQ(MagArea::scaleFixed(c.v, c.to, c.from), c.expected)
            << c.v << " " << c.to << "/" << c.from;
    }
}

TEST(MagAreaGeometryTest, ReferenceRoundTripOnOddSizesStaysWithinTwoPixels) {
    for (int scale : {73, 99, 101, 137, 251, 333}) {
        for (int v : {1, 3, 7, 99, 401, 1001, 1599}) {
            MagArea a;
            a.setReference({v, v, v, v}, scale);
            const MagRect shown = a.display;
            a.setDisplay(shown, scale);
            EXPECT_LE(std::abs(a.reference.width - v), 2) << scale << " " << v;
        }
    }
}

// A page fitted into a control, as the large preview shows it.
static DisplaySize fitted(DisplaySize image, DisplaySize control) {
    const double s =
        std::min(double(control.width) / image.width, double(control.height) / image.height);
    return {int(image.width * s), int(image.height * s)};
}

TEST(MagAreaGeometryTest, AreasKeepTheirPlaceOnThePageWhenThePreviewGrows) {
    const DisplaySize initial{466, 364};
    const struct {
        DisplaySize image, control;
    } cases[] = {
        {{2480, 3508}, {700, 480}},  // portrait: height-limited before and after
        {{3508, 2480}, {1100, 560}}, // landscape turns from width- to height-limited
        {{3000, 2400}, {800, 420}},  // nearly the control's shape
        {{4961, 3508}, {466, 364}},  // no growth
        {{1000, 1000}, {2000, 1500}},
    };
    for (const auto& c : cases) {
        const DisplaySize before = fitted(c.image, initial);
        const DisplaySize after = fitted(c.image, c.control);
        const int scale = MagAreaGeometry::windowScale(after, initial);
        MagArea a;
        a.setReference({before.width / 2, before.height / 3, before.width / 4, 40}, 100);
        a.setReference(a.reference, scale);
        // The left edge stays at the same share of the page, within half a percent.
        const double shareBefore = double(a.reference.left) / before.width;
        const double shareAfter = double(a.display.left) / after.width;
        EXPECT_NEAR(shareAfter, shareBefore, 0.005) << c.image.width << "x" << c.image.height;
        EXPECT_NEAR(double(a.display.top) / after.height, double(a.reference.top) / before.height,
                    0.005);
    }
    EXPECT_EQ(MagAreaGeometry::windowScale({0, 0}, initial), 100);
    EXPECT_EQ(MagAreaGeometry::windowScale({300, 600}, {0, 0}), 100);
}

TEST(MagAreaGeometryTest, ClampAndPin) {
    const struct {
        MagRect rect;
        int origin;
        DisplaySize display;
        MagRect expected;
    } cases[] = {
        {{0, 0, 100, 50}, 3, {400, 300}, {300, 250, 100, 50}},
        {{300, 250, 100, 50}, 3, {250, 500}, {150, 450, 100, 50}}, // another display size
        {{10, 10, 100, 50}, 1, {400, 300}, {300, 0, 100, 50}},
        {{10, 10, 100, 50}, 2, {400, 300}, {0, 250, 100, 50}},
        {{10, 10, 100, 50}, 0, {400, 300}, {0, 0, 100, 50}},
        {{350, 280, 100, 50}, 4, {400, 300}, {300, 250, 100, 50}}, // free, pushed inside
        {{20, 30, 100, 50}, 4, {400, 300}, {20, 30, 100, 50}},     // free keeps its place
        {{-5, -7, -3, -1}, 4, {400, 300}, {0, 0, 1, 1}},
        {{50, 50, 900, 700}, 4, {400, 300}, {0, 0, 400, 300}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(MagAreaGeometry::clamp(c.rect, c.origin, c.display), c.expected)
            << c.rect.left << "," << c.rect.top << " origin " << c.origin;
    }
}

TEST(MagAreaGeometryTest, ResizeByHandle) {
    const MagRect start{100, 100, 50, 40}; // right 150, bottom 140
    const DisplaySize display{400, 300};
    const struct {
        int handle, x, y;
        std::optional<MagRect> expected;
    } cases[] = {
        {7, 200, 180, MagRect{100, 100, 100, 80}},
        {0, 90, 80, MagRect{90, 80, 60, 60}},
        {1, 60, 0, MagRect{60, 100, 90, 40}},   // left edge only
        {4, 0, 170, MagRect{100, 100, 50, 70}}, // bottom edge only
        {1, 170, 0, MagRect{150, 100, 20, 40}}, // across the right edge: sides swap
        {3, 0, 160, MagRect{100, 140, 50, 20}}, // across the bottom edge
        {6, 102, 0, std::nullopt},              // 2 pixels wide: ignored
        {4, 0, 102, std::nullopt},
        {6, 103, 0, MagRect{100, 100, 3, 40}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(MagAreaGeometry::resized(start, c.handle, c.x, c.y, display), c.expected)
            << "handle " << c.handle << " to " << c.x << "," << c.y;
    }
}

TEST(MagAreaGeometryTest, ResizePointerFromTwipsStaysOnTheDisplay) {
    EXPECT_EQ(MagAreaGeometry::resizePointer(100, 150, 400), 110);
    EXPECT_EQ(MagAreaGeometry::resizePointer(100, -29, 400), 99);
    EXPECT_EQ(MagAreaGeometry::resizePointer(10, -300, 400), 0);
    EXPECT_EQ(MagAreaGeometry::resizePointer(390, 300, 400), 400);
}

TEST(MagAreaGeometryTest, DragStaysInsideTheDisplay) {
    const MagRect start{100, 100, 50, 40};
    EXPECT_EQ(MagAreaGeometry::dragged(start, 30, -20, {400, 300}), (MagRect{130, 80, 50, 40}));
    EXPECT_EQ(MagAreaGeometry::dragged(start, 900, -900, {400, 300}), (MagRect{350, 0, 50, 40}));
}

TEST(MagAreaGeometryTest, RegionIsCentredInItsView) {
    const struct {
        MagRect region;
        int viewWidth, viewHeight;
        MagRect part;
        int x, y;
    } cases[] = {
        {{10, 20, 40, 30}, 100, 50, {10, 20, 40, 30}, 30, 10},
        {{10, 20, 300, 30}, 100, 50, {110, 20, 100, 30}, 0, 10},
        {{0, 0, 41, 201}, 40, 100, {0, 50, 40, 100}, 0, 0},
    };
    for (const auto& c : cases) {
        const auto v = MagAreaGeometry::centred(c.region, c.viewWidth, c.viewHeight);
        EXPECT_EQ(v.part, c.part);
        EXPECT_EQ(v.x, c.x);
        EXPECT_EQ(v.y, c.y);
    }
}

TEST(MagAreaGeometryTest, MemorySlotFromPaperText) {
    const struct {
        const char* text;
        int slot;
    } cases[] = {
        {"A0 縦 (幅 841mm×高さ 1189mm)", 0},
        {"A3 横 (幅 420mm×高さ 297mm)", 13},
        {"A4 縦", 16},
        {"B5 横", 19},
        {"不定形", 20},
        {"", 20},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(MagAreaGeometry::memorySlot(textcodec::utf8ToCp932(c.text)), c.slot) << c.text;
    }
}

TEST(MagAreaGeometryTest, AreaCountFromSetting) {
    EXPECT_EQ(MagAreaGeometry::areaCount(0), 1);
    EXPECT_EQ(MagAreaGeometry::areaCount(1), 2);
    EXPECT_EQ(MagAreaGeometry::areaCount(5), 1);
    EXPECT_EQ(MagAreaGeometry::areaCount(-1), 1);
}
