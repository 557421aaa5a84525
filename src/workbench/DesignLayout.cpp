#include "workbench/DesignLayout.h"

#include "workbench/Ctl.h"

#include <algorithm>
#include <initializer_list>
#include <utility>

namespace {

// Top of the magnified-preview band and its height, in dialog units.
constexpr int kMagTop = 56;
constexpr int kMagHeight = 174;
// Two views each take half the band less this many pixels, one at its top, one at its bottom.
constexpr int kMagGapPx = 3;

} // namespace

Layout DesignLayout::dialogUnits() {
    const std::initializer_list<std::pair<Ctl, LayoutRect>> fixed{
        {Ctl::TopLine1, {0, 0, 558, 1}},
        {Ctl::TopLine2, {0, 1, 558, 1}},
        // image header
        {Ctl::ImageHeaderGroup, {7, 4, 233, 49}},
        {Ctl::ImageFileLabel, {13, 13, 50, 10}},
        {Ctl::ImageFileName, {64, 12, 170, 12}},
        {Ctl::PaperSizeLabel, {13, 26, 50, 10}},
        {Ctl::PaperSize, {64, 25, 170, 12}},
        {Ctl::FirstPage, {64, 38, 16, 12}},
        {Ctl::PreviousPage, {82, 38, 16, 12}},
        {Ctl::CurrentPage, {101, 39, 24, 10}},
        {Ctl::PageSlash, {126, 39, 10, 10}},
        {Ctl::PageCount, {137, 39, 24, 10}},
        {Ctl::NextPage, {164, 38, 16, 12}},
        {Ctl::LastPage, {182, 38, 16, 12}},
        // preview stack
        {Ctl::Preview, {7, 234, 233, 182}},
        {Ctl::ZoomFrame, {7, 234, 233, 182}},
        {Ctl::HighResPage, {7, 234, 233, 182}},
        {Ctl::MeasurePage, {7, 234, 233, 182}},
        {Ctl::PreviewBackground, {7, 234, 233, 182}},
        {Ctl::PreviewPicture, {100, 301, 47, 48}},
        // under the preview
        {Ctl::DesignateArea, {7, 421, 70, 16}},
        {Ctl::EditImage, {81, 421, 70, 16}},
        {Ctl::OpenWithApplication, {155, 421, 85, 16}},
        // rename list
        {Ctl::RenameListGroup, {246, 4, 306, 252}},
        {Ctl::TemplateLabel, {254, 17, 50, 10}},
        {Ctl::TemplateBox, {306, 15, 130, 13}},
        {Ctl::LoadWorkData, {442, 14, 102, 15}},
        {Ctl::ListFileLabel, {254, 33, 50, 10}},
        {Ctl::ListFileName, {306, 31, 130, 13}},
        {Ctl::LoadRenameList, {442, 30, 102, 15}},
        {Ctl::StorageFolderLabel, {254, 49, 50, 10}},
        {Ctl::StorageFolder, {306, 47, 238, 13}},
        {Ctl::RenameGrid, {254, 64, 290, 168}},
        {Ctl::BatchAssign, {254, 236, 68, 15}},
        {Ctl::BatchRelease, {326, 236, 68, 15}},
        {Ctl::Assign, {404, 236, 68, 15}},
        {Ctl::Release, {476, 236, 68, 15}},
        // image list
        {Ctl::ImageGroup, {246, 260, 306, 156}},
        {Ctl::LoadImages, {254, 272, 68, 15}},
        {Ctl::ReloadImages, {326, 272, 68, 15}},
        {Ctl::ReferenceValues, {476, 272, 68, 15}},
        {Ctl::ImageGrid, {254, 291, 290, 119}},
        {Ctl::Execute, {472, 421, 80, 16}},
        {Ctl::Dummy, {404, 421, 60, 16}},
        {Ctl::StatusBar, {0, 443, 558, 12}},
    };
    Layout layout;
    for (const auto& [ctl, rect] : fixed) {
        layout[id(ctl)] = rect;
    }
    layout[id(Ctl::MagView1)] = {7, kMagTop, 233, kMagHeight};
    layout[id(Ctl::MagView2)] = {7, kMagTop, 233, kMagHeight};
    return layout;
}

LayoutRect DesignLayout::toPixels(const LayoutRect& du) {
    return {du.x * kPixelsPerDuX, du.y * kPixelsPerDuY, du.width * kPixelsPerDuX,
            du.height * kPixelsPerDuY};
}

std::pair<LayoutRect, LayoutRect> DesignLayout::magViews(const LayoutRect& band, int views) {
    if (views < 2) {
        return {band, band};
    }
    const int each = std::max(0, band.height / 2 - kMagGapPx);
    return {{band.x, band.y, band.width, each}, {band.x, band.bottom() - each, band.width, each}};
}

Layout DesignLayout::pixels(int magViews) {
    Layout out;
    for (const auto& [ctl, rect] : dialogUnits()) {
        out[ctl] = toPixels(rect);
    }
    const auto [first, second] = DesignLayout::magViews(out[id(Ctl::MagView1)], magViews);
    out[id(Ctl::MagView1)] = first;
    out[id(Ctl::MagView2)] = second;
    return out;
}
