#include "workbench/ControlStates.h"

#include "base/Cp932.h"
#include "base/MainView.h"
#include "workbench/Cmd.h"
#include "workbench/Ctl.h"

#include <array>

namespace {

// Controls that a busy window disables, and a free one enables before the rules below.
constexpr std::array kBusyControls{
    Ctl::EditImage,      Ctl::OpenWithApplication,
    Ctl::BatchAssign,    Ctl::ReloadImages,
    Ctl::LoadRenameList, Ctl::BatchRelease,
    Ctl::Release,        Ctl::Assign,
    Ctl::Execute,        Ctl::TemplateBox,
    Ctl::FirstPage,      Ctl::PreviousPage,
    Ctl::NextPage,       Ctl::LastPage,
    Ctl::RenameGrid,     Ctl::ImageGrid,
    Ctl::LoadImages,     Ctl::LoadWorkData,
};

bool isTiff(const std::string& type) {
    return cp932::equalsNoCase(type, "tif") || cp932::equalsNoCase(type, "tiff");
}

} // namespace

bool ControlStates::clearsImageTexts(const ControlStateInput& in) {
    return !in.busy && (in.imageCount < 1 || in.currentImageRow < 1);
}

std::vector<ControlStates::Change> ControlStates::compute(const ControlStateInput& in) {
    std::vector<Change> out;
    auto set = [&out](Ctl c, bool enabled) { out.push_back(Change{id(c), enabled}); };

    for (Ctl c : kBusyControls) {
        set(c, !in.busy);
    }
    if (in.busy) {
        return out;
    }

    set(Ctl::BatchAssign, in.assignment.batchAssign);
    set(Ctl::Assign, in.assignment.assign);
    set(Ctl::Release, in.assignment.release);
    set(Ctl::BatchRelease, in.assignmentCount > 0);
    set(Ctl::Execute, in.assignmentCount > 0);

    // Only a TIFF can be edited or opened with an application; editing needs a single page and
    // opening needs no current magnified area.
    const bool tiff = isTiff(in.imageType);
    set(Ctl::EditImage, tiff && in.pageCount == 1);
    set(Ctl::OpenWithApplication, tiff && !in.areaCurrent);

    const bool paged = in.previewCount >= 2;
    set(Ctl::FirstPage, paged && in.previewNumber >= 2);
    set(Ctl::PreviousPage, paged && in.previewNumber >= 2);
    set(Ctl::NextPage, paged && in.previewNumber < in.previewCount);
    set(Ctl::LastPage, paged && in.previewNumber < in.previewCount);

    set(Ctl::ReloadImages, in.imageFolderLoaded);

    if (clearsImageTexts(in)) {
        set(Ctl::EditImage, false);
        set(Ctl::OpenWithApplication, false);
        set(Ctl::DesignateArea, false);
    }

    const bool canSave = in.modified && in.templateSelected && in.imageFolderLoaded;
    out.push_back(Change{id(Cmd::SaveWorkData), canSave});
    out.push_back(Change{id(Cmd::SaveWorkDataAs), canSave});

    set(Ctl::LoadRenameList, in.templatesExist && in.templateSelected && !in.areaDesignation);
    return out;
}

const ControlStates::Change* ControlStates::find(const std::vector<Change>& changes, int id) {
    const Change* found = nullptr;
    for (const Change& c : changes) {
        if (c.id == id) {
            found = &c;
        }
    }
    return found;
}

void ControlStates::apply(MainView& view, const ControlStateInput& in) {
    for (const Change& c : compute(in)) {
        view.enableControl(c.id, c.enabled);
    }
    if (clearsImageTexts(in)) {
        view.setControlText(id(Ctl::ImageFileName), {});
        view.setControlText(id(Ctl::CurrentPage), {});
        view.setControlText(id(Ctl::PageCount), {});
    }
}
