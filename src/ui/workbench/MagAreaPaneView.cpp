#include "ui/workbench/MagAreaPaneView.h"

#include "image/ImageLibrary.h"
#include "image/PixHandle.h"
#include "ui/image/ImageDisplay.h"
#include "ui/image/MagnifiedView.h"
#include "ui/image/PixImageConverter.h"
#include "ui/image/PreviewPaneView.h"
#include "workbench/Ctl.h"
#include "workbench/MagAreaCommands.h"
#include "workbench/MagAreaGeometry.h"
#include "zoomwell/Zoomwell.h"
#include "zoomwell/ZoomwellInput.h"

#include <QApplication>
#include <QWidget>

#include <algorithm>
#include <cmath>

namespace {

constexpr qint16 kRightButton = 2;

// The Zoomwell control sets its own pointer after every mouse move, once its events have been
// raised: over a handle the handle's resize pointer, elsewhere its plain pointer. While the move
// pointer is wanted, the plain pointer is replaced by it as soon as the control sets it.
class MovePointerKeeper : public QObject {
public:
    MovePointerKeeper(QWidget* zoomwell, const bool& wanted)
        : QObject(zoomwell), m_zoomwell(zoomwell), m_wanted(wanted) {
        zoomwell->installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == m_zoomwell && event->type() == QEvent::CursorChange && m_wanted) {
            const Qt::CursorShape shape = m_zoomwell->cursor().shape();
            if (shape == Qt::ArrowCursor || shape == Qt::CrossCursor) {
                m_zoomwell->setCursor(Qt::SizeAllCursor);
            }
        }
        return false;
    }

private:
    QWidget* m_zoomwell;
    const bool& m_wanted;
};

} // namespace

MagAreaPaneView::MagAreaPaneView(QWidget* parent, PreviewPaneView& preview)
    : m_preview(preview), m_zoomwell(new Zoomwell(parent)) {
    m_zoomwell->setObjectName(QStringLiteral("ctl%1").arg(id(Ctl::ZoomFrame)));
    m_zoomwell->setMessageBoxesShown(false);
    m_zoomwell->raise();
    new MovePointerKeeper(m_zoomwell, m_movePointer);
    const Ctl ids[2] = {Ctl::MagView1, Ctl::MagView2};
    for (int i = 0; i < 2; ++i) {
        m_views[i] = new MagnifiedView(parent);
        m_views[i]->setObjectName(QStringLiteral("ctl%1").arg(id(ids[i])));
    }
}

Zoomwell* MagAreaPaneView::zoomwell() const {
    return m_zoomwell;
}

MagnifiedView* MagAreaPaneView::view(int index) const {
    return index == 0 || index == 1 ? m_views[index].data() : nullptr;
}

ImageDisplay* MagAreaPaneView::preview() const {
    return m_preview.display(id(Ctl::Preview));
}

QPoint MagAreaPaneView::pageOffset() const {
    return preview()->destinationRect().topLeft();
}

void MagAreaPaneView::connectTo(MagAreaCommands& commands) {
    Zoomwell* z = m_zoomwell;
    const auto at = [this](float x, float y) {
        return QPoint(static_cast<int>(x), static_cast<int>(y)) - pageOffset();
    };
    QObject::connect(z, &Zoomwell::MouseDownUserControl, z,
                     [&commands, at](qint16& button, qint16&, float& x, float& y) {
                         const QPoint p = at(x, y);
                         if (button & ZoomwellInput::LeftButton) {
                             commands.mouseDown(true, p.x(), p.y());
                         } else if (button & kRightButton) {
                             commands.mouseDown(false, p.x(), p.y());
                         }
                     });
    QObject::connect(z, &Zoomwell::MouseMoveUserControl, z,
                     [&commands, at](qint16&, float& x, float& y, qint16&) {
                         const QPoint p = at(x, y);
                         commands.mouseMove(p.x(), p.y());
                     });
    QObject::connect(z, &Zoomwell::MouseUpUserControl, z,
                     [&commands](qint16&, qint16&, float&, float&) { commands.mouseUp(); });
    QObject::connect(z, &Zoomwell::MouseDownResizer, z,
                     [&commands](float&, float&, float&, float&) { commands.resizerDown(); });
    QObject::connect(z, &Zoomwell::MouseMoveResizer, z,
                     [this, &commands](qint32& index, float& x, float& y, float& rx, float& ry) {
                         const QPoint handle =
                             QPoint(static_cast<int>(rx), static_cast<int>(ry)) - pageOffset();
                         commands.resizerMove(index, static_cast<int>(x), static_cast<int>(y),
                                              handle.x(), handle.y());
                     });
    QObject::connect(
        z, &Zoomwell::MouseUpResizer, z,
        [&commands](qint32&, float&, float&, float&, float&) { commands.resizerUp(); });
}

