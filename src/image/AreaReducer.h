#pragma once

#include <cstdint>
#include <vector>

// Reduces a page fed row by row to the means of factor x factor blocks: the result is
// max(1, width / factor) x max(1, height / factor) pixels, the source's last partial blocks left
// out (a side shorter than the factor makes one block of what there is). Holds one row of column
// sums, never the page.
class AreaReducer {
public:
    // Column sums of this many rows of 8-bit samples still fit 16 bits.
    static constexpr std::uint32_t MaxFactor = 257;

    // channels: 8-bit samples per pixel (1 grey, 3 RGB); factor at most MaxFactor.
    AreaReducer(std::uint32_t sourceWidth, std::uint32_t sourceHeight, int channels,
                std::uint32_t factor);

    std::uint32_t width() const { return m_width; }
    std::uint32_t height() const { return m_height; }

    // Adds the next source row (sourceWidth x channels bytes). Returns the output row this row
    // completes (width() x channels bytes, valid until the next call), else nullptr.
    const std::uint8_t* add(const std::uint8_t* row);

private:
    std::uint32_t m_width;
    std::uint32_t m_height;
    std::uint32_t m_blockWidth;
    std::uint32_t m_blockHeight;
    std::size_t m_channels;
    std::uint32_t m_row = 0;              // source rows added
    std::vector<std::uint16_t> m_columns; // per source sample of the used width
    std::vector<std::uint8_t> m_out;
};
