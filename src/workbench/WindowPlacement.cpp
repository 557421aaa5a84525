#include "workbench/WindowPlacement.h"

#include "app/SettingsStore.h"

bool WindowPlacement::fits(const WindowRect& rect, WindowSize design) {
    return rect.isStored() && rect.right - rect.left >= design.width &&
           rect.bottom - rect.top >= design.height;
}

StartPlacement WindowPlacement::decide(bool maximized, const WindowRect& stored,
                                       WindowSize design) {
    if (maximized) {
        return StartPlacement{true, std::nullopt};
    }
    if (fits(stored, design)) {
        return StartPlacement{false, stored};
    }
    return {};
}

StartPlacement WindowPlacement::atStart(WindowSize design) {
    const Settings& s = m_store.settings();
    m_openedMaximized = s.initWindowMaximized;
    return decide(s.initWindowMaximized, s.windowRect, design);
}

void WindowPlacement::maximizing(const WindowRect& restoredRect) {
    m_store.setInitWindowRect(restoredRect);
    m_store.setInitWindowMaximized(true);
}

std::optional<WindowRect> WindowPlacement::restoring(WindowSize design) {
    m_store.setInitWindowMaximized(false);
    if (!m_openedMaximized || m_restoredSinceOpening) {
        return std::nullopt;
    }
    m_restoredSinceOpening = true;
    const WindowRect stored = m_store.initWindowRect();
    if (!fits(stored, design)) {
        return std::nullopt;
    }
    return stored;
}

void WindowPlacement::closing(const WindowRect& rect, bool maximized) {
    if (!maximized) {
        m_store.setInitWindowRect(rect);
    }
}
