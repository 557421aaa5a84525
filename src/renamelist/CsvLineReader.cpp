#include "renamelist/CsvLineReader.h"

#include "base/RegularFile.h"

namespace {

constexpr std::size_t kChunkBytes = 1 << 16;

} // namespace

CsvLineReader::CsvLineReader(const std::string& path)
    : m_file(RegularFile(path).releaseToStream()) {
    if (m_file) {
        m_chunk.resize(kChunkBytes);
    }
}

int CsvLineReader::rawGet() {
    if (m_pushedBack >= 0) {
        const int c = m_pushedBack;
        m_pushedBack = -1;
        return c;
    }
    if (m_pos == m_end) {
        m_pos = 0;
        m_end = std::fread(m_chunk.data(), 1, m_chunk.size(), m_file.get());
        if (m_end == 0) {
            return -1;
        }
    }
    return static_cast<unsigned char>(m_chunk[m_pos++]);
}

int CsvLineReader::get() {
    const int c = rawGet();
    if (c != '\r') {
        return c;
    }
    const int following = rawGet();
    if (following == '\n') {
        return '\n';
    }
    if (following >= 0) {
        unget(following);
    }
    return c;
}

bool CsvLineReader::next(std::string& line) {
    line.clear();
    if (!m_file) {
        return false;
    }
    while (line.size() < kBufferBytes - 1) {
        const int c = get();
        if (c < 0) {
            break;
        }
        line.push_back(static_cast<char>(c));
        if (c == '\n') {
            break;
        }
    }
    return !line.empty();
}
