#pragma once

#include <QEvent>
#include <QString>
#include <QWidget>

#include <array>
#include <functional>
#include <memory>

#if defined(zoomwell_EXPORTS)
#define ZOOMWELL_EXPORT Q_DECL_EXPORT
#else
#define ZOOMWELL_EXPORT Q_DECL_IMPORT
#endif

class ZoomwellLine;
class ZoomwellResizer;
class ZoomwellScene;
class ZoomwellShape;

// The corners of one handle: x1, y1 its left and top, x2, y2 its left + width and top + height.
struct structResizerInfo_ {
    qint32 x1 = 0;
    qint32 y1 = 0;
    qint32 x2 = 0;
    qint32 y2 = 0;
};

// All eight handles, indexed by Zoomwell::eResizer.
struct structResizer_ {
    std::array<structResizerInfo_, 8> Resizer;
};

// Zoomwell: a transparent overlay laid exactly over an image display. It draws up to two zoom
// frames, eight resize handles around the selected frame, a guide-line grid and a skew line,
// all in its own pixel coordinates, and reports mouse and key input to its host. It knows
// nothing of the image beneath it.
//
// Failures: every method catches its own errors and reports each failure exactly once, with the
// error number 0x80040201 and one fixed text, through errorRaised() and lastErrorNumber() /
// lastErrorDescription(); the method then returns normally with its usual result. Because the
// control itself tells the operator about such failures, it also shows the text in a plain
// message box; a host that reports errors its own way turns the boxes off with
// setMessageBoxesShown(false).
class ZOOMWELL_EXPORT Zoomwell : public QWidget {
    Q_OBJECT
    Q_PROPERTY(qint16 ResizerSize READ ResizerSize WRITE setResizerSize)

public:
    enum eResizer : qint32 {
        lfResizerLeftTop = 0,
        lfResizerLeft = 1,
        lfResizerLeftBottom = 2,
        lfResizerTop = 3,
        lfResizerBottom = 4,
        lfResizerRightTop = 5,
        lfResizerRight = 6,
        lfResizerRightBottom = 7,
    };
    Q_ENUM(eResizer)

    static constexpr int MagCount = 2;
    static constexpr int ResizerCount = 8;
    static constexpr int GuideLineCount = 8;
    // Handle events give the pointer offset within the handle in twips.
    static constexpr int TwipsPerPixel = 15;
    static constexpr quint32 ErrorNumber = 0x80040201u;

    explicit Zoomwell(QWidget* parent = nullptr);
    ~Zoomwell() override;

    // The methods and the property are reachable by name (QMetaObject::invokeMethod, property()),
    // as the host of the original control called them through dispatch; out parameters are
    // references there too.

    // Repaints the control at once.
    Q_INVOKABLE void Refresh();
    // Shows frame nMagIndex at the given rectangle and places and shows the handles around it.
    Q_INVOKABLE qint32 MoveArea(qint32 InfoLeft, qint32 InfoTop, qint32 InfoWidth,
                                qint32 InfoHeight, qint32 nMagIndex);
    // The corners of a visible handle; all four are 0 for a hidden handle or an unknown index.
    Q_INVOKABLE void GetResizePosition(qint32 nIndex, qint32& x1, qint32& x2, qint32& y1,
                                       qint32& y2) const;
    Q_INVOKABLE void ResizerShow(bool bShow);
    // Position and size of a frame; all four are 0 for an unknown index.
    Q_INVOKABLE void GetFrameSize(qint32 nMagIndex, qint32& nLeft, qint32& nTop, qint32& nWidth,
                                  qint32& nHeight) const;
    // true places the handles around frame MagIndex and shows them; false changes nothing.
    Q_INVOKABLE void SetSelectMode(bool NewSelectMode, qint32 MagIndex);
    // Enables or disables the handles on the two edges that meet at corner nOrientation
    // (0 top-left, 1 top-right, 2 bottom-left, 3 bottom-right), or all of them (4 free).
    Q_INVOKABLE qint32 ResizerOrientation(qint32 nOrientation, bool bEnabled);
    Q_INVOKABLE qint32 DrawSkewLine(qint32 x1, qint32 x2, qint32 y1, qint32 y2, bool bShow);
    Q_INVOKABLE qint32 ShowGuideLine(bool bShow);
    Q_INVOKABLE qint32 ShowMagArea(qint32 nMagIndex, bool bShow);

    qint16 ResizerSize() const;
    // Every handle takes the new edge length at once; values below 1 are refused and the size
    // stays as it was.
    void setResizerSize(qint16 size);

    // The drawn elements; an index that does not exist throws std::out_of_range.
    const ZoomwellShape& ShapeMag(int index) const;
    const ZoomwellResizer& Resizer(int index) const;
    const ZoomwellLine& GuideLine(int index) const;
    const ZoomwellLine& SkewLine() const;
    structResizer_ resizerLayout() const;

    // The failure of the last call of a method that can fail (0 and an empty text when it
    // succeeded).
    quint32 lastErrorNumber() const { return m_lastErrorNumber; }
    QString lastErrorDescription() const { return m_lastErrorDescription; }
    bool messageBoxesShown() const { return m_messageBoxesShown; }
    void setMessageBoxesShown(bool shown) { m_messageBoxesShown = shown; }

signals:
    // Buttons and shift states are bit masks (ZoomwellInput); coordinates of the control are in
    // pixels, pointer offsets within a handle in twips, handle positions in pixels. Parameters
    // are passed by reference: a handler (connected directly) may change them, and handlers
    // connected after it see the change.
    void Click();
    void ResizerClick();
    void Delete();
    void MouseDownUserControl(qint16& Button, qint16& Shift, float& x, float& y);
    void MouseMoveUserControl(qint16& Button, float& x, float& y, qint16& Shift);
    void MouseUpUserControl(qint16& Button, qint16& Shift, float& x, float& y);
    void MouseDownResizer(float& x, float& y, float& ResizerX, float& ResizerY);
    void MouseMoveResizer(qint32& ResizerIndex, float& x, float& y, float& ResizerX,
                          float& ResizerY);
    void MouseUpResizer(qint32& ResizerIndex, float& x, float& y, float& ResizerX, float& ResizerY);
    void ChangeShift(qint16& Shift);
    void KeyDownCursor(qint16& KeyCode);
    void errorRaised(quint32 number, const QString& description);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

private:
    static constexpr int NoCapture = -2;
    static constexpr int ControlCapture = -1;

    void beginCall();
    bool runGuarded(const QString& message, const std::function<void()>& body);
    void report(const QString& message);
    void makeTransparent();
    void placeFrame(int magIndex, qint32 left, qint32 top, qint32 width, qint32 height);
    void selectFrame(int magIndex);
    void updateCursor(const QPointF& pos);
    // Raises the handle event of a press, move or release, with the pointer offset in twips.
    void emitResizerEvent(int index, const QPointF& pos, QEvent::Type type);

    std::unique_ptr<ZoomwellScene> m_scene;
    Qt::CursorShape m_pointer = Qt::ArrowCursor;
    int m_capture = NoCapture;
    quint32 m_lastErrorNumber = 0;
    QString m_lastErrorDescription;
    bool m_messageBoxesShown = true;
};
