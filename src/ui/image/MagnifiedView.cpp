#include "ui/image/MagnifiedView.h"

#include <QPainter>

MagnifiedView::MagnifiedView(QWidget* parent) : QFrame(parent) {
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Base);
}

void MagnifiedView::setPicture(const QImage& picture, const QPoint& at) {
    m_picture = picture;
    m_at = at;
    update();
}

void MagnifiedView::clearPicture() {
    m_picture = QImage();
    update();
}

void MagnifiedView::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    if (m_picture.isNull()) {
        return;
    }
    QPainter painter(this);
    painter.setClipRect(contentsRect());
    painter.drawImage(m_at, m_picture);
}
