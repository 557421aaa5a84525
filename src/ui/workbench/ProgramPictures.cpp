#include "ui/workbench/ProgramPictures.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

namespace {

// A sheet of paper with a folded corner and a name tag: a scanned drawing being named.
QPixmap sheet(int size, const QColor& paper, const QColor& ink) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal s = size;
    QPainterPath page;
    page.moveTo(0.18 * s, 0.06 * s);
    page.lineTo(0.62 * s, 0.06 * s);
    page.lineTo(0.82 * s, 0.26 * s);
    page.lineTo(0.82 * s, 0.94 * s);
    page.lineTo(0.18 * s, 0.94 * s);
    page.closeSubpath();
    p.setPen(QPen(ink, std::max(1.0, s / 32)));
    p.setBrush(paper);
    p.drawPath(page);
    p.drawPolyline(QPolygonF{{0.62 * s, 0.06 * s}, {0.62 * s, 0.26 * s}, {0.82 * s, 0.26 * s}});
    for (int i = 0; i < 3; ++i) {
        const qreal y = (0.42 + 0.12 * i) * s;
        p.drawLine(QPointF(0.28 * s, y), QPointF(0.72 * s, y));
    }
    p.setBrush(QColor(0x2a, 0x6f, 0xb0));
    p.setPen(Qt::NoPen);
    p.drawRoundedRect(QRectF(0.36 * s, 0.74 * s, 0.56 * s, 0.16 * s), s / 24, s / 24);
    return pixmap;
}

} // namespace

QIcon ProgramPictures::programIcon() {
    QIcon icon;
    for (int size : {16, 32, 48}) {
        icon.addPixmap(sheet(size, Qt::white, QColor(0x33, 0x33, 0x33)));
    }
    return icon;
}

QPixmap ProgramPictures::previewPicture() {
    return sheet(96, QColor(0xf4, 0xf6, 0xf8), QColor(0x55, 0x60, 0x6c));
}

QIcon ProgramPictures::pageButtonIcon(int which) {
    constexpr int size = 16;
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x30, 0x30, 0x30));
    const bool backward = which < 2;
    const bool toEnd = which == 0 || which == 3;
    // A triangle pointing the way, with a bar at the end for first and last.
    const qreal tip = backward ? 4 : 12;
    const qreal base = backward ? 11 : 5;
    p.drawPolygon(QPolygonF{{tip, 8}, {base, 3}, {base, 13}});
    if (toEnd) {
        p.drawRect(QRectF(backward ? 2 : 12, 3, 2, 10));
    }
    return QIcon(pixmap);
}

QPixmap ProgramPictures::headerMark(bool fileName, int sortKey) {
    constexpr int height = 14;
    const int width = (fileName ? 10 : 0) + (sortKey > 0 ? 16 : 0);
    QPixmap pixmap(std::max(width, 1), height);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    qreal x = 0;
    if (fileName) {
        p.setBrush(QColor(0x2a, 0x6f, 0xb0));
        p.drawRoundedRect(QRectF(1, 2, 8, 10), 2, 2);
        p.setBrush(Qt::white);
        p.drawRect(QRectF(3, 5, 4, 1.5));
        p.drawRect(QRectF(3, 8, 4, 1.5));
        x = 10;
    }
    if (sortKey > 0) {
        p.setBrush(QColor(0x30, 0x30, 0x30));
        p.drawPolygon(QPolygonF{{x + 4, 3}, {x + 8, 11}, {x, 11}});
        QFont font = p.font();
        font.setPixelSize(10);
        font.setBold(true);
        p.setFont(font);
        p.setPen(QColor(0x30, 0x30, 0x30));
        p.drawText(QRectF(x + 8, 0, 8, height), Qt::AlignCenter, QString::number(sortKey));
    }
    return pixmap;
}

QPixmap ProgramPictures::assignMark(bool multiPage) {
    constexpr int size = 16;
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0x1f, 0x5a, 0x96), 1));
    // A sheet with a folded corner; the multi-page mark stacks two more sheets behind it, each
    // offset up and to the right.
    const int sheets = multiPage ? 3 : 1;
    const qreal w = multiPage ? 8.5 : 10.5;
    const qreal h = multiPage ? 10 : 13.5;
    QPointF front;
    for (int i = sheets - 1; i >= 0; --i) {
        const qreal x = 2.5 + 2 * i;
        const qreal y = (multiPage ? 5.5 : 1.5) - 2 * i;
        p.setBrush(i == 0 ? QColor(0xd8, 0xe8, 0xf8) : QColor(Qt::white));
        p.drawPolygon(
            QPolygonF{{x, y}, {x + w - 3, y}, {x + w, y + 3}, {x + w, y + h}, {x, y + h}});
        front = QPointF(x, y);
    }
    // A tick on the front sheet: the image is taken.
    p.setPen(QPen(QColor(0x1b, 0x8a, 0x3a), 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    const qreal fx = front.x() + w / 2;
    const qreal fy = front.y() + h / 2;
    p.drawPolyline(QPolygonF{{fx - 3, fy}, {fx - 1, fy + 2.5}, {fx + 3, fy - 2.5}});
    return pixmap;
}
