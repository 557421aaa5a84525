#include "workbench/LayoutGrowth.h"

#include "workbench/Ctl.h"

#include <algorithm>

GrowthRule LayoutGrowth::rule(int controlId) {
    switch (static_cast<Ctl>(controlId)) {
    case Ctl::TopLine1:
    case Ctl::TopLine2:
        return GrowthRule::Widen;
    case Ctl::ImageHeaderGroup:
    case Ctl::ImageFileLabel:
    case Ctl::ImageFileName:
    case Ctl::PaperSizeLabel:
    case Ctl::PaperSize:
    case Ctl::FirstPage:
    case Ctl::PreviousPage:
    case Ctl::NextPage:
    case Ctl::LastPage:
    case Ctl::CurrentPage:
    case Ctl::PageSlash:
    case Ctl::PageCount:
        return GrowthRule::ShiftHalfX;
    case Ctl::RenameListGroup:
    case Ctl::TemplateLabel:
    case Ctl::TemplateBox:
    case Ctl::ListFileLabel:
    case Ctl::ListFileName:
    case Ctl::LoadWorkData:
    case Ctl::LoadRenameList:
    case Ctl::StorageFolderLabel:
    case Ctl::StorageFolder:
    case Ctl::RenameGrid:
    case Ctl::BatchAssign:
    case Ctl::BatchRelease:
    case Ctl::Assign:
    case Ctl::Release:
    case Ctl::ImageGroup:
    case Ctl::LoadImages:
    case Ctl::ReloadImages:
    case Ctl::ReferenceValues:
    case Ctl::ImageGrid:
    case Ctl::Execute:
        return GrowthRule::ShiftX;
    case Ctl::DesignateArea:
    case Ctl::EditImage:
    case Ctl::OpenWithApplication:
        return GrowthRule::ShiftXY;
    case Ctl::Preview:
    case Ctl::ZoomFrame:
    case Ctl::HighResPage:
    case Ctl::PreviewBackground:
        return GrowthRule::PreviewStack;
    case Ctl::MagView1:
    case Ctl::MagView2:
        return GrowthRule::MagView;
    case Ctl::PreviewPicture:
        return GrowthRule::CentreInPreview;
    case Ctl::StatusBar:
        return GrowthRule::BottomEdge;
    default:
        return GrowthRule::Fixed;
    }
}

Growth LayoutGrowth::over(int designWidth, int designHeight, int width, int height) {
    return Growth{std::max(0, width - designWidth), std::max(0, height - designHeight)};
}

Layout LayoutGrowth::grow(const Layout& design, Growth g, int magViews) {
    const int views = magViews >= 2 ? 2 : 1;
    const int perView = g.dy / (2 * views);
    Layout out;
    for (const auto& [ctl, d] : design) {
        LayoutRect r = d;
        switch (rule(ctl)) {
        case GrowthRule::Fixed:
            break;
        case GrowthRule::Widen:
            r.width += g.dx;
            break;
        case GrowthRule::ShiftHalfX:
            r.x += g.dx / 2;
            break;
        case GrowthRule::ShiftX:
            r.x += g.dx;
            break;
        case GrowthRule::ShiftXY:
            r.x += g.dx;
            r.y += g.dy;
            break;
        case GrowthRule::PreviewStack:
            r.width += g.dx;
            r.y += g.dy / 2;
            r.height += g.dy - g.dy / 2;
            break;
        case GrowthRule::MagView: {
            const int index = ctl == id(Ctl::MagView2) && views == 2 ? 1 : 0;
            r.width += g.dx;
            r.y += index * perView;
            r.height += perView;
            break;
        }
        case GrowthRule::CentreInPreview:
            break; // placed below, once the background has grown
        case GrowthRule::BottomEdge:
            r.y += g.dy;
            r.width += g.dx;
            break;
        }
        out[ctl] = r;
    }
    const auto picture = out.find(id(Ctl::PreviewPicture));
    const auto background = out.find(id(Ctl::PreviewBackground));
    if (picture != out.end() && background != out.end()) {
        LayoutRect& r = picture->second;
        r.x = background->second.x + (background->second.width - r.width) / 2;
        r.y = background->second.y + (background->second.height - r.height) / 2;
    }
    return out;
}
