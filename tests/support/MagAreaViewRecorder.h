#pragma once

#include "workbench/MagAreaView.h"

#include <array>
#include <optional>
#include <vector>

// Keeps what the magnified areas asked of the screen: frames, selection, outline, pointer, menu
// and the views rendered, in order.
class MagAreaViewRecorder : public MagAreaView {
public:
    void layoutAreas(int count) override { laidOut = count; }
    void placeFrame(int index, const MagRect& frame) override {
        frames[static_cast<std::size_t>(index)] = frame;
    }
    void selectFrame(int index, int origin) override {
        selected = index;
        orientation = origin;
    }
    void showHandles(bool shown) override { handles = shown; }
    void drawOutline(const MagRect& rect) override { outline = rect; }
    void removeOutline() override { outline.reset(); }
    void setMovePointer(bool move) override { movePointer = move; }
    void renderView(int index) override { rendered.push_back(index); }
    void clearViews() override { rendered.clear(); }

    int laidOut = 0;
    std::array<MagRect, 2> frames{};
    int selected = -1;
    int orientation = -1;
    bool handles = false;
    std::optional<MagRect> outline;
    bool movePointer = false;
    std::vector<int> rendered;
};
