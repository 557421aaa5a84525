#include "zoomwell/Zoomwell.h"
#include "zoomwell/ZoomwellLine.h"
#include "zoomwell/ZoomwellResizer.h"
#include "zoomwell/ZoomwellShape.h"

#include <QApplication>
#include <QMessageBox>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>

#include <functional>

using Call = std::function<qint32(Zoomwell&)>;
using Points = QList<QPoint>;
Q_DECLARE_METATYPE(Call)

class tst_ZoomwellMethods : public QObject {
    Q_OBJECT

private slots:
    void placesHandlesAroundFrame_data();
    void placesHandlesAroundFrame();
    void hiddenElementsReportZeros();
    void selectModeMovesHandlesBetweenFrames();
    void resizerSizeResizesAndRecentresHandles();
    void orientationLeavesHandlesAwayFromCorner_data();
    void orientationLeavesHandlesAwayFromCorner();
    void guideLineGridAndPointer();
    void skewLineKeepsEndPointsWhileHidden();
    void failureIsReportedOnce_data();
    void failureIsReportedOnce();
    void controlShowsOneBoxPerFailure();
    void methodsAndPropertyAnswerByName();
};

void tst_ZoomwellMethods::placesHandlesAroundFrame_data() {
    QTest::addColumn<QRect>("frame");
    QTest::addColumn<int>("size");
    QTest::addColumn<Points>("corners");
    QTest::addColumn<int>("mag");
    QTest::newRow("100x50 at 10,20")
        << QRect(10, 20, 100, 50) << 6
        << Points{{7, 17}, {7, 42}, {7, 67}, {57, 17}, {57, 67}, {107, 17}, {107, 42}, {107, 67}}
        << 0;
    QTest::newRow("odd sizes halve downwards")
        << QRect(0, 0, 5, 3) << 6
        << Points{{-3, -3}, {-3, -2}, {-3, 0}, {-1, -3}, {-1, 0}, {2, -3}, {2, -2}, {2, 0}} << 1;
    QTest::newRow("handle size 10")
        << QRect(10, 20, 100, 50) << 10
        << Points{{5, 15}, {5, 40}, {5, 65}, {55, 15}, {55, 65}, {105, 15}, {105, 40}, {105, 65}}
        << 0;
    QTest::newRow("empty frame") << QRect(30, 40, 0, 0) << 6 << Points(8, QPoint(27, 37)) << 1;
}

void tst_ZoomwellMethods::placesHandlesAroundFrame() {
    QFETCH(QRect, frame);
    QFETCH(int, size);
    QFETCH(Points, corners);
    QFETCH(int, mag);
    Zoomwell zoomwell;
    zoomwell.setResizerSize(qint16(size));
    QCOMPARE(zoomwell.MoveArea(frame.x(), frame.y(), frame.width(), frame.height(), mag), 0);
    QVERIFY(zoomwell.ShapeMag(mag).isVisible());
    QVERIFY(!zoomwell.ShapeMag(1 - mag).isVisible());
    qint32 left, top, width, height;
    zoomwell.GetFrameSize(mag, left, top, width, height);
    QCOMPARE(QRect(left, top, width, height), frame);
    for (int i = 0; i < Zoomwell::ResizerCount; ++i) {
        qint32 x1, x2, y1, y2;
        zoomwell.GetResizePosition(i, x1, x2, y1, y2);
        QCOMPARE(QPoint(x1, y1), corners[i]);
        QCOMPARE(QPoint(x2, y2), corners[i] + QPoint(size, size));
        QVERIFY(zoomwell.Resizer(i).isVisible());
    }
}

