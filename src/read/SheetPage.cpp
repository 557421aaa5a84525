#include "read/SheetPage.h"

#include "image/BitmapFileType.h"
#include "image/ImageLibrary.h"
#include "image/ImageLibraryFiles.h"
#include "image/TiffRowReader.h"

#include <leptonica/allheaders.h>

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>

namespace {

// The largest grey copy kept for the codes.
constexpr std::uint64_t kMaxGreyBytes = 256ull << 20;

ReadFailure failureOf(int result) {
    switch (result) {
    case ImageLibrary::ErrFileNotFound:
        return ReadFailure::Missing;
    case ImageLibrary::ErrImageTooLarge:
    case ImageLibrary::ErrNoMemory:
        return ReadFailure::TooLarge;
    case ImageLibrary::ErrFileFormat:
    case ImageLibrary::ErrUnsupported:
        return ReadFailure::Unreadable;
    default:
        return ReadFailure::Damaged;
    }
}

// Black pixels per bit pattern of one byte.
constexpr std::array<std::uint8_t, 256> kBitCount = [] {
    std::array<std::uint8_t, 256> t{};
    for (int i = 0; i < 256; ++i) {
        t[i] = static_cast<std::uint8_t>(std::popcount(static_cast<unsigned>(i)));
    }
    return t;
}();

// Copies bits [x, x + width) of a packed row (first pixel in the high bit) into a 1-bit PIX row,
// inverted when the source keeps black as 0.
void copyBits(const std::uint8_t* src, int x, int width, bool invert, l_uint32* line) {
    const int shift = x & 7;
    const std::uint8_t* from = src + (x >> 3);
    const int bytes = (width + 7) / 8;
    const int lastBits = width - (bytes - 1) * 8;
    for (int j = 0; j < bytes; ++j) {
        unsigned b = static_cast<unsigned>(from[j]) << shift;
        if (shift != 0 && (j * 8 + 8 - shift) < width) {
            b |= from[j + 1] >> (8 - shift);
        }
        b &= 0xffu;
        if (invert) {
            b = ~b & 0xffu;
        }
        if (j == bytes - 1) {
            b &= (0xffu << (8 - lastBits)) & 0xffu;
        }
        SET_DATA_BYTE(line, j, b);
    }
}

} // namespace

int SheetPage::greyFactor(int dpi, std::uint32_t width, std::uint32_t height) {
    int factor =
        dpi >= kCodeDpi * 3 / 2 ? static_cast<int>(std::lround(double(dpi) / kCodeDpi)) : 1;
    factor = std::max(factor, 1);
    while (std::uint64_t(width / factor + 1) * (height / factor + 1) > kMaxGreyBytes) {
        ++factor;
    }
    return factor;
}

SheetPage::PixelRect SheetPage::pixelRect(const ReadRegion& region, int width, int height) {
    auto at = [](double f, int extent) {
        return std::clamp(static_cast<int>(std::lround(f * extent)), 0, extent);
    };
    PixelRect r;
    r.x = at(std::min(region.left, region.right), width);
    r.y = at(std::min(region.top, region.bottom), height);
    r.width = at(std::max(region.left, region.right), width) - r.x;
    r.height = at(std::max(region.top, region.bottom), height) - r.y;
    if (r.width <= 0 || r.height <= 0) {
        r.width = 0;
        r.height = 0;
    }
    return r;
}

void SheetPage::setGrey(std::vector<std::uint8_t> grey, int width, int height) {
    m_grey = std::move(grey);
    m_greyWidth = width;
    m_greyHeight = height;
}

ReadFailure SheetPage::load(const std::string& path, const std::vector<ReadRegion>& regions) {
    ImageLibraryFiles::silenceLibraries();
    m_regions.clear();
    m_regions.resize(regions.size());
    setGrey({}, 0, 0);
    if (BitmapFileType::detect(path) == BitmapFileType::Tiff) {
        TiffRowReader probe;
        if (probe.open(path, 1) == ImageLibrary::Success && probe.tags().isStreamableBilevel() &&
            !probe.tags().tiled) {
            return streamBilevel(path, regions);
        }
    }
    return loadWhole(path, regions);
}

