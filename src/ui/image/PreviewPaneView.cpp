#include "ui/image/PreviewPaneView.h"

#include "image/ImageLibrary.h"
#include "ui/image/ImageDisplay.h"
#include "workbench/Ctl.h"

#include <QWidget>

PreviewPaneView::PreviewPaneView(QWidget* parent)
    : m_preview(new ImageDisplay(parent)), m_highRes(new ImageDisplay(parent)) {
    m_preview->setObjectName(QStringLiteral("ctl%1").arg(id(Ctl::Preview)));
    m_highRes->setObjectName(QStringLiteral("ctl%1").arg(id(Ctl::HighResPage)));
    // The high-resolution page only feeds the magnified views; it is never on screen.
    m_highRes->hide();
    m_preview->hide();
    m_highRes->setZoom(100);
}

ImageDisplay* PreviewPaneView::display(int displayId) const {
    if (displayId == id(Ctl::Preview)) {
        return m_preview;
    }
    if (displayId == id(Ctl::HighResPage)) {
        return m_highRes;
    }
    return nullptr;
}

int PreviewPaneView::load(int displayId, const std::string& path, int page) {
    ImageDisplay* d = display(displayId);
    if (d == nullptr) {
        return ImageLibrary::ErrInvalidParameter;
    }
    const int result = d->load(path, page);
    if (result == ImageLibrary::Success && d == m_preview) {
        d->show();
    }
    return result;
}

void PreviewPaneView::clear(int displayId) {
    if (ImageDisplay* d = display(displayId)) {
        d->clear();
        if (d == m_preview) {
            d->hide();
        }
    }
}

bool PreviewPaneView::hasPage(int displayId) const {
    const ImageDisplay* d = display(displayId);
    return d != nullptr && d->hasBitmap();
}

void PreviewPaneView::setAutoRepaint(int displayId, bool on) {
    if (ImageDisplay* d = display(displayId)) {
        d->setAutoRepaint(on);
    }
}

void PreviewPaneView::setZoom(int displayId, int percent) {
    if (ImageDisplay* d = display(displayId)) {
        d->setZoom(percent);
    }
}

PreviewMetrics PreviewPaneView::metrics(int displayId) const {
    const ImageDisplay* d = display(displayId);
    if (d == nullptr || !d->hasBitmap()) {
        return {};
    }
    return {d->displayedWidth(), d->displayedHeight(), d->scaleX(), d->scaleY()};
}
