#pragma once

#include <QColor>
#include <QLine>

class QPainter;

// A one-pixel straight line between two points of the control.
class ZoomwellLine {
public:
    explicit ZoomwellLine(QColor color) : m_color(color) {}

    QLine line() const { return m_line; }
    void setLine(const QLine& line) { m_line = line; }
    bool isVisible() const { return m_visible; }
    void setVisible(bool visible) { m_visible = visible; }
    QColor color() const { return m_color; }

    void paint(QPainter& painter) const;

private:
    QLine m_line;
    QColor m_color;
    bool m_visible = false;
};