ReadFailure SheetPage::streamBilevel(const std::string& path,
                                     const std::vector<ReadRegion>& regions) {
    TiffRowReader reader;
    if (const int result = reader.open(path, 1); result != ImageLibrary::Success) {
        return failureOf(result);
    }
    const TiffPageTags& tags = reader.tags();
    if (tags.width > ImageLibrary::MaxSide || tags.height > ImageLibrary::MaxSide) {
        return ReadFailure::TooLarge;
    }
    const int width = static_cast<int>(tags.width);
    const int height = static_cast<int>(tags.height);
    m_dpi = std::max(tags.xDpi(), tags.yDpi());
    const bool invert = tags.photometric == 1; // black is 0 on a MinIsBlack page
    const int factor = greyFactor(m_dpi, tags.width, tags.height);
    const int gw = (width + factor - 1) / factor;
    const int gh = (height + factor - 1) / factor;

    std::vector<PixelRect> rects;
    for (std::size_t i = 0; i < regions.size(); ++i) {
        rects.push_back(pixelRect(regions[i], width, height));
        const PixelRect& r = rects.back();
        if (r.width > 0) {
            m_regions[i].reset(pixCreate(r.width, r.height, 1));
            if (!m_regions[i]) {
                return ReadFailure::TooLarge;
            }
            pixSetResolution(m_regions[i].get(), m_dpi, m_dpi);
        }
    }

    std::vector<std::uint8_t> grey(std::size_t(gw) * gh, 255);
    std::vector<std::uint32_t> black(static_cast<std::size_t>(gw), 0);
    const int cell = factor * factor;
    for (int y = 0; y < height; ++y) {
        const std::uint8_t* row = reader.nextRow();
        if (row == nullptr) {
            return ReadFailure::Damaged;
        }
        const int rowBytes = (width + 7) / 8;
        for (int j = 0; j < rowBytes; ++j) {
            const std::uint8_t b = invert ? static_cast<std::uint8_t>(~row[j]) : row[j];
            if (b == 0) {
                continue;
            }
            if (factor >= 8 || (8 % factor) != 0) {
                for (int bit = 0; bit < 8 && j * 8 + bit < width; ++bit) {
                    if (b & (0x80 >> bit)) {
                        ++black[static_cast<std::size_t>((j * 8 + bit) / factor)];
                    }
                }
            } else {
                const int per = 8 / factor; // grey pixels covered by this byte
                for (int k = 0; k < per; ++k) {
                    const unsigned part = (b >> (8 - factor * (k + 1))) & ((1u << factor) - 1);
                    const int gx = (j * 8) / factor + k;
                    if (part != 0 && gx < gw) {
                        black[static_cast<std::size_t>(gx)] += kBitCount[part];
                    }
                }
            }
        }
        for (std::size_t i = 0; i < rects.size(); ++i) {
            const PixelRect& r = rects[i];
            if (r.width > 0 && y >= r.y && y < r.y + r.height) {
                Pix* pix = m_regions[i].get();
                copyBits(row, r.x, r.width, invert,
                         pixGetData(pix) + std::size_t(y - r.y) * pixGetWpl(pix));
            }
        }
        if ((y + 1) % factor == 0 || y + 1 == height) {
            std::uint8_t* out = grey.data() + std::size_t(y / factor) * gw;
            for (int gx = 0; gx < gw; ++gx) {
                out[gx] = static_cast<std::uint8_t>(255 - black[gx] * 255 / cell);
                black[gx] = 0;
            }
        }
    }
    setGrey(std::move(grey), gw, gh);
    return ReadFailure::None;
}

ReadFailure SheetPage::loadWhole(const std::string& path, const std::vector<ReadRegion>& regions) {
    const BitmapFileType::Kind kind = BitmapFileType::detect(path);
    if (kind == BitmapFileType::Unknown) {
        ImageLibrary::PageInfo info;
        return failureOf(ImageLibrary::pageInfo(path, 1, info));
    }
    PixHandle page;
    const int result = kind == BitmapFileType::Pdf
                           ? ImageLibrary::loadPdfPage(path, 1, kPdfDpi, page)
                           : ImageLibrary::loadPage(path, 1, page);
    if (result != ImageLibrary::Success) {
        return failureOf(result);
    }
    m_dpi = kind == BitmapFileType::Pdf ? static_cast<int>(kPdfDpi)
                                        : std::max(page.xResolution(), page.yResolution());
    PixHandle grey8(pixConvertTo8(page.get(), 0));
    if (!grey8) {
        return ReadFailure::TooLarge;
    }
    page.reset();
    const int width = grey8.width();
    const int height = grey8.height();
    for (std::size_t i = 0; i < regions.size(); ++i) {
        const PixelRect r = pixelRect(regions[i], width, height);
        if (r.width > 0) {
            Box* box = boxCreate(r.x, r.y, r.width, r.height);
            m_regions[i].reset(pixClipRectangle(grey8.get(), box, nullptr));
            boxDestroy(&box);
            pixSetResolution(m_regions[i].get(), m_dpi, m_dpi);
        }
    }
    const int factor =
        greyFactor(m_dpi, static_cast<std::uint32_t>(width), static_cast<std::uint32_t>(height));
    PixHandle reduced(factor == 1 ? pixClone(grey8.get())
                                  : pixScaleAreaMap(grey8.get(), 1.0f / factor, 1.0f / factor));
    if (!reduced) {
        return ReadFailure::TooLarge;
    }
    const int gw = reduced.width();
    const int gh = reduced.height();
    std::vector<std::uint8_t> grey(std::size_t(gw) * gh);
    for (int y = 0; y < gh; ++y) {
        const l_uint32* line =
            pixGetData(reduced.get()) + std::size_t(y) * pixGetWpl(reduced.get());
        for (int x = 0; x < gw; ++x) {
            grey[std::size_t(y) * gw + x] = static_cast<std::uint8_t>(GET_DATA_BYTE(line, x));
        }
    }
    setGrey(std::move(grey), gw, gh);
    return ReadFailure::None;
}
