#include "workbench/ControlStates.h"
#include "base/RecordingMainView.h"
#include "workbench/Cmd.h"
#include "workbench/Ctl.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

// A window with a template, a loaded folder and a current single-page TIFF.
ControlStateInput ready() {
    ControlStateInput in;
    in.imageType = "TIF";
    in.imageCount = 3;
    in.currentImageRow = 1;
    in.pageCount = 1;
    in.previewCount = 1;
    in.previewNumber = 1;
    in.imageFolderLoaded = true;
    in.templateSelected = true;
    in.templatesExist = true;
    return in;
}

bool enabled(const ControlStateInput& in, int controlId) {
    const auto changes = ControlStates::compute(in);
    const auto* c = ControlStates::find(changes, controlId);
    EXPECT_NE(c, nullptr) << controlId;
    return c != nullptr && c->enabled;
}

struct Case {
    const char* name;
    std::function<void(ControlStateInput&)> change;
    int control;
    bool expected;
};

TEST(ControlStates, FollowTheirRules) {
    const std::vector<Case> cases{
        {"busy disables the template box", [](auto& in) { in.busy = true; }, id(Ctl::TemplateBox),
         false},
        {"busy disables the image list", [](auto& in) { in.busy = true; }, id(Ctl::ImageGrid),
         false},
        {"busy disables work data loading", [](auto& in) { in.busy = true; }, id(Ctl::LoadWorkData),
         false},
        {"free enables the template box", [](auto&) {}, id(Ctl::TemplateBox), true},
        {"single-page TIFF can be edited", [](auto&) {}, id(Ctl::EditImage), true},
        {"multi-page TIFF cannot be edited", [](auto& in) { in.pageCount = 3; }, id(Ctl::EditImage),
         false},
        {"JPEG cannot be edited", [](auto& in) { in.imageType = "jpg"; }, id(Ctl::EditImage),
         false},
        {"PDF cannot be opened with an application", [](auto& in) { in.imageType = "pdf"; },
         id(Ctl::OpenWithApplication), false},
        {"a current area keeps the application closed", [](auto& in) { in.areaCurrent = true; },
         id(Ctl::OpenWithApplication), false},
        {"no image row: no editing", [](auto& in) { in.currentImageRow = -1; }, id(Ctl::EditImage),
         false},
        {"no images: no area designation", [](auto& in) { in.imageCount = 0; },
         id(Ctl::DesignateArea), false},
        {"one preview: no next page", [](auto&) {}, id(Ctl::NextPage), false},
        {"preview 1 of 3: next", [](auto& in) { in.previewCount = 3; }, id(Ctl::NextPage), true},
        {"preview 1 of 3: no previous", [](auto& in) { in.previewCount = 3; },
         id(Ctl::PreviousPage), false},
        {"preview 3 of 3: no last", [](auto& in) { in.previewCount = 3, in.previewNumber = 3; },
         id(Ctl::LastPage), false},
        {"preview 3 of 3: first", [](auto& in) { in.previewCount = 3, in.previewNumber = 3; },
         id(Ctl::FirstPage), true},
        // Five pages of which one is selected for previews: nothing to step through, and still
        // not a single page to edit.
        {"one preview of five pages: no next", [](auto& in) { in.pageCount = 5; },
         id(Ctl::NextPage), false},
        {"one preview of five pages: no editing", [](auto& in) { in.pageCount = 5; },
         id(Ctl::EditImage), false},
        // Three pages of which two are previewed: the second preview is the last one.
        {"preview 2 of 2 of three pages: no next",
         [](auto& in) { in.pageCount = 3, in.previewCount = 2, in.previewNumber = 2; },
         id(Ctl::NextPage), false},
        {"no folder: no reload", [](auto& in) { in.imageFolderLoaded = false; },
         id(Ctl::ReloadImages), false},
        {"no assignments: no execute", [](auto&) {}, id(Ctl::Execute), false},
        {"assignments: batch release", [](auto& in) { in.assignmentCount = 1; },
         id(Ctl::BatchRelease), true},
        {"assign follows its availability", [](auto& in) { in.assignment.assign = true; },
         id(Ctl::Assign), true},
        {"unmodified: no save", [](auto&) {}, id(Cmd::SaveWorkData), false},
        {"modified: save", [](auto& in) { in.modified = true; }, id(Cmd::SaveWorkDataAs), true},
        {"modified without folder: no save",
         [](auto& in) { in.modified = true, in.imageFolderLoaded = false; }, id(Cmd::SaveWorkData),
         false},
        {"designation keeps the list load off", [](auto& in) { in.areaDesignation = true; },
         id(Ctl::LoadRenameList), false},
        {"no template: no list load", [](auto& in) { in.templateSelected = false; },
         id(Ctl::LoadRenameList), false},
        {"template: list load", [](auto&) {}, id(Ctl::LoadRenameList), true},
    };
    for (const Case& c : cases) {
        ControlStateInput in = ready();
        c.change(in);
        EXPECT_EQ(enabled(in, c.control), c.expected) << c.name;
    }
}

TEST(ControlStates, ApplyingWithoutACurrentImageEmptiesItsTexts) {
    RecordingMainView view;
    view.setControlText(id(Ctl::ImageFileName), "a.tif");
    view.setControlText(id(Ctl::CurrentPage), "2");
    ControlStateInput in = ready();
    in.currentImageRow = -1;
    ControlStates::apply(view, in);
    EXPECT_EQ(view.control(id(Ctl::ImageFileName)).text, "");
    EXPECT_EQ(view.control(id(Ctl::CurrentPage)).text, "");
    EXPECT_FALSE(view.isEnabled(id(Ctl::OpenWithApplication)));

    view.setControlText(id(Ctl::ImageFileName), "b.tif");
    ControlStates::apply(view, ready());
    EXPECT_EQ(view.control(id(Ctl::ImageFileName)).text, "b.tif");
}

} // namespace
