#pragma once

#include <QPointF>
#include <QRect>
#include <QSize>

// Where a part of a bitmap lands on a display: the source rectangle (bitmap pixels) is either
// fitted into the view with its aspect kept or shown at a fixed zoom, at the view's top-left or
// centred in it.
class DisplayGeometry {
public:
    void setBitmapSize(const QSize& size);
    void setViewSize(const QSize& size);
    // An empty rectangle shows the whole bitmap; others are cut to the bitmap.
    void setSourceRect(const QRect& source);
    // 0 fits the source into the view; otherwise a fixed zoom in percent.
    void setFixedZoom(int percent);
    void setCentred(bool centred);

    QSize bitmapSize() const { return m_bitmap; }
    QRect source() const;
    QRect destination() const;
    int fixedZoom() const { return m_fixedZoom; }
    // The zoom in use, in percent (fitted: the smaller of the two scales, rounded).
    int zoomPercent() const;
    double scaleX() const;
    double scaleY() const;
    bool isEmpty() const { return destination().isEmpty(); }

    QPointF viewToBitmap(const QPointF& view) const;
    QPointF bitmapToView(const QPointF& bitmap) const;

private:
    double scale() const;

    QSize m_bitmap;
    QSize m_view;
    QRect m_source;
    int m_fixedZoom = 0;
    bool m_centred = false;
};
