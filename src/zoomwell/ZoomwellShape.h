#pragma once

#include <QColor>
#include <QRect>

class QPainter;

// A rectangle frame with a one-pixel border and a transparent inside. The border lies within
// the geometry, so a frame of width w covers exactly w pixels.
class ZoomwellShape {
public:
    explicit ZoomwellShape(QColor borderColor) : m_borderColor(borderColor) {}

    QRect geometry() const { return m_geometry; }
    void setGeometry(const QRect& geometry) { m_geometry = geometry; }
    bool isVisible() const { return m_visible; }
    void setVisible(bool visible) { m_visible = visible; }
    QColor borderColor() const { return m_borderColor; }
    int borderWidth() const { return 1; }

    void paint(QPainter& painter) const;

private:
    QRect m_geometry;
    QColor m_borderColor;
    bool m_visible = false;
};
