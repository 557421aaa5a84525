#include "workbench/LayoutGrowth.h"
#include "workbench/Ctl.h"
#include "workbench/DesignLayout.h"

#include <gtest/gtest.h>

namespace {

LayoutRect at(const Layout& layout, Ctl c) {
    return layout.at(id(c));
}

TEST(LayoutGrowth, ASmallerWindowCountsAsNoGrowth) {
    const Growth g = LayoutGrowth::over(1116, 910, 1000, 900);
    EXPECT_EQ(g.dx, 0);
    EXPECT_EQ(g.dy, 0);
    const Layout design = DesignLayout::pixels(1);
    EXPECT_EQ(LayoutGrowth::grow(design, g, 1), design);
}

TEST(LayoutGrowth, TwoHundredPixelsWiderMovesTheGridsAndWidensThePreview) {
    const Layout design = DesignLayout::pixels(1);
    const Layout grown = LayoutGrowth::grow(design, LayoutGrowth::over(1116, 910, 1316, 910), 1);

    for (Ctl c : {Ctl::RenameGrid, Ctl::ImageGrid, Ctl::TemplateBox, Ctl::Execute,
                  Ctl::RenameListGroup, Ctl::StorageFolder}) {
        EXPECT_EQ(at(grown, c).x, at(design, c).x + 200) << id(c);
        EXPECT_EQ(at(grown, c).width, at(design, c).width) << id(c);
    }
    for (Ctl c :
         {Ctl::Preview, Ctl::PreviewBackground, Ctl::MagView1, Ctl::TopLine1, Ctl::StatusBar}) {
        EXPECT_EQ(at(grown, c).width, at(design, c).width + 200) << id(c);
        EXPECT_EQ(at(grown, c).x, at(design, c).x) << id(c);
    }
    EXPECT_EQ(at(grown, Ctl::ImageHeaderGroup).x, at(design, Ctl::ImageHeaderGroup).x + 100);
    EXPECT_EQ(at(grown, Ctl::FirstPage).x, at(design, Ctl::FirstPage).x + 100);
    EXPECT_EQ(at(grown, Ctl::EditImage).x, at(design, Ctl::EditImage).x + 200);
    // The picture stays centred in the wider preview.
    const LayoutRect bg = at(grown, Ctl::PreviewBackground);
    const LayoutRect pic = at(grown, Ctl::PreviewPicture);
    EXPECT_EQ(pic.x - bg.x, bg.right() - pic.right());
    EXPECT_EQ(at(grown, Ctl::Dummy), at(design, Ctl::Dummy));
}

TEST(LayoutGrowth, HeightGoesHalfToThePreviewAndHalfToTheMagnifiedViews) {
    const Layout design = DesignLayout::pixels(2);
    const Layout grown = LayoutGrowth::grow(design, Growth{0, 100}, 2);

    const LayoutRect preview = at(grown, Ctl::Preview);
    EXPECT_EQ(preview.y, at(design, Ctl::Preview).y + 50);
    EXPECT_EQ(preview.bottom(), at(design, Ctl::Preview).bottom() + 100);
    EXPECT_EQ(at(grown, Ctl::MagView1).height, at(design, Ctl::MagView1).height + 25);
    EXPECT_EQ(at(grown, Ctl::MagView1).y, at(design, Ctl::MagView1).y);
    EXPECT_EQ(at(grown, Ctl::MagView2).height, at(design, Ctl::MagView2).height + 25);
    EXPECT_EQ(at(grown, Ctl::MagView2).y, at(design, Ctl::MagView2).y + 25);
    // The views stay above the preview; the right side does not move down.
    EXPECT_LE(at(grown, Ctl::MagView2).bottom(), preview.y);
    EXPECT_EQ(at(grown, Ctl::RenameGrid), at(design, Ctl::RenameGrid));
    EXPECT_EQ(at(grown, Ctl::DesignateArea).y, at(design, Ctl::DesignateArea).y + 100);
    EXPECT_EQ(at(grown, Ctl::StatusBar).y, at(design, Ctl::StatusBar).y + 100);

    const Layout single = LayoutGrowth::grow(DesignLayout::pixels(1), Growth{0, 100}, 1);
    EXPECT_EQ(at(single, Ctl::MagView1).height,
              at(DesignLayout::pixels(1), Ctl::MagView1).height + 50);
}

TEST(DesignLayout, EveryControlLiesInsideTheDesignAndTheGridsDoNotOverlapThePreview) {
    for (const auto& [ctl, r] : DesignLayout::dialogUnits()) {
        EXPECT_GE(r.x, 0) << ctl;
        EXPECT_LE(r.right(), DesignLayout::kWidthDu) << ctl;
        EXPECT_LE(r.bottom(), DesignLayout::kHeightDu) << ctl;
    }
    for (int views : {1, 2}) {
        for (const auto& [ctl, r] : DesignLayout::pixels(views)) {
            EXPECT_GE(r.x, 0) << ctl;
            EXPECT_LE(r.right(), DesignLayout::kWidthPx) << ctl;
            EXPECT_LE(r.bottom(), DesignLayout::kHeightPx) << ctl;
        }
    }
    const Layout du = DesignLayout::dialogUnits();
    EXPECT_EQ(at(du, Ctl::Preview), (LayoutRect{7, 234, 233, 182}));
    EXPECT_LT(at(du, Ctl::Preview).right(), at(du, Ctl::RenameGrid).x);
    EXPECT_EQ(DesignLayout::kWidthPx, 1116);
    EXPECT_EQ(DesignLayout::kHeightPx, 910);
}

TEST(DesignLayout, TwoMagnifiedViewsAreEachHalfTheBandLessThreePixels) {
    struct Case {
        int views;
        LayoutRect band;
        LayoutRect first;
        LayoutRect second;
    };
    const Case cases[] = {
        {1, {14, 112, 466, 348}, {14, 112, 466, 348}, {14, 112, 466, 348}},
        {2, {14, 112, 466, 348}, {14, 112, 466, 171}, {14, 289, 466, 171}},
        {2, {0, 10, 50, 101}, {0, 10, 50, 47}, {0, 64, 50, 47}},
        {2, {0, 0, 50, 4}, {0, 0, 50, 0}, {0, 4, 50, 0}},
    };
    for (const Case& c : cases) {
        const auto [first, second] = DesignLayout::magViews(c.band, c.views);
        EXPECT_EQ(first, c.first) << c.views << " " << c.band.height;
        EXPECT_EQ(second, c.second) << c.views << " " << c.band.height;
    }
    const Layout two = DesignLayout::pixels(2);
    EXPECT_EQ(at(two, Ctl::MagView1), (LayoutRect{14, 112, 466, 171}));
    EXPECT_EQ(at(two, Ctl::MagView2), (LayoutRect{14, 289, 466, 171}));
    EXPECT_EQ(at(DesignLayout::pixels(1), Ctl::MagView1), (LayoutRect{14, 112, 466, 348}));
}

} // namespace
