#pragma once

#include "image/TiffPageTags.h"

#include <cstdint>
#include <vector>

// Turns decoded rows of a grey, palette or RGB TIFF page into 8-bit samples: one grey byte per
// pixel (black 0) for grey pages, three bytes R, G, B per pixel otherwise. 16-bit samples keep
// their high byte, 2- and 4-bit grey is spread over 0..255, extra samples (alpha) are dropped.
class TiffColourRows {
public:
    // False for layouts it does not decode: planes stored apart, floating-point or signed samples,
    // CMYK and other colour spaces, depths other than 1, 2, 4, 8 and 16 bits.
    bool open(const TiffPageTags& tags);

    // 1 for grey pages, 3 for colour.
    int channels() const { return m_channels; }

    // row: one decoded row of the page. The 8-bit row, valid until the next call (it may be row
    // itself).
    const std::uint8_t* convert(const std::uint8_t* row);

private:
    std::uint32_t sample(const std::uint8_t* row, std::size_t index) const;

    std::uint32_t m_width = 0;
    int m_bits = 8;
    int m_samples = 1;
    int m_channels = 1;
    bool m_invert = false;
    bool m_palette = false;
    std::vector<std::uint32_t> m_colours;
    std::vector<std::uint8_t> m_out;
};
