#pragma once

#include "image/PixHandle.h"
#include "read/SheetReading.h"

#include <cstdint>
#include <string>
#include <vector>

// The first page of an image file as the reader needs it, decoded once: an 8-bit grey copy
// reduced to about 200 dpi for the codes, and the requested regions cut at the page's own
// resolution for the text. A 1-bit TIFF page is streamed row by row and never held whole.
class SheetPage {
public:
    // The resolution the grey copy is reduced towards.
    static constexpr int kCodeDpi = 200;
    // PDF pages are drawn at this resolution.
    static constexpr double kPdfDpi = 300.0;

    // Loads the page.
    ReadFailure load(const std::string& path, const std::vector<ReadRegion>& regions);

    const std::vector<std::uint8_t>& grey() const { return m_grey; }
    int greyWidth() const { return m_greyWidth; }
    int greyHeight() const { return m_greyHeight; }

    // The cut of regions[i] (1 or 8 bits per pixel; empty when the region lies off the page).
    const PixHandle& region(std::size_t i) const { return m_regions.at(i); }
    int dpi() const { return m_dpi; }

    // The reduction factor of the grey copy for a page of this resolution and size: about
    // kCodeDpi, and never a copy larger than the memory cap.
    static int greyFactor(int dpi, std::uint32_t width, std::uint32_t height);
    // The pixel rectangle of a region on a page: x, y, width, height (width 0 when empty).
    struct PixelRect {
        int x = 0;
        int y = 0;
        int width = 0;
        int height = 0;
    };
    static PixelRect pixelRect(const ReadRegion& region, int width, int height);

private:
    ReadFailure streamBilevel(const std::string& path, const std::vector<ReadRegion>& regions);
    ReadFailure loadWhole(const std::string& path, const std::vector<ReadRegion>& regions);
    void setGrey(std::vector<std::uint8_t> grey, int width, int height);

    std::vector<std::uint8_t> m_grey;
    int m_greyWidth = 0;
    int m_greyHeight = 0;
    std::vector<PixHandle> m_regions;
    int m_dpi = 0;
};
