#pragma once

#include "image/TiffHandle.h"
#include "image/TiffPageTags.h"

#include <cstdint>
#include <string>
#include <vector>

// Reads one page of a TIFF file row by row, holding one row at a time for pages stored in strips
// and one band of tile rows for pages stored in tiles. The file is read, not memory-mapped, so
// that a large page never counts against the process's memory.
class TiffRowReader {
public:
    // page is 1-based. Returns an image library result code (1 on success). YCbCr pages stored
    // as JPEG are delivered as RGB.
    int open(const std::string& path, int page);

    const TiffPageTags& tags() const { return m_tags; }
    // Bytes per decoded row.
    std::size_t rowBytes() const { return m_rowBytes; }

    // Decodes the next row; nullptr at the end of the page or when the data is damaged.
    const std::uint8_t* nextRow();

private:
    bool readTileBand();

    TiffHandle m_tiff;
    TiffPageTags m_tags;
    std::size_t m_rowBytes = 0;
    std::vector<std::uint8_t> m_band; // one row, or tileLength rows of whole tiles
    std::vector<std::uint8_t> m_tile;
    std::uint32_t m_next = 0;
    std::uint32_t m_bandTop = 0;
    std::uint32_t m_bandRows = 0;
};
