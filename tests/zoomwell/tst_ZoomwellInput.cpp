#include "zoomwell/Zoomwell.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QtTest>

#include <memory>

using Args = QVariantList;

// Records every event of the control, with its arguments, in the order raised.
class EventLog {
public:
    explicit EventLog(Zoomwell& z) {
        record(z, &Zoomwell::Click, "Click");
        record(z, &Zoomwell::ResizerClick, "ResizerClick");
        record(z, &Zoomwell::Delete, "Delete");
        record(z, &Zoomwell::MouseDownUserControl, "MouseDownUserControl");
        record(z, &Zoomwell::MouseMoveUserControl, "MouseMoveUserControl");
        record(z, &Zoomwell::MouseUpUserControl, "MouseUpUserControl");
        record(z, &Zoomwell::MouseDownResizer, "MouseDownResizer");
        record(z, &Zoomwell::MouseMoveResizer, "MouseMoveResizer");
        record(z, &Zoomwell::MouseUpResizer, "MouseUpResizer");
        record(z, &Zoomwell::ChangeShift, "ChangeShift");
        record(z, &Zoomwell::KeyDownCursor, "KeyDownCursor");
        record(z, &Zoomwell::errorRaised, "errorRaised");
    }
    QStringList raised() const {
        QStringList names;
        for (const auto& [name, args] : m_events) {
            names << name;
        }
        return names;
    }
    Args args(const QString& name, int call = 0) const {
        for (const auto& [raised, args] : m_events) {
            if (raised == name && call-- == 0) {
                return args;
            }
        }
        return {};
    }

private:
    template <typename Signal> void record(Zoomwell& z, Signal signal, const QString& name) {
        QObject::connect(&z, signal, &z, [this, name](auto... values) {
            m_events.append({name, Args{QVariant::fromValue(values)...}});
        });
    }
    QList<std::pair<QString, Args>> m_events;
};

namespace {

void mouse(Zoomwell& zoomwell, QEvent::Type type, QPointF pos, Qt::MouseButton button,
           Qt::MouseButtons held, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QMouseEvent event(type, pos, zoomwell.mapToGlobal(pos), button, held, modifiers);
    QApplication::sendEvent(&zoomwell, &event);
}

void press(Zoomwell& z, QPointF pos, Qt::MouseButton button, Qt::KeyboardModifiers mods = {}) {
    mouse(z, QEvent::MouseButtonPress, pos, button, button, mods);
}

void release(Zoomwell& z, QPointF pos, Qt::MouseButton button, Qt::KeyboardModifiers mods = {}) {
    mouse(z, QEvent::MouseButtonRelease, pos, button, Qt::NoButton, mods);
}

// One key event on its own: QTest would add presses and releases of the modifier keys.
void key(Zoomwell& zoomwell, QEvent::Type type, int code, Qt::KeyboardModifiers modifiers,
         bool autoRepeat = false) {
    QKeyEvent event(type, code, modifiers, QString(), autoRepeat);
    QApplication::sendEvent(&zoomwell, &event);
}

void moveTo(Zoomwell& z, QPointF pos, Qt::MouseButtons held) {
    mouse(z, QEvent::MouseMove, pos, Qt::NoButton, held);
}

// Frame 0 at (10, 20) sized 100 x 50: handle 3 (top) at (57, 17), handle 7 at (107, 67).
std::unique_ptr<Zoomwell> framedControl() {
    auto zoomwell = std::make_unique<Zoomwell>();
    zoomwell->resize(300, 200);
    zoomwell->setMessageBoxesShown(false);
    zoomwell->MoveArea(10, 20, 100, 50, 0);
    return zoomwell;
}

} // namespace

class tst_ZoomwellInput : public QObject {
    Q_OBJECT

private slots:
    void leftDragOnHandleReportsTwipsAndHandlePosition();
    void handleClick();
    void otherButtonsOnHandleRaiseNothing_data();
    void otherButtonsOnHandleRaiseNothing();
    void handleKeepsReportingAfterHostHidesIt();
    void controlEventsKeepTheirParameterOrder();
    void disabledHandleLeavesPointerToControl();
    void pointerShowsHandleDirection_data();
    void pointerShowsHandleDirection();
    void keys_data();
    void keys();
    void keyReleaseReportsShiftState();
    void handlersMayChangeEventParameters();
};

