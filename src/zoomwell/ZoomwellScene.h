#pragma once

#include "zoomwell/ZoomwellLine.h"
#include "zoomwell/ZoomwellResizer.h"
#include "zoomwell/ZoomwellShape.h"

#include <array>

class QPainter;
class QPoint;

// Everything the control draws, in its own pixel coordinates: the two frames, the eight handles,
// the guide-line grid and the skew line. Element accessors throw std::out_of_range for an index
// that does not exist.
class ZoomwellScene {
public:
    static constexpr int MagCount = 2;
    static constexpr int ResizerCount = 8;
    static constexpr int GuideLineCount = 8;
    static constexpr int DefaultResizerSize = 6;

    ZoomwellScene();

    ZoomwellShape& shape(int index) { return m_shapes.at(index); }
    const ZoomwellShape& shape(int index) const { return m_shapes.at(index); }
    ZoomwellResizer& resizer(int index) { return m_resizers.at(index); }
    const ZoomwellResizer& resizer(int index) const { return m_resizers.at(index); }
    ZoomwellLine& guideLine(int index) { return m_guideLines.at(index); }
    const ZoomwellLine& guideLine(int index) const { return m_guideLines.at(index); }
    ZoomwellLine& skewLine() { return m_skewLine; }
    const ZoomwellLine& skewLine() const { return m_skewLine; }

    int resizerSize() const { return m_resizerSize; }
    // Gives every handle the new edge length; handles already placed around a frame are placed
    // around it again so that they stay centred on its corners and edge middles.
    void setResizerSize(int size);

    // Moves the handles around frame magIndex (visibility is left to the caller).
    void placeResizersAround(int magIndex);
    void setResizersVisible(bool visible);

    // Shows the fixed grid: four vertical and four horizontal lines 120 pixels apart.
    void setGuideLinesVisible(bool visible);

    // The handle that takes the pointer at pos, the frontmost first; -1 for none.
    int resizerAt(const QPoint& pos) const;

    void paint(QPainter& painter) const;

private:
    std::array<ZoomwellShape, MagCount> m_shapes;
    std::array<ZoomwellResizer, ResizerCount> m_resizers;
    std::array<ZoomwellLine, GuideLineCount> m_guideLines;
    ZoomwellLine m_skewLine;
    int m_resizerSize = DefaultResizerSize;
    int m_placedAround = -1;
};
