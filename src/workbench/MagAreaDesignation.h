#pragma once

#include "workbench/MagArea.h"
#include "workbench/MagAreaGeometry.h"

#include <array>
#include <string>

class MagAreaView;
struct Settings;

// The magnified areas of the preview and their designation: restored, clamped and drawn for
// each page shown, remembered once for all pages or per paper size, moved with the mouse and
// resized through the Zoomwell handles. Keeps its memory in the settings in force; writing them
// to the file is the caller's.
class MagAreaDesignation {
public:
    enum class Press { Ignored, Menu, Selected, Ended };

    MagAreaDesignation(Settings& settings, MagAreaView& view);

    // The areas from the settings (ExpanPreview and the single pair), as at opening.
    void load();
    int areaCount() const { return m_count; }
    // Another number of areas (1 or 2) from now on; the caller draws them anew.
    void setAreaCount(int count);
    const MagArea& area(int index) const { return m_areas[static_cast<std::size_t>(index)]; }
    bool designating() const { return m_designating; }
    int current() const { return m_current; }
    int windowScale() const { return m_scale; }
    bool pageShown() const { return m_pageShown; }

    // A page is on the preview: the areas remembered for its paper size (or the single pair) are
    // restored, clamped, placed and both views rendered.
    void pageShown(const std::string& paperText, DisplaySize display, int windowScale);
    // Before a page button changes the page: the areas go into their slot or the single pair.
    void saveForPage();
    // The window was resized: the areas are drawn anew from their reference rectangles.
    void resized(DisplaySize display, int windowScale);
    // No page: nothing to designate on.
    void pageCleared();

    // Button 1032. Switching off stores the areas; the caller then writes the settings.
    void setDesignation(bool on);

    // Mouse on the large preview in designation; left is the left button, else the right.
    Press mouseDown(bool left, int x, int y);
    void mouseMove(int x, int y);
    void mouseUp();
    // An item of the "原点" menu: 0 to 3 pin the current area there, 4 makes it free.
    void chooseOrigin(int origin);

    // The Zoomwell handles.
    void resizerDown();
    void resizerMove(int handle, int offsetXTwips, int offsetYTwips, int handleX, int handleY);
    void resizerUp();

private:
    MagArea& at(int index) { return m_areas[static_cast<std::size_t>(index)]; }
    void store();
    void apply(int index, const MagRect& rect);
    void place(int index);
    void select(int index);

    Settings& m_settings;
    MagAreaView& m_view;
    std::array<MagArea, 2> m_areas{};
    int m_count = 1;
    int m_scale = 100;
    DisplaySize m_display;
    bool m_pageShown = false;
    int m_slot = MagAreaGeometry::kSlotsPerArea - 1;
    bool m_designating = false;
    int m_current = -1;
    bool m_moveable = false;
    bool m_dragging = false;
    bool m_resizing = false;
    int m_downX = 0;
    int m_downY = 0;
    MagRect m_pending;
    bool m_outlined = false;
};
