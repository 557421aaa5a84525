#include "zoomwell/Zoomwell.h"

#include "zoomwell/ZoomwellInput.h"
#include "zoomwell/ZoomwellScene.h"

#include <QKeyEvent>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>

#include <stdexcept>
#include <vector>

namespace {

const QString Caption = QStringLiteral("prjZoomwell");
const QString GuideLineFailed = QStringLiteral("ガイドライン描画に失敗しました。");
const QString SkewLineFailed = QStringLiteral("ライン描画に失敗しました。");
const QString AreaFailed = QStringLiteral("拡大領域操作に失敗しました。");
const QString ResizerFailed = QStringLiteral("リサイザ操作に失敗しました。");
const QString FrameFailed = QStringLiteral("描画処理にてエラーが発生しました。");
const QString SelectFailed = QStringLiteral("選択状態更新処理にてエラーが発生しました。");

// Frames beyond this many pixels from the origin cannot be placed: the handle arithmetic
// around them must stay within 32-bit integers.
constexpr qint64 CoordinateLimit = qint64(1) << 30;

// Thrown by an internal step after it has reported its own failure, so that the calling method
// leaves without reporting a second time.
struct ReportedFailure {};

// The handles on the two edges that meet at a corner; all of them for the free orientation.
std::vector<int> orientationGroup(qint32 orientation) {
    switch (orientation) {
    case 0:
        return {0, 1, 2, 3, 5};
    case 1:
        return {0, 3, 5, 6, 7};
    case 2:
        return {0, 1, 2, 4, 7};
    case 3:
        return {2, 4, 5, 6, 7};
    case 4:
        return {0, 1, 2, 3, 4, 5, 6, 7};
    default:
        throw std::invalid_argument("unknown handle orientation");
    }
}

bool isMagIndex(qint32 index) {
    return index >= 0 && index < Zoomwell::MagCount;
}

} // namespace

Zoomwell::Zoomwell(QWidget* parent) : QWidget(parent), m_scene(std::make_unique<ZoomwellScene>()) {
    makeTransparent();
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setCursor(m_pointer);
}

Zoomwell::~Zoomwell() = default;

void Zoomwell::Refresh() {
    repaint();
}

qint32 Zoomwell::MoveArea(qint32 InfoLeft, qint32 InfoTop, qint32 InfoWidth, qint32 InfoHeight,
                          qint32 nMagIndex) {
    beginCall();
    runGuarded(AreaFailed, [&] {
        if (!isMagIndex(nMagIndex)) {
            throw std::out_of_range("no such frame");
        }
        makeTransparent();
        placeFrame(nMagIndex, InfoLeft, InfoTop, InfoWidth, InfoHeight);
        selectFrame(nMagIndex);
    });
    return 0;
}

void Zoomwell::GetResizePosition(qint32 nIndex, qint32& x1, qint32& x2, qint32& y1,
                                 qint32& y2) const {
    x1 = x2 = y1 = y2 = 0;
    if (nIndex < 0 || nIndex >= ResizerCount || !m_scene->resizer(nIndex).isVisible()) {
        return;
    }
    const QRect handle = m_scene->resizer(nIndex).geometry();
    x1 = handle.left();
    y1 = handle.top();
    x2 = handle.left() + handle.width();
    y2 = handle.top() + handle.height();
}

void Zoomwell::ResizerShow(bool bShow) {
    m_scene->setResizersVisible(bShow);
    update();
}

void Zoomwell::GetFrameSize(qint32 nMagIndex, qint32& nLeft, qint32& nTop, qint32& nWidth,
                            qint32& nHeight) const {
    nLeft = nTop = nWidth = nHeight = 0;
    if (!isMagIndex(nMagIndex)) {
        return;
    }
    const QRect frame = m_scene->shape(nMagIndex).geometry();
    nLeft = frame.left();
    nTop = frame.top();
    nWidth = frame.width();
    nHeight = frame.height();
}

void Zoomwell::SetSelectMode(bool NewSelectMode, qint32 MagIndex) {
    beginCall();
    if (!NewSelectMode) {
        return;
    }
    try {
        selectFrame(MagIndex);
    } catch (const ReportedFailure&) {
        // The handle step has told the operator already.
    }
}

