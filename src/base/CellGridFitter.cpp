#include "base/CellGridFitter.h"

#include <algorithm>

void CellGridFitter::setMeasure(TextMeasure measure, int cellPaddingPixels) {
    m_measure = std::move(measure);
    m_padding = std::max(cellPaddingPixels, 0);
}

int CellGridFitter::measure(std::string_view text) const {
    if (m_measure) {
        return m_measure(text);
    }
    return static_cast<int>(text.size()) * kFallbackPixelsPerByte;
}

int CellGridFitter::measurePicture(int pictureId) const {
    if (pictureId == 0) {
        return 0;
    }
    return m_pictureMeasure ? m_pictureMeasure(pictureId) : kFallbackPicturePixels;
}