void tst_ZoomwellMethods::hiddenElementsReportZeros() {
    Zoomwell zoomwell;
    const auto corners = [&](int index) {
        qint32 x1 = -1, x2 = -1, y1 = -1, y2 = -1;
        zoomwell.GetResizePosition(index, x1, x2, y1, y2);
        return QList<qint32>{x1, x2, y1, y2};
    };
    const QList<qint32> zeros{0, 0, 0, 0};
    QCOMPARE(corners(0), zeros);
    zoomwell.MoveArea(10, 20, 100, 50, 0);
    QCOMPARE(corners(7), (QList<qint32>{107, 113, 67, 73}));
    zoomwell.ResizerShow(false);
    QCOMPARE(corners(7), zeros);
    QCOMPARE(zoomwell.resizerLayout().Resizer[3].x1, 0);
    zoomwell.ResizerShow(true);
    QCOMPARE(corners(3), (QList<qint32>{57, 63, 17, 23}));
    QCOMPARE(zoomwell.resizerLayout().Resizer[3].y2, 23);
    QCOMPARE(corners(8), zeros);
    QCOMPARE(corners(-1), zeros);
    // A hidden frame keeps its rectangle; only an unknown frame has none.
    zoomwell.ShowMagArea(0, false);
    QVERIFY(!zoomwell.ShapeMag(0).isVisible());
    qint32 left, top, width, height;
    zoomwell.GetFrameSize(0, left, top, width, height);
    QCOMPARE(QRect(left, top, width, height), QRect(10, 20, 100, 50));
    zoomwell.GetFrameSize(2, left, top, width, height);
    QCOMPARE(QRect(left, top, width, height), QRect());
}

void tst_ZoomwellMethods::selectModeMovesHandlesBetweenFrames() {
    Zoomwell zoomwell;
    zoomwell.MoveArea(10, 20, 100, 50, 0);
    zoomwell.MoveArea(200, 100, 40, 40, 1);
    QCOMPARE(zoomwell.Resizer(0).geometry().topLeft(), QPoint(197, 97));
    zoomwell.SetSelectMode(false, 0);
    QCOMPARE(zoomwell.Resizer(0).geometry().topLeft(), QPoint(197, 97));
    zoomwell.ResizerShow(false);
    zoomwell.SetSelectMode(true, 0);
    QCOMPARE(zoomwell.Resizer(0).geometry().topLeft(), QPoint(7, 17));
    QVERIFY(zoomwell.Resizer(0).isVisible());
    QCOMPARE(zoomwell.lastErrorNumber(), 0u);
}

void tst_ZoomwellMethods::resizerSizeResizesAndRecentresHandles() {
    Zoomwell zoomwell;
    QCOMPARE(zoomwell.property("ResizerSize").toInt(), 6);
    QCOMPARE(zoomwell.Resizer(4).geometry().size(), QSize(6, 6));
    zoomwell.MoveArea(10, 20, 100, 50, 0);
    zoomwell.ResizerShow(false);
    QVERIFY(zoomwell.setProperty("ResizerSize", QVariant::fromValue<qint16>(10)));
    QCOMPARE(zoomwell.Resizer(7).geometry(), QRect(105, 65, 10, 10));
    QVERIFY(!zoomwell.Resizer(7).isVisible());
    zoomwell.setResizerSize(0);
    QCOMPARE(zoomwell.ResizerSize(), qint16(10));
    QCOMPARE(zoomwell.Resizer(7).geometry().size(), QSize(10, 10));
}

void tst_ZoomwellMethods::orientationLeavesHandlesAwayFromCorner_data() {
    QTest::addColumn<int>("orientation");
    QTest::addColumn<QList<int>>("enabled");
    QTest::newRow("top-left") << 0 << QList<int>{4, 6, 7};
    QTest::newRow("top-right") << 1 << QList<int>{1, 2, 4};
    QTest::newRow("bottom-left") << 2 << QList<int>{3, 5, 6};
    QTest::newRow("bottom-right") << 3 << QList<int>{0, 1, 3};
    QTest::newRow("free") << 4 << QList<int>{};
}

void tst_ZoomwellMethods::orientationLeavesHandlesAwayFromCorner() {
    QFETCH(int, orientation);
    QFETCH(QList<int>, enabled);
    Zoomwell zoomwell;
    zoomwell.ResizerOrientation(4, false);
    QCOMPARE(zoomwell.ResizerOrientation(4, true), 0);
    QCOMPARE(zoomwell.ResizerOrientation(orientation, false), 0);
    const QColor buttonFace = zoomwell.palette().color(QPalette::Button);
    for (int i = 0; i < Zoomwell::ResizerCount; ++i) {
        const bool on = enabled.contains(i);
        QCOMPARE(zoomwell.Resizer(i).isEnabled(), on);
        QCOMPARE(zoomwell.Resizer(i).fillColor(), on ? QColor(Qt::white) : buttonFace);
    }
}

