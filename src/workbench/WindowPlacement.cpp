#include "workbench/WindowPlacement.h"

#include "app/SettingsStore.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace {

// The height of a title bar and the width of it the operator needs to grab it.
constexpr int kTitleBarHeight = 24;
constexpr int kGripWidth = 64;

bool titleBarOn(const WindowRect& rect, const WindowRect& screen) {
    const int across = std::min(rect.right, screen.right) - std::max(rect.left, screen.left);
    return rect.top >= screen.top && rect.top <= screen.bottom - kTitleBarHeight &&
           across >= std::min(kGripWidth, rect.right - rect.left);
}

// How far the middle of the title bar lies from the screen, squared.
std::int64_t distanceTo(const WindowRect& rect, const WindowRect& screen) {
    const std::int64_t x = (std::int64_t{rect.left} + rect.right) / 2;
    const std::int64_t y = std::int64_t{rect.top} + kTitleBarHeight / 2;
    const std::int64_t dx =
        x < screen.left ? screen.left - x : std::max<std::int64_t>(0, x - screen.right);
    const std::int64_t dy =
        y < screen.top ? screen.top - y : std::max<std::int64_t>(0, y - screen.bottom);
    return dx * dx + dy * dy;
}

} // namespace

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

WindowRect WindowPlacement::ontoScreens(const WindowRect& rect,
                                        const std::vector<WindowRect>& screens) {
    if (screens.empty() || std::any_of(screens.begin(), screens.end(),
                                       [&](const WindowRect& s) { return titleBarOn(rect, s); })) {
        return rect;
    }
    const WindowRect& nearest = *std::min_element(
        screens.begin(), screens.end(), [&](const WindowRect& a, const WindowRect& b) {
            return distanceTo(rect, a) < distanceTo(rect, b);
        });
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    const int left =
        std::clamp(rect.left, nearest.left, std::max(nearest.left, nearest.right - width));
    const int top =
        std::clamp(rect.top, nearest.top, std::max(nearest.top, nearest.bottom - height));
    return WindowRect{left, top, left + width, top + height};
}

WindowRect WindowPlacement::centredOn(const WindowRect& screen, WindowSize size) {
    const int left = screen.left + std::max(0, (screen.right - screen.left - size.width) / 2);
    const int top = screen.top + std::max(0, (screen.bottom - screen.top - size.height) / 2);
    return WindowRect{left, top, left + size.width, top + size.height};
}

StartPlacement WindowPlacement::atStart(WindowSize design) {
    const Settings& s = m_store.settings();
    StartPlacement placement = decide(s.initWindowMaximized, s.windowRect, design);
    if (placement.moveTo) {
        placement.moveTo = ontoScreens(*placement.moveTo, m_screens);
    }
    m_pending = placement.moveTo;
    if (placement.maximize) {
        // The rectangle is not read at opening when the window opens maximised.
        const WindowRect stored = m_store.initWindowRect();
        if (fits(stored, design)) {
            m_pending = ontoScreens(stored, m_screens);
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