qint32 Zoomwell::ResizerOrientation(qint32 nOrientation, bool bEnabled) {
    beginCall();
    runGuarded(ResizerFailed, [&] {
        const QColor fill = bEnabled ? QColor(Qt::white) : palette().color(QPalette::Button);
        for (int index : orientationGroup(nOrientation)) {
            ZoomwellResizer& resizer = m_scene->resizer(index);
            resizer.setEnabled(bEnabled);
            resizer.setFillColor(fill);
        }
        update();
    });
    return 0;
}

qint32 Zoomwell::DrawSkewLine(qint32 x1, qint32 x2, qint32 y1, qint32 y2, bool bShow) {
    beginCall();
    runGuarded(SkewLineFailed, [&] {
        // The line keeps its last end points while hidden and stays visible once drawn.
        ZoomwellLine& line = m_scene->skewLine();
        line.setVisible(bShow);
        if (bShow) {
            line.setLine(QLine(x1, y1, x2, y2));
        }
        update();
    });
    return 0;
}

qint32 Zoomwell::ShowGuideLine(bool bShow) {
    beginCall();
    runGuarded(GuideLineFailed, [&] {
        makeTransparent();
        m_scene->setGuideLinesVisible(bShow);
        m_pointer = bShow ? Qt::CrossCursor : Qt::ArrowCursor;
        if (m_capture == NoCapture) {
            setCursor(m_pointer);
        }
        update();
    });
    return 0;
}

qint32 Zoomwell::ShowMagArea(qint32 nMagIndex, bool bShow) {
    beginCall();
    runGuarded(AreaFailed, [&] {
        makeTransparent();
        m_scene->shape(nMagIndex).setVisible(bShow);
        update();
    });
    return 0;
}

qint16 Zoomwell::ResizerSize() const {
    return qint16(m_scene->resizerSize());
}

void Zoomwell::setResizerSize(qint16 size) {
    if (size < 1) {
        return;
    }
    m_scene->setResizerSize(size);
    update();
}

const ZoomwellShape& Zoomwell::ShapeMag(int index) const {
    return m_scene->shape(index);
}

const ZoomwellResizer& Zoomwell::Resizer(int index) const {
    return m_scene->resizer(index);
}

const ZoomwellLine& Zoomwell::GuideLine(int index) const {
    return m_scene->guideLine(index);
}

const ZoomwellLine& Zoomwell::SkewLine() const {
    return m_scene->skewLine();
}

structResizer_ Zoomwell::resizerLayout() const {
    structResizer_ layout;
    for (int i = 0; i < ResizerCount; ++i) {
        structResizerInfo_& info = layout.Resizer[i];
        GetResizePosition(i, info.x1, info.x2, info.y1, info.y2);
    }
    return layout;
}

void Zoomwell::beginCall() {
    m_lastErrorNumber = 0;
    m_lastErrorDescription.clear();
}

bool Zoomwell::runGuarded(const QString& message, const std::function<void()>& body) {
    try {
        body();
        return true;
    } catch (const ReportedFailure&) {
        return false;
    } catch (const std::exception&) {
        report(message);
        return false;
    }
}

void Zoomwell::report(const QString& message) {
    m_lastErrorNumber = ErrorNumber;
    m_lastErrorDescription = message;
    if (m_messageBoxesShown) {
        QMessageBox box(QMessageBox::NoIcon, Caption, message, QMessageBox::Ok, this);
        box.exec();
    }
    emit errorRaised(ErrorNumber, message);
}

// The overlay never paints a background of its own, so the image display shows through
// everywhere except where a frame, a line or a handle is drawn.
void Zoomwell::makeTransparent() {
    setAutoFillBackground(false);
}

void Zoomwell::placeFrame(int magIndex, qint32 left, qint32 top, qint32 width, qint32 height) {
    const bool placed = runGuarded(FrameFailed, [&] {
        if (width < 0 || height < 0 || qAbs(qint64(left)) > CoordinateLimit ||
            qAbs(qint64(top)) > CoordinateLimit || width > CoordinateLimit ||
            height > CoordinateLimit) {
            throw std::invalid_argument("frame outside the drawable range");
        }
        ZoomwellShape& frame = m_scene->shape(magIndex);
        frame.setGeometry(QRect(left, top, width, height));
        frame.setVisible(true);
        update();
    });
    if (!placed) {
        throw ReportedFailure{};
    }
}

void Zoomwell::selectFrame(int magIndex) {
    const bool selected = runGuarded(SelectFailed, [&] {
        m_scene->placeResizersAround(magIndex);
        m_scene->setResizersVisible(true);
        update();
    });
    if (!selected) {
        throw ReportedFailure{};
    }
}

void Zoomwell::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    m_scene->paint(painter);
}