void MagAreaPaneView::layoutAreas(int count) {
    for (int i = 0; i < Zoomwell::MagCount; ++i) {
        m_zoomwell->ShowMagArea(i, i < count);
        m_views[i]->setVisible(i < count);
    }
}

void MagAreaPaneView::placeFrame(int index, const MagRect& frame) {
    const QPoint o = pageOffset();
    m_zoomwell->MoveArea(frame.left + o.x(), frame.top + o.y(), frame.width, frame.height, index);
    if (m_selected >= 0) {
        m_zoomwell->SetSelectMode(true, m_selected);
    }
    m_zoomwell->ResizerShow(m_handles);
}

void MagAreaPaneView::selectFrame(int index, int origin) {
    m_selected = index;
    if (index < 0) {
        return;
    }
    m_zoomwell->SetSelectMode(true, index);
    m_zoomwell->ResizerOrientation(MagArea::Free, true);
    if (origin != MagArea::Free) {
        m_zoomwell->ResizerOrientation(origin, false);
    }
    m_zoomwell->ResizerShow(m_handles);
}

void MagAreaPaneView::showHandles(bool shown) {
    m_handles = shown;
    m_zoomwell->ResizerShow(shown);
}

void MagAreaPaneView::drawOutline(const MagRect& rect) {
    preview()->showRubberRect(
        QRect(QPoint(rect.left, rect.top) + pageOffset(), QSize(rect.width, rect.height)));
}

void MagAreaPaneView::removeOutline() {
    preview()->hideRubberBand();
}

void MagAreaPaneView::setMovePointer(bool move) {
    m_movePointer = move;
    if (move) {
        m_zoomwell->setCursor(Qt::SizeAllCursor);
    } else {
        m_zoomwell->unsetCursor();
    }
}

void MagAreaPaneView::renderView(int index) {
    MagnifiedView* target = view(index);
    const ImageDisplay* page = preview();
    const ImageDisplay* highRes = m_preview.display(id(Ctl::HighResPage));
    if (target == nullptr || !page->hasBitmap()) {
        return;
    }
    const ImageDisplay* source = highRes->hasBitmap() ? highRes : page;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    qint32 left = 0, top = 0, width = 0, height = 0;
    m_zoomwell->GetFrameSize(index, left, top, width, height);
    // The frame on the page, in page pixels, then in pixels of the source.
    const QPointF from = page->viewToBitmap(QPointF(left, top));
    const QPointF to = page->viewToBitmap(QPointF(left + width, top + height));
    const double fx = static_cast<double>(source->bitmapWidth()) / page->bitmapWidth();
    const double fy = static_cast<double>(source->bitmapHeight()) / page->bitmapHeight();
    const int x0 =
        std::clamp(static_cast<int>(std::lround(from.x() * fx)), 0, source->bitmapWidth());
    const int y0 =
        std::clamp(static_cast<int>(std::lround(from.y() * fy)), 0, source->bitmapHeight());
    const int x1 = std::clamp(static_cast<int>(std::lround(to.x() * fx)), 0, source->bitmapWidth());
    const int y1 =
        std::clamp(static_cast<int>(std::lround(to.y() * fy)), 0, source->bitmapHeight());
    const QRect inside = target->contentsRect();
    const auto shown =
        MagAreaGeometry::centred({x0, y0, x1 - x0, y1 - y0}, inside.width(), inside.height());
    PixHandle part;
    const BitmapRect region{shown.part.left, shown.part.top, shown.part.width, shown.part.height};
    if (!region.isEmpty() &&
        ImageLibrary::scaleForDisplay(source->bitmap(), region, region.width, region.height,
                                      source->paintMode() == ImageDisplay::PaintMode::Smooth,
                                      part) == ImageLibrary::Success) {
        target->setPicture(PixImageConverter::toQImage(part),
                           inside.topLeft() + QPoint(shown.x, shown.y));
    } else {
        target->clearPicture();
    }
    QApplication::restoreOverrideCursor();
}

void MagAreaPaneView::clearViews() {
    for (int i = 0; i < 2; ++i) {
        m_views[i]->clearPicture();
        m_zoomwell->ShowMagArea(i, false);
    }
    m_zoomwell->ResizerShow(false);
}
