#include "ui/image/ImageDisplay.h"

#include "image/ImageLibrary.h"
#include "ui/image/PixImageConverter.h"

#include <QCursor>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>

ImageDisplay::ImageDisplay(QWidget* parent) : QWidget(parent) {
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

ImageDisplay::~ImageDisplay() = default;

int ImageDisplay::load(const std::string& path, int page) {
    PixHandle loaded;
    const int result = ImageLibrary::loadPage(path, page, loaded);
    if (result == ImageLibrary::Success) {
        setBitmap(std::move(loaded));
    }
    return result;
}

void ImageDisplay::setBitmap(PixHandle bitmap) {
    m_bitmap = std::move(bitmap);
    bitmapChanged();
}

PixHandle ImageDisplay::takeBitmap() {
    PixHandle taken = std::move(m_bitmap);
    bitmapChanged();
    return taken;
}

int ImageDisplay::apply(const std::function<int(PixHandle&)>& operation) {
    const int result = operation(m_bitmap);
    if (result == ImageLibrary::Success) {
        bitmapChanged();
    }
    return result;
}

void ImageDisplay::clear() {
    setBitmap(PixHandle());
}

const DisplayGeometry& ImageDisplay::geometry() const {
    m_geometry.setViewSize(size());
    return m_geometry;
}

void ImageDisplay::bitmapChanged() {
    m_geometry.setBitmapSize(QSize(m_bitmap.width(), m_bitmap.height()));
    if (!m_bitmap) {
        m_region = BitmapRegion();
    }
    geometryChanged();
}

void ImageDisplay::geometryChanged() {
    m_pageStale = true;
    repaintIfAllowed();
}

void ImageDisplay::repaintIfAllowed() {
    if (m_autoRepaint) {
        update();
    }
}

void ImageDisplay::setSourceRect(const QRect& source) {
    m_geometry.setSourceRect(source);
    geometryChanged();
}

void ImageDisplay::setZoom(int percent) {
    m_geometry.setFixedZoom(percent);
    geometryChanged();
}

void ImageDisplay::setCentred(bool centred) {
    m_geometry.setCentred(centred);
    geometryChanged();
}

void ImageDisplay::setPaintMode(PaintMode mode) {
    if (mode != m_paintMode) {
        m_paintMode = mode;
        geometryChanged();
    }
}

void ImageDisplay::setAutoRepaint(bool on) {
    m_autoRepaint = on;
    repaintIfAllowed();
}

void ImageDisplay::setPointer(Pointer pointer) {
    m_pointer = pointer;
    switch (pointer) {
    case Pointer::Normal:
        setCursor(Qt::ArrowCursor);
        break;
    case Pointer::Cross:
        setCursor(Qt::CrossCursor);
        break;
    case Pointer::Move:
        setCursor(Qt::SizeAllCursor);
        break;
    }
}

void ImageDisplay::startRegionTool(BitmapRegion::Shape shape) {
    m_regionTool.start(shape);
    repaintIfAllowed();
}

void ImageDisplay::stopRegionTool() {
    m_regionTool.stop();
    repaintIfAllowed();
}

void ImageDisplay::setRegion(const BitmapRegion& region) {
    m_region = region;
    emit regionChanged();
    repaintIfAllowed();
}

void ImageDisplay::deleteRegion() {
    setRegion(BitmapRegion());
}

void ImageDisplay::setRegionOutlineVisible(bool visible) {
    m_regionOutline = visible;
    repaintIfAllowed();
}

void ImageDisplay::showRubberLine(const QPoint& from, const QPoint& to) {
    m_rubberKind = RubberKind::Line;
    m_rubberLine = QLine(from, to);
    repaintIfAllowed();
}

void ImageDisplay::showRubberRect(const QRect& rect) {
    m_rubberKind = RubberKind::Rect;
    m_rubberRect = rect.normalized();
    repaintIfAllowed();
}

void ImageDisplay::hideRubberBand() {
    m_rubberKind = RubberKind::None;
    repaintIfAllowed();
}

void ImageDisplay::showMarkedLine(const QPoint& from, const QPoint& to, const QColor& colour) {
    m_marked = true;
    m_markedLine = QLine(from, to);
    m_markedColour = colour;
    repaintIfAllowed();
}

void ImageDisplay::hideMarkedLine() {
    m_marked = false;
    repaintIfAllowed();
}

void ImageDisplay::startMagnifier() {
    m_magnifier.start();
    const QPoint at = mapFromGlobal(QCursor::pos());
    if (rect().contains(at)) {
        m_magnifier.moveTo(at, m_bitmap, geometry(), m_paintMode == PaintMode::Smooth);
    }
    repaintIfAllowed();
}

void ImageDisplay::stopMagnifier() {
    m_magnifier.stop();
    repaintIfAllowed();
}

QRect ImageDisplay::viewRectOf(const BitmapRect& rect) const {
    const QPointF topLeft = geometry().bitmapToView(QPointF(rect.left, rect.top));
    const QPointF bottomRight = geometry().bitmapToView(QPointF(rect.right(), rect.bottom()));
    return QRect(QPoint(static_cast<int>(std::floor(topLeft.x())),
                        static_cast<int>(std::floor(topLeft.y()))),
                 QPoint(static_cast<int>(std::ceil(bottomRight.x())) - 1,
                        static_cast<int>(std::ceil(bottomRight.y())) - 1));
}

BitmapRect ImageDisplay::bitmapRectOf(const QRect& view) const {
    const QPointF topLeft = geometry().viewToBitmap(QPointF(view.topLeft()));
    const QPointF bottomRight =
        geometry().viewToBitmap(QPointF(view.bottomRight()) + QPointF(1, 1));
    const int left = std::max(0, static_cast<int>(std::floor(topLeft.x())));
    const int top = std::max(0, static_cast<int>(std::floor(topLeft.y())));
    const int right = std::min(m_bitmap.width(), static_cast<int>(std::ceil(bottomRight.x())));
    const int bottom = std::min(m_bitmap.height(), static_cast<int>(std::ceil(bottomRight.y())));
    if (right <= left || bottom <= top) {
        return {};
    }
    return {left, top, right - left, bottom - top};
}

void ImageDisplay::renderPage() {
    m_page = QImage();
    m_pageStale = false;
    const QRect dst = geometry().destination();
    const QRect visible = dst.intersected(rect());
    if (!m_bitmap || visible.isEmpty()) {
        return;
    }
    // Only the part of the page inside the widget is scaled, so a large zoom stays cheap.
    const BitmapRect part = bitmapRectOf(visible);
    if (part.isEmpty()) {
        return;
    }
    const QRect target = viewRectOf(part);
    PixHandle scaled;
    if (ImageLibrary::scaleForDisplay(
            m_bitmap, part, std::max(1, target.width()), std::max(1, target.height()),
            m_paintMode == PaintMode::Smooth, scaled) == ImageLibrary::Success) {
        m_page = PixImageConverter::toQImage(scaled);
        m_pageAt = target.topLeft();
    }
}

void ImageDisplay::drawShape(QPainter& painter, BitmapRegion::Shape shape, const QRect& r) const {
    if (shape == BitmapRegion::Ellipse) {
        painter.drawEllipse(r);
    } else {
        painter.drawRect(r);
    }
}

void ImageDisplay::paintEvent(QPaintEvent*) {
    if (m_pageStale && m_autoRepaint) {
        renderPage();
    }
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Window));
    if (!m_page.isNull()) {
        painter.drawImage(m_pageAt, m_page);
    }
    // Outlines are inverted so that they show on black and on white alike.
    painter.setCompositionMode(QPainter::CompositionMode_Difference);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(Qt::white, 1, Qt::DashLine));
    if (!m_region.isEmpty() && m_regionOutline) {
        drawShape(painter, m_region.shape(), viewRectOf(m_region.bounds()));
    }
    if (m_regionTool.isDragging()) {
        drawShape(painter, m_regionTool.shape(), m_regionTool.dragRect());
    }
    painter.setPen(QPen(Qt::white, 1, Qt::SolidLine));
    if (m_rubberKind == RubberKind::Line) {
        painter.drawLine(m_rubberLine);
    } else if (m_rubberKind == RubberKind::Rect) {
        painter.drawRect(m_rubberRect);
    }
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    if (m_marked) {
        painter.setPen(QPen(m_markedColour, 1, Qt::SolidLine));
        painter.drawLine(m_markedLine);
    }
    if (m_magnifier.isActive() && !m_magnifier.viewRect().isEmpty()) {
        const QRect glass = m_magnifier.viewRect();
        painter.drawImage(glass.topLeft(), m_magnifier.image());
        painter.setPen(QPen(Qt::black, 1));
        painter.drawRect(glass.adjusted(0, 0, -1, -1));
    }
}

void ImageDisplay::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    geometryChanged();
}

void ImageDisplay::mousePressEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    if (event->button() == Qt::LeftButton && m_regionTool.isActive() && m_bitmap) {
        m_regionTool.press(at);
        repaintIfAllowed();
    }
    emit mousePressed(at, event->button());
}

void ImageDisplay::mouseMoveEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    if (m_regionTool.isDragging()) {
        m_regionTool.move(at);
        repaintIfAllowed();
    }
    if (m_magnifier.isActive()) {
        m_magnifier.moveTo(at, m_bitmap, geometry(), m_paintMode == PaintMode::Smooth);
        repaintIfAllowed();
    }
    emit mouseMoved(at, event->buttons());
}

void ImageDisplay::mouseReleaseEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    if (event->button() == Qt::LeftButton && m_regionTool.isDragging()) {
        if (m_regionTool.release(at)) {
            const BitmapRect bounds = bitmapRectOf(m_regionTool.dragRect());
            if (!bounds.isEmpty()) {
                setRegion(BitmapRegion(m_regionTool.shape(), bounds));
            }
        }
        repaintIfAllowed();
    }
    emit mouseReleased(at, event->button());
}
