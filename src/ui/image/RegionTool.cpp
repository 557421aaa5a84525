#include "ui/image/RegionTool.h"

#include <algorithm>

void RegionTool::start(BitmapRegion::Shape shape) {
    m_shape = shape;
    m_active = true;
    m_dragging = false;
}

void RegionTool::stop() {
    m_active = false;
    m_dragging = false;
}

void RegionTool::press(const QPoint& at) {
    if (!m_active) {
        return;
    }
    m_dragging = true;
    m_from = m_to = at;
}

void RegionTool::move(const QPoint& to) {
    if (m_dragging) {
        m_to = to;
    }
}

bool RegionTool::release(const QPoint& at) {
    if (!m_dragging) {
        return false;
    }
    m_to = at;
    m_dragging = false;
    return m_from.x() != m_to.x() && m_from.y() != m_to.y();
}

QRect RegionTool::dragRect() const {
    return QRect(QPoint(std::min(m_from.x(), m_to.x()), std::min(m_from.y(), m_to.y())),
                 QPoint(std::max(m_from.x(), m_to.x()), std::max(m_from.y(), m_to.y())));
}
