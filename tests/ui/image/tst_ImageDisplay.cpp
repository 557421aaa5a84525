#include "image/ImageLibrary.h"
#include "support/ImageFixtures.h"
#include "support/TempDir.h"
#include "ui/image/ImageDisplay.h"

#include <QMouseEvent>
#include <QSignalSpy>
#include <QtTest>
#include <leptonica/allheaders.h>

namespace {

// A 1-bit page whose left half is black and right half white.
PixHandle halfBlackPage(int width, int height) {
    PixHandle pix;
    ImageLibrary::create(pix, width, height, 1);
    pixRasterop(pix.get(), 0, 0, width / 2, height, PIX_SET, nullptr, 0, 0);
    return pix;
}

void send(QWidget* widget, QEvent::Type type, QPoint at, Qt::MouseButton button,
          Qt::MouseButtons buttons) {
    QMouseEvent event(type, QPointF(at), widget->mapToGlobal(QPointF(at)), button, buttons,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &event);
}

void drag(QWidget* widget, QPoint from, QPoint to) {
    send(widget, QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
    send(widget, QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton);
    send(widget, QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton);
}

bool isBlack(const QImage& image, int x, int y) {
    return qGray(image.pixel(x, y)) < 64;
}

} // namespace

class tst_ImageDisplay : public QObject {
    Q_OBJECT

private slots:
    void reportsTheBitmapOfALoadedFile();
    void scalingReports_data();
    void scalingReports();
    void regionToolSpansBitmapPixels_data();
    void regionToolSpansBitmapPixels();
    void deletingTheRegion();
    void paintsThePageAndHoldsPaintingWhileAutoRepaintIsOff();
    void magnifierFollowsThePointerAtThreeTimesTheScale();
    void pointerKinds();
};

void tst_ImageDisplay::reportsTheBitmapOfALoadedFile() {
    TempDir dir;
    ImageFixtures::TiffLayout layout;
    layout.width = 640;
    layout.height = 480;
    const std::string path = dir.file("scan.png"); // TIFF data under another name
    QVERIFY(ImageFixtures::writeTiff(path, layout));
    ImageDisplay display;
    display.resize(320, 320);
    QCOMPARE(display.load(path), int(ImageLibrary::Success));
    QCOMPARE(display.bitmapWidth(), 640);
    QCOMPARE(display.bitmapHeight(), 480);
    QCOMPARE(display.bitmapBits(), 1);
    QCOMPARE(display.displayedWidth(), 320);
    QCOMPARE(display.displayedHeight(), 240);

    const std::string broken = dir.file("broken.tif");
    ImageFixtures::writeBytes(broken, std::string("II*\0junk", 8));
    QCOMPARE(display.load(broken), int(ImageLibrary::ErrFileRead));
    QCOMPARE(display.bitmapWidth(), 640); // the page shown stays
    display.clear();
    QVERIFY(!display.hasBitmap());
    QCOMPARE(display.displayedWidth(), 0);
}

void tst_ImageDisplay::scalingReports_data() {
    QTest::addColumn<int>("zoom");
    QTest::addColumn<bool>("centred");
    QTest::addColumn<QRect>("source");
    QTest::addColumn<QRect>("destination");
    QTest::addColumn<QRect>("reportedSource");
    QTest::addColumn<int>("percent");
    // A 2000 x 1000 page in a 400 x 400 display.
    QTest::newRow("fitted") << 0 << false << QRect() << QRect(0, 0, 400, 200)
                            << QRect(0, 0, 2000, 1000) << 20;
    QTest::newRow("fitted, centred")
        << 0 << true << QRect() << QRect(0, 100, 400, 200) << QRect(0, 0, 2000, 1000) << 20;
    QTest::newRow("at 100 %") << 100 << false << QRect() << QRect(0, 0, 2000, 1000)
                              << QRect(0, 0, 2000, 1000) << 100;
    QTest::newRow("at 50 %, centred")
        << 50 << true << QRect() << QRect(0, 0, 1000, 500) << QRect(0, 0, 2000, 1000) << 50;
    QTest::newRow("part of the page")
        << 0 << true << QRect(500, 250, 100, 200) << QRect(100, 0, 200, 400)
        << QRect(500, 250, 100, 200) << 200;
    QTest::newRow("part cut to the page")
        << 0 << false << QRect(1800, 900, 400, 400) << QRect(0, 0, 400, 200)
        << QRect(1800, 900, 200, 100) << 200;
}

void tst_ImageDisplay::scalingReports() {
    QFETCH(int, zoom);
    QFETCH(bool, centred);
    QFETCH(QRect, source);
    QFETCH(QRect, destination);
    QFETCH(QRect, reportedSource);
    QFETCH(int, percent);
    ImageDisplay display;
    display.resize(400, 400);
    display.setBitmap(halfBlackPage(2000, 1000));
    display.setZoom(zoom);
    display.setCentred(centred);
    display.setSourceRect(source);
    QCOMPARE(display.destinationRect(), destination);
    QCOMPARE(display.displayedWidth(), destination.width());
    QCOMPARE(display.sourceRect(), reportedSource);
    QCOMPARE(display.zoomPercent(), percent);
    QCOMPARE(display.scaleX(), double(destination.width()) / reportedSource.width());
    // A view point maps to the bitmap and back.
    const QPointF view(destination.left() + 10, destination.top() + 20);
    QCOMPARE(display.bitmapToView(display.viewToBitmap(view)), view);
}

void tst_ImageDisplay::regionToolSpansBitmapPixels_data() {
    QTest::addColumn<int>("shape");
    QTest::addColumn<bool>("toolOn");
    QTest::addColumn<QPoint>("from");
    QTest::addColumn<QPoint>("to");
    QTest::addColumn<bool>("made");
    QTest::addColumn<QRect>("bounds");
    // The page shows at 20 %: one display pixel covers five bitmap pixels.
    QTest::newRow("rectangle") << int(BitmapRegion::Rectangle) << true << QPoint(20, 40)
                               << QPoint(60, 80) << true << QRect(100, 200, 205, 205);
    QTest::newRow("ellipse, dragged up-left")
        << int(BitmapRegion::Ellipse) << true << QPoint(60, 80) << QPoint(20, 40) << true
        << QRect(100, 200, 205, 205);
    QTest::newRow("beyond the page") << int(BitmapRegion::Rectangle) << true << QPoint(380, 150)
                                     << QPoint(500, 300) << true << QRect(1900, 750, 100, 250);
    QTest::newRow("a click") << int(BitmapRegion::Rectangle) << true << QPoint(20, 40)
                             << QPoint(20, 40) << false << QRect();
    QTest::newRow("tool off") << int(BitmapRegion::Rectangle) << false << QPoint(20, 40)
                              << QPoint(60, 80) << false << QRect();
}

void tst_ImageDisplay::regionToolSpansBitmapPixels() {
    QFETCH(int, shape);
    QFETCH(bool, toolOn);
    QFETCH(QPoint, from);
    QFETCH(QPoint, to);
    QFETCH(bool, made);
    QFETCH(QRect, bounds);
    ImageDisplay display;
    display.resize(400, 400);
    display.setBitmap(halfBlackPage(2000, 1000));
    if (toolOn) {
        display.startRegionTool(BitmapRegion::Shape(shape));
    }
    QSignalSpy changed(&display, &ImageDisplay::regionChanged);
    QSignalSpy pressed(&display, &ImageDisplay::mousePressed);
    drag(&display, from, to);
    QCOMPARE(pressed.count(), 1);
    QCOMPARE(display.hasRegion(), made);
    QCOMPARE(changed.count(), made ? 1 : 0);
    if (made) {
        const BitmapRect r = display.regionBounds();
        QCOMPARE(QRect(r.left, r.top, r.width, r.height), bounds);
        QCOMPARE(int(display.region().shape()), shape);
    }
}

void tst_ImageDisplay::deletingTheRegion() {
    ImageDisplay display;
    display.resize(400, 400);
    display.setBitmap(halfBlackPage(2000, 1000));
    display.startRegionTool(BitmapRegion::Ellipse);
    drag(&display, QPoint(10, 10), QPoint(50, 50));
    QVERIFY(display.hasRegion());
    QSignalSpy changed(&display, &ImageDisplay::regionChanged);
    display.deleteRegion();
    QVERIFY(!display.hasRegion());
    QCOMPARE(changed.count(), 1);
    drag(&display, QPoint(10, 10), QPoint(50, 50));
    QVERIFY(display.hasRegion());
    display.clear(); // a region never outlives its page
    QVERIFY(!display.hasRegion());
}

void tst_ImageDisplay::paintsThePageAndHoldsPaintingWhileAutoRepaintIsOff() {
    ImageDisplay display;
    display.resize(400, 400);
    display.setBitmap(halfBlackPage(2000, 1000));
    QImage shot = display.grab().toImage();
    QVERIFY(isBlack(shot, 100, 100));
    QVERIFY(!isBlack(shot, 300, 100));

    display.setAutoRepaint(false);
    PixHandle white;
    ImageLibrary::create(white, 2000, 1000, 1);
    display.setBitmap(std::move(white));
    QCOMPARE(display.bitmapWidth(), 2000); // reports at once
    shot = display.grab().toImage();
    QVERIFY(isBlack(shot, 100, 100)); // still the old picture

    display.setAutoRepaint(true);
    shot = display.grab().toImage();
    QVERIFY(!isBlack(shot, 100, 100));
}

void tst_ImageDisplay::magnifierFollowsThePointerAtThreeTimesTheScale() {
    ImageDisplay display;
    display.resize(400, 400);
    display.setBitmap(halfBlackPage(2000, 1000));
    display.startMagnifier();
    QVERIFY(display.isMagnifierActive());
    // The page shows at 20 %, so the glass covers 200 / (0.2 x 3) = 333 bitmap pixels. Centred
    // at view x 210 (bitmap x 1052.5) its edge between black and white lies at view x 178,
    // while the page beneath it turns white only at view x 200.
    send(&display, QEvent::MouseMove, QPoint(210, 100), Qt::NoButton, Qt::NoButton);
    QCOMPARE(display.magnifierRect(), QRect(110, 0, 200, 200));
    QImage shot = display.grab().toImage();
    QVERIFY(isBlack(shot, 170, 100));
    QVERIFY(!isBlack(shot, 190, 100));
    QVERIFY(!isBlack(shot, 250, 100));

    send(&display, QEvent::MouseMove, QPoint(50, 50), Qt::NoButton, Qt::NoButton);
    QCOMPARE(display.magnifierRect(), QRect(-50, -50, 200, 200));
    display.stopMagnifier();
    QVERIFY(display.magnifierRect().isEmpty());
    shot = display.grab().toImage();
    QVERIFY(isBlack(shot, 190, 100));
    QVERIFY(!isBlack(shot, 250, 100));
}

void tst_ImageDisplay::pointerKinds() {
    ImageDisplay display;
    const std::vector<std::pair<ImageDisplay::Pointer, Qt::CursorShape>> kinds = {
        {ImageDisplay::Pointer::Cross, Qt::CrossCursor},
        {ImageDisplay::Pointer::Move, Qt::SizeAllCursor},
        {ImageDisplay::Pointer::Normal, Qt::ArrowCursor},
    };
    for (const auto& [pointer, shape] : kinds) {
        display.setPointer(pointer);
        QCOMPARE(display.pointer(), pointer);
        QCOMPARE(display.cursor().shape(), shape);
    }
}

QTEST_MAIN(tst_ImageDisplay)
#include "tst_ImageDisplay.moc"
