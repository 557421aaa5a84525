#pragma once

#include "image/BitmapRegion.h"
#include "image/PixHandle.h"
#include "ui/image/DisplayGeometry.h"
#include "ui/image/MagnifierGlass.h"
#include "ui/image/RegionTool.h"

#include <QColor>
#include <QImage>
#include <QLine>
#include <QWidget>
#include <functional>
#include <string>

// Shows one bitmap of the image library scaled into the widget (or at a fixed zoom), reports
// where it lands, and offers the region tool, a rubber band, a marked line and a magnifying glass.
// Coordinates of the signals and of the rubber band are widget pixels; region bounds are bitmap
// pixels.
class ImageDisplay : public QWidget {
    Q_OBJECT
public:
    enum class Pointer { Normal = 0, Cross = 2, Move = 5 };
    // Smooth shows 1-bit pages antialiased in grey; Fast samples pixels (for very large pages).
    enum class PaintMode { Fast = 0, Smooth = 1 };

    explicit ImageDisplay(QWidget* parent = nullptr);
    ~ImageDisplay() override;

    // Loads page (1-based) of an image file; returns the image library's result code. On failure
    // the display keeps what it showed.
    int load(const std::string& path, int page = 1);
    void setBitmap(PixHandle bitmap);
    const PixHandle& bitmap() const { return m_bitmap; }
    PixHandle takeBitmap();
    // Runs an image library operation on the bitmap and shows the result when it succeeded.
    int apply(const std::function<int(PixHandle&)>& operation);
    void clear();
    bool hasBitmap() const { return static_cast<bool>(m_bitmap); }

    int bitmapWidth() const { return m_bitmap.width(); }
    int bitmapHeight() const { return m_bitmap.height(); }
    int bitmapBits() const { return m_bitmap.bitsPerPixel(); }

    // Where the shown part of the bitmap lands (destination) and which part it is (source).
    int displayedWidth() const { return geometry().destination().width(); }
    int displayedHeight() const { return geometry().destination().height(); }
    QRect destinationRect() const { return geometry().destination(); }
    QRect sourceRect() const { return geometry().source(); }
    double scaleX() const { return geometry().scaleX(); }
    double scaleY() const { return geometry().scaleY(); }
    QPointF viewToBitmap(const QPointF& view) const { return geometry().viewToBitmap(view); }
    QPointF bitmapToView(const QPointF& bitmap) const { return geometry().bitmapToView(bitmap); }

    // An empty rectangle shows the whole bitmap.
    void setSourceRect(const QRect& source);
    // 0 fits the source into the widget; otherwise a fixed zoom in percent.
    void setZoom(int percent);
    int zoomPercent() const { return geometry().zoomPercent(); }
    void setCentred(bool centred);

    void setPaintMode(PaintMode mode);
    PaintMode paintMode() const { return m_paintMode; }
    // While off, changes are not painted; the widget keeps showing the last painted picture.
    void setAutoRepaint(bool on);
    bool autoRepaint() const { return m_autoRepaint; }
    void setPointer(Pointer pointer);
    Pointer pointer() const { return m_pointer; }

    void startRegionTool(BitmapRegion::Shape shape);
    void stopRegionTool();
    bool isRegionToolActive() const { return m_regionTool.isActive(); }
    bool hasRegion() const { return !m_region.isEmpty(); }
    const BitmapRegion& region() const { return m_region; }
    BitmapRect regionBounds() const { return m_region.bounds(); }
    void setRegion(const BitmapRegion& region);
    void deleteRegion();
    void setRegionOutlineVisible(bool visible);
    bool regionOutlineVisible() const { return m_regionOutline; }

    // An inverted outline drawn over the page (a line or a rectangle), replacing the previous one.
    void showRubberLine(const QPoint& from, const QPoint& to);
    void showRubberRect(const QRect& rect);
    void hideRubberBand();
    bool hasRubberBand() const { return m_rubberKind != RubberKind::None; }
    // A solid line drawn over the page.
    void showMarkedLine(const QPoint& from, const QPoint& to, const QColor& colour = Qt::red);
    void hideMarkedLine();

    void startMagnifier();
    void stopMagnifier();
    bool isMagnifierActive() const { return m_magnifier.isActive(); }
    QRect magnifierRect() const { return m_magnifier.viewRect(); }

signals:
    void mousePressed(const QPoint& at, Qt::MouseButton button);
    void mouseMoved(const QPoint& at, Qt::MouseButtons buttons);
    void mouseReleased(const QPoint& at, Qt::MouseButton button);
    void regionChanged();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    enum class RubberKind { None, Line, Rect };

    const DisplayGeometry& geometry() const;
    void bitmapChanged();
    void geometryChanged();
    void repaintIfAllowed();
    void renderPage();
    QRect viewRectOf(const BitmapRect& rect) const;
    BitmapRect bitmapRectOf(const QRect& view) const;
    void drawShape(QPainter& painter, BitmapRegion::Shape shape, const QRect& rect) const;

    PixHandle m_bitmap;
    // The view size follows the widget's size even while hidden (no resize events then).
    mutable DisplayGeometry m_geometry;
    PaintMode m_paintMode = PaintMode::Smooth;
    Pointer m_pointer = Pointer::Normal;
    bool m_autoRepaint = true;

    // The page as last rendered for the screen, and where it goes.
    QImage m_page;
    QPoint m_pageAt;
    bool m_pageStale = true;

    RegionTool m_regionTool;
    BitmapRegion m_region;
    bool m_regionOutline = true;

    RubberKind m_rubberKind = RubberKind::None;
    QLine m_rubberLine;
    QRect m_rubberRect;
    bool m_marked = false;
    QLine m_markedLine;
    QColor m_markedColour = Qt::red;

    MagnifierGlass m_magnifier;
};
