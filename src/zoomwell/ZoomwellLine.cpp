#include "zoomwell/ZoomwellLine.h"

#include <QPainter>

void ZoomwellLine::paint(QPainter& painter) const {
    if (!m_visible) {
        return;
    }
    painter.setPen(QPen(m_color, 1));
    painter.drawLine(m_line);
}
