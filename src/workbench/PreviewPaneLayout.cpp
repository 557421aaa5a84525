#include "workbench/PreviewPaneLayout.h"

#include "workbench/Ctl.h"
#include "workbench/DesignLayout.h"
#include "workbench/LayoutGrowth.h"

const std::vector<int>& PreviewPaneLayout::controls() {
    static const std::vector<int> ids{
        id(Ctl::ImageHeaderGroup),
        id(Ctl::ImageFileLabel),
        id(Ctl::ImageFileName),
        id(Ctl::PaperSizeLabel),
        id(Ctl::PaperSize),
        id(Ctl::FirstPage),
        id(Ctl::PreviousPage),
        id(Ctl::CurrentPage),
        id(Ctl::PageSlash),
        id(Ctl::PageCount),
        id(Ctl::NextPage),
        id(Ctl::LastPage),
        id(Ctl::MagView1),
        id(Ctl::MagView2),
        id(Ctl::Preview),
        id(Ctl::ZoomFrame),
        id(Ctl::HighResPage),
        id(Ctl::MeasurePage),
        id(Ctl::PreviewBackground),
        id(Ctl::PreviewPicture),
        id(Ctl::DesignateArea),
        id(Ctl::EditImage),
        id(Ctl::OpenWithApplication),
    };
    return ids;
}

Layout PreviewPaneLayout::forWindow(int clientWidth, int clientHeight, int magViews) {
    const Layout grown =
        LayoutGrowth::grow(DesignLayout::pixels(magViews),
                           LayoutGrowth::over(DesignLayout::kWidthPx, DesignLayout::kHeightPx,
                                              clientWidth, clientHeight),
                           magViews);
    Layout pane;
    for (const int ctl : controls()) {
        if (const auto it = grown.find(ctl); it != grown.end()) {
            pane[ctl] = it->second;
        }
    }
    return pane;
}

int PreviewPaneLayout::minimumWidth() {
    return DesignLayout::kWidthPx;
}

int PreviewPaneLayout::minimumHeight() {
    return DesignLayout::kHeightPx;
}
