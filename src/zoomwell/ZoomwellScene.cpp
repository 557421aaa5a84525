#include "zoomwell/ZoomwellScene.h"

#include <QPainter>
#include <QPoint>

namespace {

const QColor GuideGreen(0, 200, 0);
const QColor SkewRed(255, 0, 0);
const QColor FrameColors[ZoomwellScene::MagCount] = {QColor(0, 0, 255), QColor(255, 128, 0)};

constexpr int GuideSpacing = 120;
constexpr int GuideLength = 700;

// Column and row (0 before, 1 middle, 2 after) of each handle around its frame, in handle order:
// left-top, left, left-bottom, top, bottom, right-top, right, right-bottom.
constexpr std::array<std::array<int, 2>, ZoomwellScene::ResizerCount> HandleCells = {
    {{0, 0}, {0, 1}, {0, 2}, {1, 0}, {1, 2}, {2, 0}, {2, 1}, {2, 2}}};

ZoomwellResizer makeResizer(int column, int row) {
    if (column == 1) {
        return ZoomwellResizer(Qt::SizeVerCursor);
    }
    if (row == 1) {
        return ZoomwellResizer(Qt::SizeHorCursor);
    }
    return ZoomwellResizer(column == row ? Qt::SizeFDiagCursor : Qt::SizeBDiagCursor);
}

} // namespace

ZoomwellScene::ZoomwellScene()
    : m_shapes{ZoomwellShape(FrameColors[0]), ZoomwellShape(FrameColors[1])},
      m_resizers{makeResizer(0, 0), makeResizer(0, 1), makeResizer(0, 2), makeResizer(1, 0),
                 makeResizer(1, 2), makeResizer(2, 0), makeResizer(2, 1), makeResizer(2, 2)},
      m_guideLines{ZoomwellLine(GuideGreen), ZoomwellLine(GuideGreen), ZoomwellLine(GuideGreen),
                   ZoomwellLine(GuideGreen), ZoomwellLine(GuideGreen), ZoomwellLine(GuideGreen),
                   ZoomwellLine(GuideGreen), ZoomwellLine(GuideGreen)},
      m_skewLine(SkewRed) {
    for (ZoomwellResizer& resizer : m_resizers) {
        resizer.setGeometry(QRect(0, 0, m_resizerSize, m_resizerSize));
    }
}

void ZoomwellScene::setResizerSize(int size) {
    m_resizerSize = size;
    for (ZoomwellResizer& resizer : m_resizers) {
        resizer.setGeometry(QRect(resizer.geometry().topLeft(), QSize(size, size)));
    }
    if (m_placedAround >= 0) {
        placeResizersAround(m_placedAround);
    }
}

void ZoomwellScene::placeResizersAround(int magIndex) {
    const QRect frame = m_shapes.at(magIndex).geometry();
    const int half = m_resizerSize / 2;
    const int columns[3] = {frame.left() - half, frame.left() + frame.width() / 2 - half,
                            frame.left() + frame.width() - half};
    const int rows[3] = {frame.top() - half, frame.top() + frame.height() / 2 - half,
                         frame.top() + frame.height() - half};
    for (int i = 0; i < ResizerCount; ++i) {
        const auto [column, row] = HandleCells[i];
        m_resizers[i].setGeometry(QRect(columns[column], rows[row], m_resizerSize, m_resizerSize));
    }
    m_placedAround = magIndex;
}

void ZoomwellScene::setResizersVisible(bool visible) {
    for (ZoomwellResizer& resizer : m_resizers) {
        resizer.setVisible(visible);
    }
}

void ZoomwellScene::setGuideLinesVisible(bool visible) {
    constexpr int perDirection = GuideLineCount / 2;
    for (int i = 0; i < perDirection; ++i) {
        const int at = GuideSpacing * (i + 1);
        m_guideLines[i].setLine(QLine(at, 0, at, GuideLength));
        m_guideLines[i + perDirection].setLine(QLine(0, at, GuideLength, at));
    }
    for (ZoomwellLine& line : m_guideLines) {
        line.setVisible(visible);
    }
}

int ZoomwellScene::resizerAt(const QPoint& pos) const {
    for (int i = ResizerCount - 1; i >= 0; --i) {
        if (m_resizers[i].takesPointerAt(pos)) {
            return i;
        }
    }
    return -1;
}

void ZoomwellScene::paint(QPainter& painter) const {
    for (const ZoomwellShape& shape : m_shapes) {
        shape.paint(painter);
    }
    for (const ZoomwellLine& line : m_guideLines) {
        line.paint(painter);
    }
    m_skewLine.paint(painter);
    for (const ZoomwellResizer& resizer : m_resizers) {
        resizer.paint(painter);
    }
}
