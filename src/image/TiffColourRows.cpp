#include "image/TiffColourRows.h"

#include <cstring>
#include <tiffio.h>

bool TiffColourRows::open(const TiffPageTags& tags) {
    m_width = tags.width;
    m_bits = tags.bitsPerSample;
    m_samples = tags.samplesPerPixel;
    m_invert = false;
    m_colours.clear();
    const bool depthKnown =
        m_bits == 1 || m_bits == 2 || m_bits == 4 || m_bits == 8 || m_bits == 16;
    if (!depthKnown || tags.sampleFormat != SAMPLEFORMAT_UINT ||
        (tags.planarConfig != PLANARCONFIG_CONTIG && m_samples > 1)) {
        return false;
    }
    m_palette = tags.photometric == PHOTOMETRIC_PALETTE;
    const bool grey =
        tags.photometric == PHOTOMETRIC_MINISBLACK || tags.photometric == PHOTOMETRIC_MINISWHITE;
    if (m_palette) {
        if (m_samples != 1 || m_bits > 8 || tags.palette.size() != (1u << m_bits)) {
            return false;
        }
        m_colours = tags.palette;
        m_channels = 3;
    } else if (grey && (m_samples == 1 || m_samples == 2)) {
        m_channels = 1;
        m_invert = tags.photometricStated && tags.photometric == PHOTOMETRIC_MINISWHITE;
        if (m_bits < 8) {
            // The sample scale: 1 bit 255, 2 bits 85, 4 bits 17.
            for (std::uint32_t v = 0; v < (1u << m_bits); ++v) {
                m_colours.push_back(v * 255 / ((1u << m_bits) - 1));
            }
        }
    } else if (tags.photometric == PHOTOMETRIC_RGB && m_samples >= 3 && m_bits >= 8) {
        m_channels = 3;
    } else {
        return false;
    }
    m_out.assign(static_cast<std::size_t>(m_width) * m_channels, 0);
    return true;
}

std::uint32_t TiffColourRows::sample(const std::uint8_t* row, std::size_t index) const {
    switch (m_bits) {
    case 8:
        return row[index];
    case 16: {
        std::uint16_t value = 0;
        std::memcpy(&value, row + 2 * index, 2); // native byte order, as libtiff decodes
        return value >> 8;
    }
    default: {
        const std::size_t bit = index * static_cast<std::size_t>(m_bits);
        const unsigned shift = 8 - static_cast<unsigned>(m_bits) - bit % 8;
        return (row[bit / 8] >> shift) & ((1u << m_bits) - 1);
    }
    }
}

const std::uint8_t* TiffColourRows::convert(const std::uint8_t* row) {
    if (m_bits == 8 && m_samples == m_channels && !m_invert && !m_palette) {
        return row;
    }
    std::uint8_t* out = m_out.data();
    const auto samples = static_cast<std::size_t>(m_samples);
    for (std::uint32_t x = 0; x < m_width; ++x) {
        const std::size_t first = x * samples;
        if (m_palette) {
            const std::uint32_t rgb = m_colours[sample(row, first)];
            *out++ = static_cast<std::uint8_t>(rgb >> 16);
            *out++ = static_cast<std::uint8_t>(rgb >> 8);
            *out++ = static_cast<std::uint8_t>(rgb);
        } else if (m_channels == 1) {
            std::uint32_t value = sample(row, first);
            value = m_bits < 8 ? m_colours[value] : value;
            *out++ = static_cast<std::uint8_t>(m_invert ? 255 - value : value);
        } else {
            for (std::size_t c = 0; c < 3; ++c) {
                *out++ = static_cast<std::uint8_t>(sample(row, first + c));
            }
        }
    }
    return m_out.data();
}
