#include "zoomwell/ZoomwellResizer.h"

#include <QPainter>

bool ZoomwellResizer::takesPointerAt(const QPoint& pos) const {
    return m_visible && m_enabled && m_geometry.contains(pos);
}

void ZoomwellResizer::paint(QPainter& painter) const {
    if (!m_visible || m_geometry.width() < 1 || m_geometry.height() < 1) {
        return;
    }
    painter.fillRect(m_geometry, m_fillColor);
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(m_geometry.adjusted(0, 0, -1, -1));
}
