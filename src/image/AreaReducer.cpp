#include "image/AreaReducer.h"

#include <algorithm>

namespace {

template <std::size_t Channels, std::uint32_t Block>
void addBlocks(const std::uint8_t* row, std::uint32_t* sums, std::uint32_t width) {
    for (std::uint32_t x = 0; x < width; ++x, sums += Channels) {
        for (std::uint32_t k = 0; k < Block; ++k, row += Channels) {
            for (std::size_t c = 0; c < Channels; ++c) {
                sums[c] += row[c];
            }
        }
    }
}

template <std::size_t Channels>
void addBlocks(const std::uint8_t* row, std::uint32_t* sums, std::uint32_t width,
               std::uint32_t block) {
    switch (block) {
    case 2:
        return addBlocks<Channels, 2>(row, sums, width);
    case 6:
        return addBlocks<Channels, 6>(row, sums, width);
    default:
        break;
    }
    for (std::uint32_t x = 0; x < width; ++x, sums += Channels) {
        for (std::uint32_t k = 0; k < block; ++k, row += Channels) {
            for (std::size_t c = 0; c < Channels; ++c) {
                sums[c] += row[c];
            }
        }
    }
}

} // namespace

AreaReducer::AreaReducer(std::uint32_t sourceWidth, std::uint32_t sourceHeight, int channels,
                         std::uint32_t factor)
    : m_width(std::max<std::uint32_t>(1, sourceWidth / std::max<std::uint32_t>(1, factor))),
      m_height(std::max<std::uint32_t>(1, sourceHeight / std::max<std::uint32_t>(1, factor))),
      m_blockWidth(std::min(std::max<std::uint32_t>(1, factor), sourceWidth)),
      m_blockHeight(std::min(std::max<std::uint32_t>(1, factor), sourceHeight)),
      m_channels(static_cast<std::size_t>(channels)) {
    m_sums.assign(m_width * m_channels, 0);
    m_out.assign(m_width * m_channels, 0);
}

const std::uint8_t* AreaReducer::add(const std::uint8_t* row) {
    if (m_row >= m_height * m_blockHeight) {
        ++m_row;
        return nullptr;
    }
    if (m_channels == 3) {
        addBlocks<3>(row, m_sums.data(), m_width, m_blockWidth);
    } else {
        addBlocks<1>(row, m_sums.data(), m_width, m_blockWidth);
    }
    ++m_row;
    if (m_row % m_blockHeight != 0) {
        return nullptr;
    }
    const std::uint32_t count = m_blockWidth * m_blockHeight;
    const std::uint32_t half = count / 2;
    if ((count & (count - 1)) == 0) {
        const int shift = __builtin_ctz(count);
        for (std::size_t i = 0; i < m_sums.size(); ++i) {
            m_out[i] = static_cast<std::uint8_t>((m_sums[i] + half) >> shift);
        }
    } else {
        for (std::size_t i = 0; i < m_sums.size(); ++i) {
            m_out[i] = static_cast<std::uint8_t>((m_sums[i] + half) / count);
        }
    }
    std::fill(m_sums.begin(), m_sums.end(), 0);
    return m_out.data();
}
