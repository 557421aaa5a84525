#pragma once

#include <optional>
#include <vector>

class MainView;

// The four page buttons of the preview pane: 1022 first, 1023 previous, 1025 next, 1024 last.
// They step through the previews of the shown file (not its pages: with a page selection only the
// selected pages have previews).
class PreviewPageButtons {
public:
    struct State {
        int id;
        bool enabled;
        bool operator==(const State&) const = default;
    };

    // First and previous are enabled above preview 1, next and last below the preview count;
    // with fewer than two previews all four are disabled.
    static std::vector<State> states(int previewNumber, int previewCount);
    static void apply(MainView& view, int previewNumber, int previewCount);
    static void disableAll(MainView& view);

    // The preview a button leads to; nothing when the id is no page button or the button is
    // disabled in this state.
    static std::optional<int> target(int buttonId, int previewNumber, int previewCount);
    static bool isPageButton(int id);
};