void tst_ZoomwellInput::leftDragOnHandleReportsTwipsAndHandlePosition() {
    auto zoomwell = framedControl();
    EventLog log(*zoomwell);
    press(*zoomwell, {109, 68}, Qt::LeftButton);
    moveTo(*zoomwell, {120, 80}, Qt::LeftButton);
    moveTo(*zoomwell, {100, 60}, Qt::LeftButton);
    release(*zoomwell, {100, 60}, Qt::LeftButton);
    QCOMPARE(log.raised(), (QStringList{"MouseDownResizer", "MouseMoveResizer", "MouseMoveResizer",
                                        "MouseUpResizer"}));
    QCOMPARE(log.args("MouseDownResizer"), (Args{30.0f, 15.0f, 107.0f, 67.0f}));
    QCOMPARE(log.args("MouseMoveResizer", 0), (Args{7, 195.0f, 195.0f, 107.0f, 67.0f}));
    QCOMPARE(log.args("MouseMoveResizer", 1), (Args{7, -105.0f, -105.0f, 107.0f, 67.0f}));
    QCOMPARE(log.args("MouseUpResizer"), (Args{7, -105.0f, -105.0f, 107.0f, 67.0f}));
}

void tst_ZoomwellInput::handleClick() {
    auto zoomwell = framedControl();
    EventLog log(*zoomwell);
    press(*zoomwell, {58, 18}, Qt::LeftButton);
    release(*zoomwell, {59, 19}, Qt::LeftButton);
    QCOMPARE(log.raised(), (QStringList{"MouseDownResizer", "MouseUpResizer", "ResizerClick"}));
    QCOMPARE(log.args("MouseUpResizer"), (Args{3, 30.0f, 30.0f, 57.0f, 17.0f}));
}

void tst_ZoomwellInput::otherButtonsOnHandleRaiseNothing_data() {
    QTest::addColumn<Qt::MouseButton>("button");
    QTest::newRow("right") << Qt::RightButton;
    QTest::newRow("middle") << Qt::MiddleButton;
}

void tst_ZoomwellInput::otherButtonsOnHandleRaiseNothing() {
    QFETCH(Qt::MouseButton, button);
    auto zoomwell = framedControl();
    EventLog log(*zoomwell);
    press(*zoomwell, {109, 68}, button);
    moveTo(*zoomwell, {150, 100}, button);
    release(*zoomwell, {150, 100}, button);
    press(*zoomwell, {58, 18}, button);
    release(*zoomwell, {58, 18}, button);
    QCOMPARE(log.raised(), QStringList{});
}

void tst_ZoomwellInput::handleKeepsReportingAfterHostHidesIt() {
    auto zoomwell = framedControl();
    EventLog log(*zoomwell);
    connect(zoomwell.get(), &Zoomwell::MouseDownResizer, zoomwell.get(),
            [&] { zoomwell->ResizerShow(false); });
    press(*zoomwell, {58, 68}, Qt::LeftButton);
    moveTo(*zoomwell, {58, 90}, Qt::LeftButton);
    release(*zoomwell, {58, 90}, Qt::LeftButton);
    QCOMPARE(log.raised(), (QStringList{"MouseDownResizer", "MouseMoveResizer", "MouseUpResizer"}));
    QCOMPARE(log.args("MouseUpResizer"), (Args{4, 15.0f, 345.0f, 57.0f, 67.0f}));
}

