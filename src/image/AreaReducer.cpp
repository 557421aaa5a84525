#include "image/AreaReducer.h"

#include <algorithm>
#include <type_traits>

namespace {

// Sums each block of a row of column sums and rounds the mean. Block is a std::uint32_t or, for
// the common factors, a compile-time constant that lets the compiler unroll and divide by a
// constant.
template <std::size_t Channels, typename Block>
void meansOf(const std::uint16_t* columns, std::uint8_t* out, std::uint32_t width, Block block,
             Block rows) {
    const std::uint32_t count = block * rows;
    for (std::uint32_t x = 0; x < width; ++x, columns += block * Channels, out += Channels) {
        for (std::size_t c = 0; c < Channels; ++c) {
            std::uint32_t sum = 0;
            for (std::uint32_t k = 0; k < block; ++k) {
                sum += columns[k * Channels + c];
            }
            out[c] = static_cast<std::uint8_t>((sum + count / 2) / count);
        }
    }
}

template <std::size_t Channels>
void meansOf(const std::uint16_t* columns, std::uint8_t* out, std::uint32_t width,
             std::uint32_t block, std::uint32_t rows) {
    using Two = std::integral_constant<std::uint32_t, 2>;
    using Six = std::integral_constant<std::uint32_t, 6>;
    if (block == rows && block == 2) {
        meansOf<Channels>(columns, out, width, Two{}, Two{});
    } else if (block == rows && block == 6) {
        meansOf<Channels>(columns, out, width, Six{}, Six{});
    } else {
        meansOf<Channels, std::uint32_t>(columns, out, width, block, rows);
    }
}

// Column sums first: one add per sample, in runs of a fixed length over buffers known not to
// overlap, which the compiler turns into vector adds.
void addToColumns(std::uint16_t* __restrict columns, const std::uint8_t* __restrict row,
                  std::size_t samples) {
    constexpr std::size_t Run = 32;
    std::size_t i = 0;
    for (; i + Run <= samples; i += Run) {
        for (std::size_t k = 0; k < Run; ++k) {
            columns[i + k] = static_cast<std::uint16_t>(columns[i + k] + row[i + k]);
        }
    }
    for (; i < samples; ++i) {
        columns[i] = static_cast<std::uint16_t>(columns[i] + row[i]);
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
    m_columns.assign(static_cast<std::size_t>(m_width) * m_blockWidth * m_channels, 0);
    m_out.assign(m_width * m_channels, 0);
}

const std::uint8_t* AreaReducer::add(const std::uint8_t* row) {
    if (m_row >= m_height * m_blockHeight) {
        ++m_row;
        return nullptr;
    }
    std::uint16_t* columns = m_columns.data();
    addToColumns(columns, row, m_columns.size());
    ++m_row;
    if (m_row % m_blockHeight != 0) {
        return nullptr;
    }
    if (m_channels == 3) {
        meansOf<3>(columns, m_out.data(), m_width, m_blockWidth, m_blockHeight);
    } else {
        meansOf<1>(columns, m_out.data(), m_width, m_blockWidth, m_blockHeight);
    }
    std::fill(m_columns.begin(), m_columns.end(), 0);
    return m_out.data();
}
