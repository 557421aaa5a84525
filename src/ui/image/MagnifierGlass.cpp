#include "ui/image/MagnifierGlass.h"

#include "image/ImageLibrary.h"
#include "ui/image/DisplayGeometry.h"
#include "ui/image/PixImageConverter.h"

#include <QPainter>
#include <cmath>

void MagnifierGlass::start() {
    m_active = true;
    m_placed = false;
}

void MagnifierGlass::stop() {
    m_active = false;
    m_placed = false;
    m_image = QImage();
}

QRect MagnifierGlass::viewRect() const {
    if (!m_placed) {
        return {};
    }
    return {m_at.x() - Size / 2, m_at.y() - Size / 2, Size, Size};
}

void MagnifierGlass::moveTo(const QPoint& view, const PixHandle& bitmap,
                            const DisplayGeometry& geometry, bool smooth) {
    if (!m_active) {
        return;
    }
    m_at = view;
    m_placed = true;
    m_image = QImage(Size, Size, QImage::Format_RGB32);
    m_image.fill(Qt::white);
    const double factor = geometry.scaleX() * ZoomPercent / 100.0;
    if (!bitmap || factor <= 0.0) {
        return;
    }
    // The part of the bitmap the glass covers, and the part of it that exists.
    const QPointF centre = geometry.viewToBitmap(QPointF(view) + QPointF(0.5, 0.5));
    const double side = Size / factor;
    const double left = centre.x() - side / 2;
    const double top = centre.y() - side / 2;
    const int x0 = std::max(0, static_cast<int>(std::floor(left)));
    const int y0 = std::max(0, static_cast<int>(std::floor(top)));
    const int x1 = std::min(bitmap.width(), static_cast<int>(std::ceil(left + side)));
    const int y1 = std::min(bitmap.height(), static_cast<int>(std::ceil(top + side)));
    if (x1 <= x0 || y1 <= y0) {
        return;
    }
    const QRect target(static_cast<int>(std::lround((x0 - left) * factor)),
                       static_cast<int>(std::lround((y0 - top) * factor)),
                       std::max(1, static_cast<int>(std::lround((x1 - x0) * factor))),
                       std::max(1, static_cast<int>(std::lround((y1 - y0) * factor))));
    PixHandle part;
    if (ImageLibrary::scaleForDisplay(bitmap, BitmapRect{x0, y0, x1 - x0, y1 - y0}, target.width(),
                                      target.height(), smooth, part) != ImageLibrary::Success) {
        return;
    }
    QPainter painter(&m_image);
    painter.drawImage(target.topLeft(), PixImageConverter::toQImage(part));
}
