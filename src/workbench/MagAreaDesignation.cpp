#include "workbench/MagAreaDesignation.h"

#include "app/Settings.h"
#include "workbench/MagAreaView.h"

MagAreaDesignation::MagAreaDesignation(Settings& settings, MagAreaView& view)
    : m_settings(settings), m_view(view) {
}

void MagAreaDesignation::load() {
    m_count = MagAreaGeometry::areaCount(m_settings.expanPreview);
    for (int i = 0; i < 2; ++i) {
        const MagAreaSetting& s = m_settings.magAreas[static_cast<std::size_t>(i)];
        MagArea& a = at(i);
        a.origin = s.origin;
        a.setReference({s.posX, s.posY, s.width, s.height}, m_scale);
        a.enabled = i < m_count;
    }
}

void MagAreaDesignation::setAreaCount(int count) {
    m_count = count;
    for (int i = 0; i < 2; ++i) {
        at(i).enabled = i < m_count;
    }
}

void MagAreaDesignation::pageShown(const std::string& paperText, DisplaySize display,
                                   int windowScale) {
    m_display = display;
    m_scale = windowScale;
    m_pageShown = true;
    m_slot = MagAreaGeometry::memorySlot(paperText);
    for (int i = 0; i < 2; ++i) {
        MagArea& a = at(i);
        if (m_settings.expanPrevMemory != 0) {
            const SizeMemoryEntry& e = m_settings.sizeMemory[static_cast<std::size_t>(
                i * MagAreaGeometry::kSlotsPerArea + m_slot)];
            if (e.origin != -1) {
                a.origin = e.origin;
                a.reference = {e.x, e.y, e.width, e.height};
            }
        } else {
            const MagAreaSetting& s = m_settings.magAreas[static_cast<std::size_t>(i)];
            a.origin = s.origin;
            a.reference = {s.posX, s.posY, s.width, s.height};
        }
    }
    resized(display, windowScale);
}

void MagAreaDesignation::resized(DisplaySize display, int windowScale) {
    m_display = display;
    m_scale = windowScale;
    if (!m_pageShown) {
        return;
    }
    for (int i = 0; i < m_count; ++i) {
        MagArea& a = at(i);
        a.setReference(a.reference, m_scale);
        const MagRect kept = MagAreaGeometry::clamp(a.display, a.origin, m_display);
        if (kept != a.display) {
            a.setDisplay(kept, m_scale);
        }
        place(i);
        m_view.renderView(i);
    }
}

void MagAreaDesignation::saveForPage() {
    store();
}

void MagAreaDesignation::pageCleared() {
    m_pageShown = false;
    m_view.clearViews();
}

void MagAreaDesignation::store() {
    for (int i = 0; i < 2; ++i) {
        const MagArea& a = at(i);
        const MagRect& r = a.reference;
        if (m_settings.expanPrevMemory != 0) {
            m_settings.sizeMemory[static_cast<std::size_t>(i * MagAreaGeometry::kSlotsPerArea +
                                                           m_slot)] = {
                a.origin, r.left, r.top, r.width, r.height, r.right(), r.bottom()};
        } else {
            m_settings.magAreas[static_cast<std::size_t>(i)] = {a.origin, r.left, r.top, r.width,
                                                                r.height};
        }
    }
}

void MagAreaDesignation::setDesignation(bool on) {
    if (on == m_designating) {
        return;
    }
    m_designating = on;
    m_dragging = false;
    m_resizing = false;
    if (on) {
        m_view.layoutAreas(m_count);
        for (int i = 0; i < m_count; ++i) {
            place(i);
        }
        select(0);
        m_view.showHandles(true);
        return;
    }
    m_current = -1;
    m_view.selectFrame(-1, MagArea::Free);
    m_view.showHandles(false);
    m_view.removeOutline();
    m_outlined = false;
    m_view.setMovePointer(false);
    store();
}

MagAreaDesignation::Press MagAreaDesignation::mouseDown(bool left, int x, int y) {
    if (!m_designating || !m_pageShown) {
        return Press::Ignored;
    }
    if (!left) {
        if (m_current < 0) {
            return Press::Ignored;
        }
        return Press::Menu;
    }
    for (int i = 0; i < m_count; ++i) {
        if (at(i).display.contains(x, y)) {
            select(i);
            m_view.showHandles(true);
            if (m_moveable && at(i).origin == MagArea::Free) {
                m_dragging = true;
                m_outlined = false;
                m_downX = x;
                m_downY = y;
            }
            return Press::Selected;
        }
    }
    setDesignation(false);
    return Press::Ended;
}

void MagAreaDesignation::mouseMove(int x, int y) {
    if (!m_designating || !m_pageShown) {
        return;
    }
    if (m_dragging) {
        m_pending =
            MagAreaGeometry::dragged(at(m_current).display, x - m_downX, y - m_downY, m_display);
        m_view.drawOutline(m_pending);
        m_outlined = true;
        return;
    }
    bool overFree = false;
    for (int i = 0; i < m_count; ++i) {
        overFree = overFree || (at(i).origin == MagArea::Free && at(i).display.contains(x, y));
    }
    if (overFree != m_moveable) {
        m_moveable = overFree;
        m_view.setMovePointer(overFree);
    }
}

void MagAreaDesignation::mouseUp() {
    if (!m_dragging) {
        return;
    }
    m_dragging = false;
    if (m_outlined) {
        m_view.removeOutline();
        m_outlined = false;
        apply(m_current, m_pending);
    }
}

void MagAreaDesignation::chooseOrigin(int origin) {
    if (m_current < 0 || origin < MagArea::TopLeft || origin > MagArea::Free) {
        return;
    }
    MagArea& a = at(m_current);
    a.origin = origin;
    if (origin != MagArea::Free) {
        apply(m_current, MagAreaGeometry::pin(a.display, origin, m_display));
    }
    m_view.selectFrame(m_current, origin);
}

void MagAreaDesignation::resizerDown() {
    if (m_current < 0) {
        return;
    }
    m_view.showHandles(false);
    m_resizing = true;
    m_outlined = false;
}

void MagAreaDesignation::resizerMove(int handle, int offsetXTwips, int offsetYTwips, int handleX,
                                     int handleY) {
    if (!m_resizing) {
        return;
    }
    const int x = MagAreaGeometry::resizePointer(handleX, offsetXTwips, m_display.width);
    const int y = MagAreaGeometry::resizePointer(handleY, offsetYTwips, m_display.height);
    const auto rect = MagAreaGeometry::resized(at(m_current).display, handle, x, y, m_display);
    if (!rect) {
        return;
    }
    m_pending = *rect;
    m_view.drawOutline(m_pending);
    m_outlined = true;
}

void MagAreaDesignation::resizerUp() {
    if (!m_resizing) {
        return;
    }
    m_resizing = false;
    if (m_outlined) {
        m_view.removeOutline();
        m_outlined = false;
        apply(m_current, m_pending);
    }
    m_view.showHandles(true);
}

void MagAreaDesignation::apply(int index, const MagRect& rect) {
    at(index).setDisplay(rect, m_scale);
    place(index);
    m_view.renderView(index);
}

void MagAreaDesignation::place(int index) {
    const MagRect& d = at(index).display;
    m_view.placeFrame(index, {d.left, d.top, d.width + 2, d.height + 2});
}

void MagAreaDesignation::select(int index) {
    m_current = index;
    m_view.selectFrame(index, at(index).origin);
}
