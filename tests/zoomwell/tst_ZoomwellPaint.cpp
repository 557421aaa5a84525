#include "zoomwell/Zoomwell.h"
#include "zoomwell/ZoomwellLine.h"
#include "zoomwell/ZoomwellShape.h"

#include <QLabel>
#include <QPainter>
#include <QtTest>

namespace {

// A scanned drawing stand-in: paper, border, title block, a part outline and some dimensions.
QPixmap drawing(QSize size) {
    QPixmap page(size);
    page.fill(QColor(250, 250, 244));
    QPainter painter(&page);
    painter.setPen(QPen(QColor(30, 30, 30), 2));
    painter.drawRect(QRect(QPoint(16, 16), size - QSize(33, 33)));
    const QRect title(size.width() - 236, size.height() - 96, 220, 80);
    painter.drawRect(title);
    painter.drawLine(title.left(), title.center().y(), title.right(), title.center().y());
    painter.drawText(title.adjusted(8, 4, -8, -44), Qt::AlignVCenter, "DWG No. 1234-A3");
    painter.drawText(title.adjusted(8, 44, -8, -4), Qt::AlignVCenter, "SCALE 1:2");
    painter.setPen(QPen(QColor(40, 40, 90), 3));
    painter.drawRect(90, 100, 260, 150);
    painter.drawEllipse(QPoint(220, 175), 45, 45);
    painter.drawEllipse(QPoint(430, 310), 70, 40);
    painter.setPen(QPen(QColor(90, 90, 90), 1, Qt::DashLine));
    painter.drawLine(60, 175, 380, 175);
    painter.drawLine(220, 80, 220, 270);
    painter.drawLine(90, 280, 350, 280);
    painter.drawText(200, 296, "260");
    return page;
}

} // namespace

class tst_ZoomwellPaint : public QObject {
    Q_OBJECT

private slots:
    void drawsFramesHandlesAndGridOverTheImage();
    void hiddenElementsLeaveTheImageUntouched();

private:
    struct Display {
        QLabel image;
        Zoomwell* overlay = nullptr;
        explicit Display(const QPixmap& page) {
            image.setPixmap(page);
            image.setFixedSize(page.size());
            overlay = new Zoomwell(&image);
            overlay->setGeometry(image.rect());
        }
    };
};

void tst_ZoomwellPaint::drawsFramesHandlesAndGridOverTheImage() {
    const QPixmap page = drawing(QSize(640, 480));
    const QImage paper = page.toImage();
    Display display(page);
    Zoomwell& zoomwell = *display.overlay;
    zoomwell.MoveArea(380, 250, 180, 140, 1);
    zoomwell.MoveArea(60, 80, 200, 120, 0);
    zoomwell.ResizerOrientation(4, true);
    zoomwell.ResizerOrientation(3, false);
    zoomwell.ShowGuideLine(true);
    zoomwell.Refresh();
    const QImage shot = display.image.grab().toImage().convertToFormat(QImage::Format_RGB32);
    if (const QByteArray path = qgetenv("ZOOMWELL_SCREENSHOT"); !path.isEmpty()) {
        QVERIFY(shot.save(QString::fromLocal8Bit(path), "PNG"));
    }
    const QColor frame0 = zoomwell.ShapeMag(0).borderColor();
    const QColor frame1 = zoomwell.ShapeMag(1).borderColor();
    const QColor green = zoomwell.GuideLine(0).color();
    const QColor buttonFace = zoomwell.palette().color(QPalette::Button);
    // Borders lie inside each frame's rectangle; the inside shows the drawing.
    QCOMPARE(shot.pixelColor(60, 100), frame0);
    QCOMPARE(shot.pixelColor(259, 100), frame0);
    QCOMPARE(shot.pixelColor(100, 199), frame0);
    QCOMPARE(shot.pixel(261, 100), paper.pixel(261, 100));
    QCOMPARE(shot.pixel(160, 130), paper.pixel(160, 130));
    QCOMPARE(shot.pixelColor(380, 300), frame1);
    QCOMPARE(shot.pixelColor(559, 300), frame1);
    QCOMPARE(shot.pixel(450, 300), paper.pixel(450, 300));
    // Handles surround frame 0 only: white where usable, button face where pinned, black border.
    QCOMPARE(shot.pixelColor(60, 80), QColor(Qt::white));
    QCOMPARE(shot.pixelColor(57, 77), QColor(Qt::black));
    QCOMPARE(shot.pixelColor(160, 80), QColor(Qt::white));
    QCOMPARE(shot.pixelColor(260, 200), buttonFace);
    QCOMPARE(shot.pixelColor(380, 250), frame1);
    // The guide-line grid lies over everything but the handles.
    QCOMPARE(shot.pixelColor(120, 10), green);
    QCOMPARE(shot.pixelColor(10, 360), green);
    QCOMPARE(shot.pixelColor(479, 120), green);
}

void tst_ZoomwellPaint::hiddenElementsLeaveTheImageUntouched() {
    const QPixmap page = drawing(QSize(400, 300));
    Display display(page);
    Zoomwell& zoomwell = *display.overlay;
    zoomwell.MoveArea(20, 30, 100, 80, 0);
    zoomwell.ShowGuideLine(true);
    zoomwell.DrawSkewLine(10, 390, 20, 40, true);
    zoomwell.DrawSkewLine(0, 0, 0, 0, false);
    zoomwell.ShowGuideLine(false);
    zoomwell.ShowMagArea(0, false);
    zoomwell.ResizerShow(false);
    const QImage shot = display.image.grab().toImage().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(shot, page.toImage().convertToFormat(QImage::Format_RGB32));
}

QTEST_MAIN(tst_ZoomwellPaint)
#include "tst_ZoomwellPaint.moc"