void tst_ZoomwellInput::controlEventsKeepTheirParameterOrder() {
    auto zoomwell = framedControl();
    EventLog log(*zoomwell);
    press(*zoomwell, {200, 150}, Qt::LeftButton, Qt::ShiftModifier);
    // While the control holds the pointer, passing over a handle is still the control's move.
    moveTo(*zoomwell, {109, 68}, Qt::LeftButton);
    release(*zoomwell, {250, 160}, Qt::LeftButton, Qt::ControlModifier);
    press(*zoomwell, {5, 5}, Qt::RightButton);
    release(*zoomwell, {5, 5}, Qt::RightButton);
    QCOMPARE(log.raised(),
             (QStringList{"MouseDownUserControl", "MouseMoveUserControl", "MouseUpUserControl",
                          "Click", "MouseDownUserControl", "MouseUpUserControl", "Click"}));
    QCOMPARE(log.args("MouseDownUserControl"), (Args{qint16(1), qint16(1), 200.0f, 150.0f}));
    QCOMPARE(log.args("MouseMoveUserControl"), (Args{qint16(1), 109.0f, 68.0f, qint16(0)}));
    QCOMPARE(log.args("MouseUpUserControl"), (Args{qint16(1), qint16(2), 250.0f, 160.0f}));
    QCOMPARE(log.args("MouseDownUserControl", 1), (Args{qint16(2), qint16(0), 5.0f, 5.0f}));
}

void tst_ZoomwellInput::disabledHandleLeavesPointerToControl() {
    auto zoomwell = framedControl();
    zoomwell->ResizerOrientation(0, false);
    EventLog log(*zoomwell);
    moveTo(*zoomwell, {58, 18}, Qt::NoButton);
    press(*zoomwell, {58, 18}, Qt::LeftButton);
    release(*zoomwell, {58, 18}, Qt::LeftButton);
    press(*zoomwell, {58, 68}, Qt::LeftButton);
    QCOMPARE(log.raised(), (QStringList{"MouseMoveUserControl", "MouseDownUserControl",
                                        "MouseUpUserControl", "Click", "MouseDownResizer"}));
}

void tst_ZoomwellInput::pointerShowsHandleDirection_data() {
    QTest::addColumn<QPoint>("at");
    QTest::addColumn<Qt::CursorShape>("shape");
    QTest::newRow("left-top") << QPoint(8, 18) << Qt::SizeFDiagCursor;
    QTest::newRow("left") << QPoint(8, 43) << Qt::SizeHorCursor;
    QTest::newRow("left-bottom") << QPoint(8, 68) << Qt::SizeBDiagCursor;
    QTest::newRow("top") << QPoint(58, 18) << Qt::SizeVerCursor;
    QTest::newRow("bottom") << QPoint(58, 68) << Qt::SizeVerCursor;
    QTest::newRow("right-top") << QPoint(108, 18) << Qt::SizeBDiagCursor;
    QTest::newRow("right") << QPoint(108, 43) << Qt::SizeHorCursor;
    QTest::newRow("right-bottom") << QPoint(108, 68) << Qt::SizeFDiagCursor;
    QTest::newRow("no handle") << QPoint(150, 150) << Qt::CrossCursor;
}

void tst_ZoomwellInput::pointerShowsHandleDirection() {
    QFETCH(QPoint, at);
    QFETCH(Qt::CursorShape, shape);
    auto zoomwell = framedControl();
    zoomwell->ShowGuideLine(true);
    EventLog log(*zoomwell);
    moveTo(*zoomwell, at, Qt::NoButton);
    QCOMPARE(zoomwell->cursor().shape(), shape);
    // Hovering over a handle belongs to the handle, which reports only left-button drags.
    QCOMPARE(log.raised().size(), shape == Qt::CrossCursor ? 1 : 0);
}

void tst_ZoomwellInput::keys_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<QString>("event");
    QTest::addColumn<int>("value");
    QTest::newRow("Delete") << int(Qt::Key_Delete) << Qt::KeyboardModifiers() << "Delete" << 0;
    QTest::newRow("Shift+Delete") << int(Qt::Key_Delete) << Qt::KeyboardModifiers(Qt::ShiftModifier)
                                  << "Delete" << 0;
    QTest::newRow("Left") << int(Qt::Key_Left) << Qt::KeyboardModifiers() << "KeyDownCursor" << 37;
    QTest::newRow("Up") << int(Qt::Key_Up) << Qt::KeyboardModifiers() << "KeyDownCursor" << 38;
    QTest::newRow("Right") << int(Qt::Key_Right) << Qt::KeyboardModifiers() << "KeyDownCursor"
                           << 39;
    QTest::newRow("Ctrl+Down") << int(Qt::Key_Down) << Qt::KeyboardModifiers(Qt::ControlModifier)
                               << "KeyDownCursor" << 40;
    QTest::newRow("Shift+Left") << int(Qt::Key_Left) << Qt::KeyboardModifiers(Qt::ShiftModifier)
                                << "ChangeShift" << 1;
    QTest::newRow("Shift+Ctrl+A") << int(Qt::Key_A) << (Qt::ShiftModifier | Qt::ControlModifier)
                                  << "ChangeShift" << 3;
    QTest::newRow("Shift itself") << int(Qt::Key_Shift) << Qt::KeyboardModifiers() << "ChangeShift"
                                  << 1;
    QTest::newRow("A") << int(Qt::Key_A) << Qt::KeyboardModifiers() << "" << 0;
    QTest::newRow("Home") << int(Qt::Key_Home) << Qt::KeyboardModifiers() << "" << 0;
}

