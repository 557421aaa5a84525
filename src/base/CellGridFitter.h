#pragma once

#include <functional>
#include <string_view>

// Width of column contents for fitting a CellGrid column: the view injects the measuring
// functions of its font and of its pictures; without them every byte counts
// kFallbackPixelsPerByte pixels and every picture kFallbackPicturePixels, so that a grid without a
// screen still fits plausibly.
class CellGridFitter {
public:
    // Text width in pixels of a cp932 text.
    using TextMeasure = std::function<int(std::string_view)>;
    // Width in pixels that a cell's picture takes beside its text (0 for none shown).
    using PictureMeasure = std::function<int(int pictureId)>;

    static constexpr int kFallbackPixelsPerByte = 7;
    static constexpr int kFallbackPicturePixels = 20;
    static constexpr int kDefaultPadding = 6;

    void setMeasure(TextMeasure measure, int cellPaddingPixels);
    void setPictureMeasure(PictureMeasure measure) { m_pictureMeasure = std::move(measure); }
    int padding() const { return m_padding; }
    int measure(std::string_view text) const;
    int measurePicture(int pictureId) const;

private:
    TextMeasure m_measure;
    PictureMeasure m_pictureMeasure;
    int m_padding = kDefaultPadding;
};
