#pragma once

#include "image/TiffHandle.h"
#include "image/TiffPageTags.h"

#include <cstdint>
#include <string>
#include <vector>

// Reads one page of a TIFF file row by row (strip-organised pages only), holding one row at a time.
class TiffRowReader {
public:
    // page is 1-based. Returns an image library result code (1 on success).
    int open(const std::string& path, int page);

    const TiffPageTags& tags() const { return m_tags; }
    // Bytes per decoded row.
    std::size_t rowBytes() const { return m_row.size(); }

    // Decodes the next row; nullptr at the end of the page or when the data is damaged.
    const std::uint8_t* nextRow();

private:
    TiffHandle m_tiff;
    TiffPageTags m_tags;
    std::vector<std::uint8_t> m_row;
    std::uint32_t m_next = 0;
};
