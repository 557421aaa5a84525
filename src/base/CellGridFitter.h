#pragma once

#include <functional>
#include <string_view>

// Width of column contents for fitting a CellGrid column: the view injects the measuring
// function of its font; without one every byte counts kFallbackPixelsPerByte pixels, so that a
// grid without a screen still fits plausibly.
class CellGridFitter {
public:
    // Text width in pixels of a cp932 text.
    using TextMeasure = std::function<int(std::string_view)>;

    static constexpr int kFallbackPixelsPerByte = 7;
    static constexpr int kDefaultPadding = 6;

    void setMeasure(TextMeasure measure, int cellPaddingPixels);
    int padding() const { return m_padding; }
    int measure(std::string_view text) const;

private:
    TextMeasure m_measure;
    int m_padding = kDefaultPadding;
};
