#pragma once

#include "app/Settings.h"

#include <optional>
#include <vector>

class SettingsStore;

// Outer size of the main window in pixels; the design size is the smallest it can be.
struct WindowSize {
    int width = 0;
    int height = 0;
};

// How far the window manager's frame reaches beyond the client area on each side, in pixels. All
// zero while the window has no frame (before it is shown, or without a window manager).
struct FrameMargins {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    bool operator==(const FrameMargins&) const = default;
};

// Where the main window goes when it opens.
struct StartPlacement {
    bool maximize = false;
    std::optional<WindowRect> moveTo;

    bool operator==(const StartPlacement&) const = default;
};

// Placement memory of the main window: the maximised flag and the restored (outer) rectangle in
// the settings, and the rule that a stored rectangle smaller than the design size is ignored.
//
// The stored rectangle includes the frame, but the window is placed by its client area, and the
// frame is known only once the window manager has framed the window, which happens after the
// window is shown and may be reported in steps. So the rectangle to reach stays pending until the
// window, in its normal state and in a frame, stands exactly on it: every report of the normal
// geometry may ask for the client rectangle again, computed with the frame as it is now. (Without
// a window manager the frame stays empty and the rectangle pending, which asks nothing more.) While
// a rectangle is pending it is also the one a maximise stores, so a maximise reported before the
// window ever stood in its place (the window opened maximised) keeps the stored rectangle, whatever
// the order in which the window manager's reports arrive.
class WindowPlacement {
public:
    explicit WindowPlacement(SettingsStore& store) : m_store(store) {}

    // Maximised when the flag is on; otherwise the stored rectangle when it exists and is at least
    // as wide and as high as the design size; otherwise nothing changes.
    static StartPlacement decide(bool maximized, const WindowRect& stored, WindowSize design);
    static bool fits(const WindowRect& rect, WindowSize design);
    // The outer rectangle of a client rectangle in this frame, and back.
    static WindowRect outerOf(const WindowRect& client, const FrameMargins& frame);
    static WindowRect clientOf(const WindowRect& outer, const FrameMargins& frame);
    // The rectangle, when the operator can reach its title bar on one of the screens (its top
    // edge on the screen and a grip's width of it across the screen); otherwise the same size
    // moved onto the screen nearest to its title bar, kept inside that screen as far as it fits.
    // Screens may lie at negative coordinates; no screens leave the rectangle as it is.
    static WindowRect ontoScreens(const WindowRect& rect, const std::vector<WindowRect>& screens);
    // A window of this outer size in the middle of the screen, its top-left corner kept on it:
    // where the window opens when nothing is stored, so that its title bar can be reached.
    static WindowRect centredOn(const WindowRect& screen, WindowSize size);

    // The screens' available rectangles, for the placement at start.
    void setScreens(std::vector<WindowRect> screens) { m_screens = std::move(screens); }

    // From the settings read when the window opened, brought onto the screens. A window that
    // opens maximised keeps a fitting stored rectangle pending for its first restore.
    StartPlacement atStart(WindowSize design);
    // The window reports its client rectangle and frame while it is in the normal state (neither
    // maximised nor minimised): the client rectangle to ask for, when a rectangle is pending and
    // this frame has not been asked with yet. Asking once per frame leaves the last word to a
    // window manager that keeps the window elsewhere (a screen too small, the operator's hand).
    std::optional<WindowRect> normalGeometry(const WindowRect& client, const FrameMargins& frame);
    // Maximising: the restored rectangle (the pending one, when there is one) is stored and the
    // flag set.
    void maximizing(const WindowRect& restoredRect);
    // Restoring: the flag is cleared; a rectangle still pending is asked for again with the next
    // report of the normal geometry.
    void restoring();
    // Closing: the rectangle is stored unless the window is maximised.
    void closing(const WindowRect& rect, bool maximized);

private:
    SettingsStore& m_store;
    std::optional<WindowRect> m_pending;
    std::optional<FrameMargins> m_askedWith;
    std::vector<WindowRect> m_screens;
};
