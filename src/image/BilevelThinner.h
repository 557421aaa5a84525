#pragma once

#include <cstdint>
#include <vector>

// Picks every step-th pixel of 1-bit rows (most significant bit leftmost). Output byte k takes its
// eight pixels from the step source bytes starting at k * step, so a table per byte position
// within that span gives the output bits each source byte holds: a row costs one look-up per
// source byte instead of a test per output pixel.
class BilevelThinner {
public:
    BilevelThinner(std::uint32_t sourceWidth, std::uint32_t step);

    // ceil(sourceWidth / step) pixels.
    std::uint32_t width() const { return m_width; }

    // row: (sourceWidth + 7) / 8 bytes. The thinned row, valid until the next call, with the bits
    // beyond width() cleared.
    const std::uint8_t* thin(const std::uint8_t* row);

private:
    std::uint32_t m_sourceBytes;
    std::uint32_t m_step;
    std::uint32_t m_width;
    std::vector<std::uint8_t> m_tables; // step tables of 256 entries
    std::vector<std::uint8_t> m_padded; // the source row, followed by step zero bytes
    std::vector<std::uint8_t> m_out;
};