void tst_ZoomwellInput::keys() {
    QFETCH(int, key);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(QString, event);
    QFETCH(int, value);
    Zoomwell zoomwell;
    EventLog log(zoomwell);
    ::key(zoomwell, QEvent::KeyPress, key, modifiers);
    QCOMPARE(log.raised(), event.isEmpty() ? QStringList{} : QStringList{event});
    if (event == "KeyDownCursor" || event == "ChangeShift") {
        QCOMPARE(log.args(event), Args{qint16(value)});
    }
}

void tst_ZoomwellInput::keyReleaseReportsShiftState() {
    Zoomwell zoomwell;
    EventLog log(zoomwell);
    key(zoomwell, QEvent::KeyRelease, Qt::Key_A, Qt::ShiftModifier | Qt::AltModifier);
    key(zoomwell, QEvent::KeyRelease, Qt::Key_Shift, Qt::ShiftModifier);
    key(zoomwell, QEvent::KeyRelease, Qt::Key_Left, Qt::NoModifier);
    key(zoomwell, QEvent::KeyRelease, Qt::Key_Left, Qt::NoModifier, true);
    QCOMPARE(log.raised(), (QStringList{"ChangeShift", "ChangeShift", "ChangeShift"}));
    QCOMPARE(log.args("ChangeShift", 0), Args{qint16(5)});
    QCOMPARE(log.args("ChangeShift", 1), Args{qint16(0)});
    QCOMPARE(log.args("ChangeShift", 2), Args{qint16(0)});
}

void tst_ZoomwellInput::handlersMayChangeEventParameters() {
    auto zoomwell = framedControl();
    Zoomwell* z = zoomwell.get();
    // The first handler changes what it is given; the log, connected after it, sees the change.
    QObject::connect(z, &Zoomwell::MouseDownUserControl, z,
                     [](qint16& button, qint16& shift, float& x, float& y) {
                         button = 7;
                         shift = 5;
                         x = -1.0f;
                         y = -2.0f;
                     });
    QObject::connect(z, &Zoomwell::MouseUpResizer, z,
                     [](qint32& index, float& x, float& y, float& left, float& top) {
                         index = 9;
                         x = y = left = top = 0.5f;
                     });
    QObject::connect(z, &Zoomwell::KeyDownCursor, z, [](qint16& keyCode) { keyCode = 0; });
    QObject::connect(z, &Zoomwell::ChangeShift, z, [](qint16& shift) { shift = 4; });
    EventLog log(*z);
    press(*z, {200, 150}, Qt::LeftButton);
    release(*z, {200, 150}, Qt::LeftButton);
    press(*z, {109, 69}, Qt::LeftButton);
    release(*z, {109, 69}, Qt::LeftButton);
    key(*z, QEvent::KeyPress, Qt::Key_Left, Qt::NoModifier);
    key(*z, QEvent::KeyRelease, Qt::Key_Left, Qt::NoModifier);
    QCOMPARE(log.args("MouseDownUserControl"), (Args{qint16(7), qint16(5), -1.0f, -2.0f}));
    QCOMPARE(log.args("MouseUpResizer"), (Args{9, 0.5f, 0.5f, 0.5f, 0.5f}));
    QCOMPARE(log.args("KeyDownCursor"), Args{qint16(0)});
    QCOMPARE(log.args("ChangeShift"), Args{qint16(4)});
}

QTEST_MAIN(tst_ZoomwellInput)
#include "tst_ZoomwellInput.moc"