void tst_ZoomwellMethods::guideLineGridAndPointer() {
    Zoomwell zoomwell;
    QCOMPARE(zoomwell.ShowGuideLine(true), 0);
    for (int i = 0; i < 4; ++i) {
        const int at = 120 * (i + 1);
        QCOMPARE(zoomwell.GuideLine(i).line(), QLine(at, 0, at, 700));
        QCOMPARE(zoomwell.GuideLine(i + 4).line(), QLine(0, at, 700, at));
        QVERIFY(zoomwell.GuideLine(i).isVisible() && zoomwell.GuideLine(i + 4).isVisible());
    }
    QCOMPARE(zoomwell.cursor().shape(), Qt::CrossCursor);
    zoomwell.ShowGuideLine(false);
    QVERIFY(!zoomwell.GuideLine(0).isVisible() && !zoomwell.GuideLine(7).isVisible());
    QCOMPARE(zoomwell.cursor().shape(), Qt::ArrowCursor);
}

void tst_ZoomwellMethods::skewLineKeepsEndPointsWhileHidden() {
    Zoomwell zoomwell;
    QVERIFY(!zoomwell.SkewLine().isVisible());
    QCOMPARE(zoomwell.DrawSkewLine(1, 200, 2, 100, true), 0);
    QVERIFY(zoomwell.SkewLine().isVisible());
    QCOMPARE(zoomwell.SkewLine().line(), QLine(1, 2, 200, 100));
    zoomwell.DrawSkewLine(5, 6, 7, 8, false);
    QVERIFY(!zoomwell.SkewLine().isVisible());
    QCOMPARE(zoomwell.SkewLine().line(), QLine(1, 2, 200, 100));
}

void tst_ZoomwellMethods::failureIsReportedOnce_data() {
    QTest::addColumn<Call>("call");
    QTest::addColumn<QString>("message");
    const QString area = QStringLiteral("拡大領域操作に失敗しました。");
    const QString frame = QStringLiteral("描画処理にてエラーが発生しました。");
    QTest::newRow("MoveArea frame 2")
        << Call([](Zoomwell& z) { return z.MoveArea(1, 1, 5, 5, 2); }) << area;
    QTest::newRow("MoveArea frame -1")
        << Call([](Zoomwell& z) { return z.MoveArea(1, 1, 5, 5, -1); }) << area;
    QTest::newRow("MoveArea negative width")
        << Call([](Zoomwell& z) { return z.MoveArea(1, 1, -5, 5, 0); }) << frame;
    QTest::newRow("MoveArea beyond integers")
        << Call([](Zoomwell& z) { return z.MoveArea(2147483000, 1, 5000, 5, 1); }) << frame;
    QTest::newRow("ShowMagArea frame 2")
        << Call([](Zoomwell& z) { return z.ShowMagArea(2, true); }) << area;
    QTest::newRow("unknown orientation")
        << Call([](Zoomwell& z) { return z.ResizerOrientation(5, false); })
        << QStringLiteral("リサイザ操作に失敗しました。");
    QTest::newRow("SetSelectMode frame 2") << Call([](Zoomwell& z) {
        z.SetSelectMode(true, 2);
        return 0;
    }) << QStringLiteral("選択状態更新処理にてエラーが発生しました。");
}

void tst_ZoomwellMethods::failureIsReportedOnce() {
    QFETCH(Call, call);
    QFETCH(QString, message);
    Zoomwell zoomwell;
    zoomwell.setMessageBoxesShown(false);
    zoomwell.MoveArea(10, 20, 100, 50, 1);
    zoomwell.ResizerShow(false);
    QSignalSpy errors(&zoomwell, &Zoomwell::errorRaised);
    QCOMPARE(call(zoomwell), 0);
    QCOMPARE(errors.size(), 1);
    QCOMPARE(errors[0][0].toUInt(), 0x80040201u);
    QCOMPARE(errors[0][1].toString(), message);
    QCOMPARE(zoomwell.lastErrorNumber(), 0x80040201u);
    QCOMPARE(zoomwell.lastErrorDescription(), message);
    // A failed call leaves what was drawn before as it was.
    QVERIFY(!zoomwell.ShapeMag(0).isVisible());
    QCOMPARE(zoomwell.ShapeMag(1).geometry(), QRect(10, 20, 100, 50));
    QVERIFY(!zoomwell.Resizer(0).isVisible());
    QVERIFY(zoomwell.Resizer(0).isEnabled());
    // The next successful call clears the error.
    zoomwell.ShowMagArea(0, true);
    QCOMPARE(zoomwell.lastErrorNumber(), 0u);
    QVERIFY(zoomwell.lastErrorDescription().isEmpty());
}

