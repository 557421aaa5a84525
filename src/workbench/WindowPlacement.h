#pragma once

#include "app/Settings.h"

#include <optional>

class SettingsStore;

// Outer size of the main window in pixels; the design size is the smallest it can be.
struct WindowSize {
    int width = 0;
    int height = 0;
};

// Where the main window goes when it opens.
struct StartPlacement {
    bool maximize = false;
    std::optional<WindowRect> moveTo;

    bool operator==(const StartPlacement&) const = default;
};

// Placement memory of the main window: the maximised flag and the restored rectangle in the
// settings, and the rule that a stored rectangle smaller than the design size is ignored.
class WindowPlacement {
public:
    explicit WindowPlacement(SettingsStore& store) : m_store(store) {}

    // Maximised when the flag is on; otherwise the stored rectangle when it exists and is at least
    // as wide and as high as the design size; otherwise nothing changes.
    static StartPlacement decide(bool maximized, const WindowRect& stored, WindowSize design);
    static bool fits(const WindowRect& rect, WindowSize design);

    // From the settings read when the window opened.
    StartPlacement atStart(WindowSize design);
    // Maximising: the restored rectangle is stored and the flag set.
    void maximizing(const WindowRect& restoredRect);
    // Restoring: the flag is cleared; the first time after the window opened maximised the
    // stored rectangle is where the window goes.
    std::optional<WindowRect> restoring(WindowSize design);
    // Closing: the rectangle is stored unless the window is maximised.
    void closing(const WindowRect& rect, bool maximized);

private:
    SettingsStore& m_store;
    bool m_openedMaximized = false;
    bool m_restoredSinceOpening = false;
};
