#pragma once

#include "image/BitmapRegion.h"

#include <QPoint>
#include <QRect>

// The interactive region tool of the image display: while active, a drag with the left button
// spans a rectangle or an ellipse in view coordinates.
class RegionTool {
public:
    void start(BitmapRegion::Shape shape);
    void stop();
    bool isActive() const { return m_active; }
    BitmapRegion::Shape shape() const { return m_shape; }

    void press(const QPoint& at);
    void move(const QPoint& to);
    // Ends the drag; true when it spanned at least one pixel each way.
    bool release(const QPoint& at);

    bool isDragging() const { return m_dragging; }
    // The dragged rectangle so far, both corners included.
    QRect dragRect() const;

private:
    BitmapRegion::Shape m_shape = BitmapRegion::Rectangle;
    bool m_active = false;
    bool m_dragging = false;
    QPoint m_from;
    QPoint m_to;
};
