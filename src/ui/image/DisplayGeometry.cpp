#include "ui/image/DisplayGeometry.h"

#include <algorithm>
#include <cmath>

void DisplayGeometry::setBitmapSize(const QSize& size) {
    m_bitmap = size;
}

void DisplayGeometry::setViewSize(const QSize& size) {
    m_view = size;
}

void DisplayGeometry::setSourceRect(const QRect& source) {
    m_source = source;
}

void DisplayGeometry::setFixedZoom(int percent) {
    m_fixedZoom = std::max(0, percent);
}

void DisplayGeometry::setCentred(bool centred) {
    m_centred = centred;
}

QRect DisplayGeometry::source() const {
    const QRect whole(QPoint(0, 0), m_bitmap);
    return m_source.isEmpty() ? whole : m_source.intersected(whole);
}

double DisplayGeometry::scale() const {
    const QRect src = source();
    if (src.isEmpty()) {
        return 0.0;
    }
    if (m_fixedZoom > 0) {
        return m_fixedZoom / 100.0;
    }
    if (m_view.isEmpty()) {
        return 0.0;
    }
    return std::min(static_cast<double>(m_view.width()) / src.width(),
                    static_cast<double>(m_view.height()) / src.height());
}

QRect DisplayGeometry::destination() const {
    const QRect src = source();
    const double s = scale();
    if (src.isEmpty() || s <= 0.0) {
        return {};
    }
    const int width = std::max(1, static_cast<int>(std::lround(src.width() * s)));
    const int height = std::max(1, static_cast<int>(std::lround(src.height() * s)));
    int left = 0;
    int top = 0;
    if (m_centred) {
        left = std::max(0, (m_view.width() - width) / 2);
        top = std::max(0, (m_view.height() - height) / 2);
    }
    return {left, top, width, height};
}

int DisplayGeometry::zoomPercent() const {
    return static_cast<int>(std::lround(scale() * 100.0));
}

double DisplayGeometry::scaleX() const {
    const QRect src = source();
    return src.isEmpty() ? 0.0 : static_cast<double>(destination().width()) / src.width();
}

double DisplayGeometry::scaleY() const {
    const QRect src = source();
    return src.isEmpty() ? 0.0 : static_cast<double>(destination().height()) / src.height();
}

QPointF DisplayGeometry::viewToBitmap(const QPointF& view) const {
    const QRect dst = destination();
    const QRect src = source();
    if (dst.isEmpty()) {
        return {};
    }
    return {src.left() + (view.x() - dst.left()) / scaleX(),
            src.top() + (view.y() - dst.top()) / scaleY()};
}

QPointF DisplayGeometry::bitmapToView(const QPointF& bitmap) const {
    const QRect dst = destination();
    const QRect src = source();
    if (dst.isEmpty()) {
        return {};
    }
    return {dst.left() + (bitmap.x() - src.left()) * scaleX(),
            dst.top() + (bitmap.y() - src.top()) * scaleY()};
}