void tst_ZoomwellMethods::controlShowsOneBoxPerFailure() {
    Zoomwell zoomwell;
    QStringList shown;
    QTimer closer;
    connect(&closer, &QTimer::timeout, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            shown << box->windowTitle() + "|" + box->text();
            box->accept();
        }
    });
    closer.start(10);
    zoomwell.MoveArea(1, 1, -5, 5, 0);
    QCOMPARE(shown, QStringList{QStringLiteral("prjZoomwell|描画処理にてエラーが発生しました。")});
}

void tst_ZoomwellMethods::methodsAndPropertyAnswerByName() {
    Zoomwell zoomwell;
    zoomwell.resize(300, 200);
    zoomwell.setMessageBoxesShown(false);
    const auto call = [&zoomwell](const char* name, auto... args) {
        return QMetaObject::invokeMethod(&zoomwell, name, Qt::DirectConnection, args...);
    };
    qint32 result = -1;
    QVERIFY(call("MoveArea", Q_RETURN_ARG(qint32, result), Q_ARG(qint32, 10), Q_ARG(qint32, 20),
                 Q_ARG(qint32, 100), Q_ARG(qint32, 50), Q_ARG(qint32, 0)));
    QCOMPARE(result, 0);
    qint32 a = -1, b = -1, c = -1, d = -1;
    QVERIFY(call("GetFrameSize", Q_ARG(qint32, 0), Q_ARG(qint32&, a), Q_ARG(qint32&, b),
                 Q_ARG(qint32&, c), Q_ARG(qint32&, d)));
    QCOMPARE((QList<qint32>{a, b, c, d}), (QList<qint32>{10, 20, 100, 50}));
    QVERIFY(call("GetResizePosition", Q_ARG(qint32, 7), Q_ARG(qint32&, a), Q_ARG(qint32&, b),
                 Q_ARG(qint32&, c), Q_ARG(qint32&, d)));
    QCOMPARE((QList<qint32>{a, b, c, d}), (QList<qint32>{107, 113, 67, 73}));

    QVERIFY(zoomwell.setProperty("ResizerSize", QVariant::fromValue(qint16(10))));
    QCOMPARE(zoomwell.property("ResizerSize").value<qint16>(), qint16(10));
    QCOMPARE(zoomwell.Resizer(0).geometry().size(), QSize(10, 10));

    struct Step {
        const char* method;
        std::function<bool()> invoke;
        std::function<bool()> done;
    };
    const Step steps[] = {
        {"ResizerShow", [&] { return call("ResizerShow", Q_ARG(bool, false)); },
         [&] { return !zoomwell.Resizer(0).isVisible(); }},
        {"SetSelectMode",
         [&] { return call("SetSelectMode", Q_ARG(bool, true), Q_ARG(qint32, 0)); },
         [&] { return zoomwell.Resizer(0).isVisible(); }},
        {"ResizerOrientation",
         [&] {
             return call("ResizerOrientation", Q_RETURN_ARG(qint32, result), Q_ARG(qint32, 3),
                         Q_ARG(bool, false));
         },
         [&] { return !zoomwell.Resizer(7).isEnabled() && zoomwell.Resizer(0).isEnabled(); }},
        {"ShowGuideLine",
         [&] { return call("ShowGuideLine", Q_RETURN_ARG(qint32, result), Q_ARG(bool, true)); },
         [&] { return zoomwell.GuideLine(0).isVisible(); }},
        {"DrawSkewLine",
         [&] {
             return call("DrawSkewLine", Q_RETURN_ARG(qint32, result), Q_ARG(qint32, 1),
                         Q_ARG(qint32, 2), Q_ARG(qint32, 3), Q_ARG(qint32, 4), Q_ARG(bool, true));
         },
         [&] { return zoomwell.SkewLine().line() == QLine(1, 3, 2, 4); }},
        {"ShowMagArea",
         [&] {
             return call("ShowMagArea", Q_RETURN_ARG(qint32, result), Q_ARG(qint32, 0),
                         Q_ARG(bool, false));
         },
         [&] { return !zoomwell.ShapeMag(0).isVisible(); }},
        {"Refresh", [&] { return call("Refresh"); }, [] { return true; }},
    };
    for (const Step& step : steps) {
        result = -1;
        QVERIFY2(step.invoke(), step.method);
        QVERIFY2(step.done(), step.method);
    }
}

QTEST_MAIN(tst_ZoomwellMethods)
#include "tst_ZoomwellMethods.moc"
