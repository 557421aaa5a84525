#include "image/DeskewLine.h"

#include "image/ImageEditRules.h"

#include <cstdlib>

DeskewLine::Click DeskewLine::click(int x, int y, int width, int height) {
    if (x < 0 || y < 0 || x > width || y > height) {
        return Click::Outside;
    }
    if (!m_started || m_complete) {
        m_started = true;
        m_complete = false;
        m_startX = m_endX = x;
        m_startY = m_endY = y;
        return Click::Started;
    }
    if (std::abs(x - m_startX) < MinDistance && std::abs(y - m_startY) < MinDistance) {
        return Click::Ignored;
    }
    m_endX = x;
    m_endY = y;
    m_complete = true;
    return Click::Completed;
}

bool DeskewLine::move(int x, int y) {
    if (!m_started || m_complete) {
        return false;
    }
    m_endX = x;
    m_endY = y;
    return true;
}

void DeskewLine::clear() {
    *this = DeskewLine();
}

int DeskewLine::hundredths() const {
    return ImageEditRules::deskewHundredths(m_startX, m_startY, m_endX, m_endY);
}
