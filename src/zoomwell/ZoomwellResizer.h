#pragma once

#include <QColor>
#include <QRect>

class QPainter;

// One square resize handle: white fill (button face when disabled), a single-line border and
// the resize pointer of its direction.
class ZoomwellResizer {
public:
    explicit ZoomwellResizer(Qt::CursorShape cursorShape) : m_cursorShape(cursorShape) {}

    QRect geometry() const { return m_geometry; }
    void setGeometry(const QRect& geometry) { m_geometry = geometry; }
    bool isVisible() const { return m_visible; }
    void setVisible(bool visible) { m_visible = visible; }
    bool isEnabled() const { return m_enabled; }
    void setEnabled(bool enabled) { m_enabled = enabled; }
    QColor fillColor() const { return m_fillColor; }
    void setFillColor(QColor color) { m_fillColor = color; }
    Qt::CursorShape cursorShape() const { return m_cursorShape; }

    // Whether the pointer at pos is taken by this handle: hidden and disabled handles leave the
    // pointer to the control beneath them.
    bool takesPointerAt(const QPoint& pos) const;
    void paint(QPainter& painter) const;

private:
    QRect m_geometry;
    QColor m_fillColor = Qt::white;
    Qt::CursorShape m_cursorShape;
    bool m_visible = false;
    bool m_enabled = true;
};