void Zoomwell::updateCursor(const QPointF& pos) {
    const int over = m_capture == NoCapture ? m_scene->resizerAt(pos.toPoint()) : m_capture;
    setCursor(over >= 0 ? m_scene->resizer(over).cursorShape() : m_pointer);
}

void Zoomwell::mousePressEvent(QMouseEvent* event) {
    const QPointF pos = event->position();
    if (m_capture == NoCapture) {
        const int over = m_scene->resizerAt(pos.toPoint());
        m_capture = over >= 0 ? over : ControlCapture;
    }
    if (m_capture == ControlCapture) {
        qint16 button = ZoomwellInput::button(event->button());
        qint16 shift = ZoomwellInput::shiftState(event->modifiers());
        float x = float(pos.x());
        float y = float(pos.y());
        emit MouseDownUserControl(button, shift, x, y);
    } else if (event->button() == Qt::LeftButton) {
        emitResizerEvent(m_capture, pos, QEvent::MouseButtonPress);
    }
    event->accept();
}

void Zoomwell::mouseMoveEvent(QMouseEvent* event) {
    const QPointF pos = event->position();
    if (m_capture >= 0) {
        if (event->buttons().testFlag(Qt::LeftButton)) {
            emitResizerEvent(m_capture, pos, QEvent::MouseMove);
        }
    } else if (m_capture == ControlCapture || m_scene->resizerAt(pos.toPoint()) < 0) {
        qint16 buttons = ZoomwellInput::buttons(event->buttons());
        float x = float(pos.x());
        float y = float(pos.y());
        qint16 shift = ZoomwellInput::shiftState(event->modifiers());
        emit MouseMoveUserControl(buttons, x, y, shift);
    }
    updateCursor(pos);
    event->accept();
}

void Zoomwell::mouseReleaseEvent(QMouseEvent* event) {
    const QPointF pos = event->position();
    if (m_capture == ControlCapture) {
        qint16 button = ZoomwellInput::button(event->button());
        qint16 shift = ZoomwellInput::shiftState(event->modifiers());
        float x = float(pos.x());
        float y = float(pos.y());
        emit MouseUpUserControl(button, shift, x, y);
        if (rect().contains(pos.toPoint())) {
            emit Click();
        }
    } else if (m_capture >= 0 && event->button() == Qt::LeftButton) {
        const int index = m_capture;
        emitResizerEvent(index, pos, QEvent::MouseButtonRelease);
        if (m_scene->resizer(index).takesPointerAt(pos.toPoint())) {
            emit ResizerClick();
        }
    }
    if (event->buttons() == Qt::NoButton) {
        m_capture = NoCapture;
    }
    updateCursor(pos);
    event->accept();
}

void Zoomwell::emitResizerEvent(int index, const QPointF& pos, QEvent::Type type) {
    const QRect handle = m_scene->resizer(index).geometry();
    qint32 resizerIndex = index;
    float x = float((pos.x() - handle.left()) * TwipsPerPixel);
    float y = float((pos.y() - handle.top()) * TwipsPerPixel);
    float left = float(handle.left());
    float top = float(handle.top());
    if (type == QEvent::MouseButtonPress) {
        emit MouseDownResizer(x, y, left, top);
    } else if (type == QEvent::MouseMove) {
        emit MouseMoveResizer(resizerIndex, x, y, left, top);
    } else {
        emit MouseUpResizer(resizerIndex, x, y, left, top);
    }
}

void Zoomwell::keyPressEvent(QKeyEvent* event) {
    qint16 keyCode = ZoomwellInput::keyCode(event->key());
    qint16 shift = ZoomwellInput::shiftStateForKey(event->modifiers(), event->key(), true);
    if (keyCode == ZoomwellInput::KeyDelete) {
        emit Delete();
    } else if (shift & ZoomwellInput::ShiftMask) {
        emit ChangeShift(shift);
    } else if (keyCode >= ZoomwellInput::KeyLeftArrow && keyCode <= ZoomwellInput::KeyDownArrow) {
        emit KeyDownCursor(keyCode);
    }
    event->accept();
}

void Zoomwell::keyReleaseEvent(QKeyEvent* event) {
    // Held keys repeat their press only; a release is reported once, when the key comes up.
    if (!event->isAutoRepeat()) {
        qint16 shift = ZoomwellInput::shiftStateForKey(event->modifiers(), event->key(), false);
        emit ChangeShift(shift);
    }
    event->accept();
}
