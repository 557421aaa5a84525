#include "image/BilevelThinner.h"

#include <algorithm>
#include <cstring>

namespace {

// Beyond this step a row has so few output pixels that testing them one by one costs less than
// building the tables.
constexpr std::uint32_t MaxTabledStep = 64;

} // namespace

BilevelThinner::BilevelThinner(std::uint32_t sourceWidth, std::uint32_t step)
    : m_sourceBytes((sourceWidth + 7) / 8), m_step(std::max<std::uint32_t>(1, step)),
      m_width((sourceWidth + m_step - 1) / m_step) {
    m_out.assign((m_width + 7) / 8, 0);
    if (m_step > MaxTabledStep) {
        return;
    }
    m_padded.assign(m_sourceBytes + m_step, 0);
    m_tables.assign(static_cast<std::size_t>(m_step) * 256, 0);
    for (std::uint32_t bit = 0; bit < 8; ++bit) {
        const std::uint32_t from = bit * m_step; // source pixel within the span
        std::uint8_t* table = m_tables.data() + static_cast<std::size_t>(from / 8) * 256;
        for (std::uint32_t value = 0; value < 256; ++value) {
            if (value & (0x80u >> (from % 8))) {
                table[value] |= static_cast<std::uint8_t>(0x80u >> bit);
            }
        }
    }
}

const std::uint8_t* BilevelThinner::thin(const std::uint8_t* row) {
    const std::size_t outBytes = m_out.size();
    if (m_tables.empty()) {
        std::fill(m_out.begin(), m_out.end(), 0);
        for (std::uint32_t x = 0, from = 0; x < m_width; ++x, from += m_step) {
            if (row[from >> 3] & (0x80u >> (from & 7))) {
                m_out[x >> 3] |= static_cast<std::uint8_t>(0x80u >> (x & 7));
            }
        }
        return m_out.data();
    }
    std::memcpy(m_padded.data(), row, m_sourceBytes);
    const std::uint8_t* source = m_padded.data();
    if (m_step == 1) {
        std::memcpy(m_out.data(), source, outBytes);
    } else if (m_step == 2) {
        const std::uint8_t* even = m_tables.data();
        const std::uint8_t* odd = even + 256;
        for (std::size_t k = 0; k < outBytes; ++k, source += 2) {
            m_out[k] = even[source[0]] | odd[source[1]];
        }
    } else {
        for (std::size_t k = 0; k < outBytes; ++k, source += m_step) {
            std::uint8_t bits = 0;
            const std::uint8_t* table = m_tables.data();
            for (std::uint32_t i = 0; i < m_step; ++i, table += 256) {
                bits |= table[source[i]];
            }
            m_out[k] = bits;
        }
    }
    if (m_width % 8 != 0) {
        m_out[outBytes - 1] &= static_cast<std::uint8_t>(0xff00u >> (m_width % 8));
    }
    return m_out.data();
}
