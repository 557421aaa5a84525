#include "zoomwell/ZoomwellShape.h"

#include <QPainter>

void ZoomwellShape::paint(QPainter& painter) const {
    if (!m_visible || m_geometry.width() < 1 || m_geometry.height() < 1) {
        return;
    }
    painter.setPen(QPen(m_borderColor, borderWidth()));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(m_geometry.adjusted(0, 0, -1, -1));
}
