#include "workbench/PreviewPageButtons.h"

#include "base/MainView.h"
#include "workbench/Ctl.h"

std::vector<PreviewPageButtons::State> PreviewPageButtons::states(int previewNumber,
                                                                  int previewCount) {
    const bool paged = previewCount >= 2;
    const bool back = paged && previewNumber > 1;
    const bool forward = paged && previewNumber < previewCount;
    return {{id(Ctl::FirstPage), back},
            {id(Ctl::PreviousPage), back},
            {id(Ctl::NextPage), forward},
            {id(Ctl::LastPage), forward}};
}

void PreviewPageButtons::apply(MainView& view, int previewNumber, int previewCount) {
    for (const State& s : states(previewNumber, previewCount)) {
        view.enableControl(s.id, s.enabled);
    }
}

void PreviewPageButtons::disableAll(MainView& view) {
    apply(view, 0, 0);
}

bool PreviewPageButtons::isPageButton(int id) {
    switch (static_cast<Ctl>(id)) {
    case Ctl::FirstPage:
    case Ctl::PreviousPage:
    case Ctl::NextPage:
    case Ctl::LastPage:
        return true;
    default:
        return false;
    }
}

std::optional<int> PreviewPageButtons::target(int buttonId, int previewNumber, int previewCount) {
    if (!isPageButton(buttonId)) {
        return std::nullopt;
    }
    for (const State& s : states(previewNumber, previewCount)) {
        if (s.id == buttonId && !s.enabled) {
            return std::nullopt;
        }
    }
    switch (static_cast<Ctl>(buttonId)) {
    case Ctl::FirstPage:
        return 1;
    case Ctl::PreviousPage:
        return previewNumber - 1;
    case Ctl::NextPage:
        return previewNumber + 1;
    default:
        return previewCount;
    }
}
