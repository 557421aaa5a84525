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

WindowRect WindowPlacement::outerOf(const WindowRect& client, const FrameMargins& frame) {
    return WindowRect{client.left - frame.left, client.top - frame.top, client.right + frame.right,
                      client.bottom + frame.bottom};
}

WindowRect WindowPlacement::clientOf(const WindowRect& outer, const FrameMargins& frame) {
    return WindowRect{outer.left + frame.left, outer.top + frame.top, outer.right - frame.right,
                      outer.bottom - frame.bottom};
}

StartPlacement WindowPlacement::atStart(WindowSize design) {
    const Settings& s = m_store.settings();
    const StartPlacement placement = decide(s.initWindowMaximized, s.windowRect, design);
    m_pending = placement.moveTo;
    if (placement.maximize) {
        // The rectangle is not read at opening when the window opens maximised.
        const WindowRect stored = m_store.initWindowRect();
        if (fits(stored, design)) {
            m_pending = stored;
        }
    }
    m_askedWith.reset();
    return placement;
}

std::optional<WindowRect> WindowPlacement::normalGeometry(const WindowRect& client,
                                                          const FrameMargins& frame) {
    if (!m_pending) {
        return std::nullopt;
    }
    // Without a frame the window may merely not be framed yet: it counts as placed only once it
    // stands there in a frame.
    const bool there = outerOf(client, frame) == *m_pending;
    if (there && frame != FrameMargins{}) {
        m_pending.reset();
        return std::nullopt;
    }
    if (there || m_askedWith == frame) {
        return std::nullopt;
    }
    m_askedWith = frame;
    return clientOf(*m_pending, frame);
}

void WindowPlacement::maximizing(const WindowRect& restoredRect) {
    m_store.setInitWindowRect(m_pending.value_or(restoredRect));
    m_store.setInitWindowMaximized(true);
}

void WindowPlacement::restoring() {
    m_store.setInitWindowMaximized(false);
    m_askedWith.reset();
}

void WindowPlacement::closing(const WindowRect& rect, bool maximized) {
    if (!maximized) {
        m_store.setInitWindowRect(rect);
    }
}
