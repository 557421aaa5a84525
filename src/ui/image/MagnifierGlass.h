#pragma once

#include "image/PixHandle.h"

#include <QImage>
#include <QPoint>
#include <QRect>

class DisplayGeometry;

// The magnifying glass of the image display: a square that follows the pointer and shows the
// page under it at three times the displayed scale.
class MagnifierGlass {
public:
    static constexpr int Size = 200;
    static constexpr int ZoomPercent = 300;

    void start();
    void stop();
    bool isActive() const { return m_active; }

    // Moves the glass to a view point and renders what it shows there.
    void moveTo(const QPoint& view, const PixHandle& bitmap, const DisplayGeometry& geometry,
                bool smooth);
    // Where the glass is drawn (centred on the pointer); empty before the first move.
    QRect viewRect() const;
    const QImage& image() const { return m_image; }

private:
    bool m_active = false;
    bool m_placed = false;
    QPoint m_at;
    QImage m_image;
};
