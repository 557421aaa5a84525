#include "support/ImageFixtures.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <tiffio.h>

namespace {

void silence() {
    TIFFSetErrorHandler(nullptr);
    TIFFSetWarningHandler(nullptr);
}

void put16(std::string& out, std::uint16_t v) {
    out.push_back(static_cast<char>(v & 0xff));
    out.push_back(static_cast<char>(v >> 8));
}

void put32(std::string& out, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) {
        out.push_back(static_cast<char>((v >> (8 * i)) & 0xff));
    }
}

std::vector<std::uint8_t> makeRow(const ImageFixtures::TiffLayout& layout, std::uint32_t y,
                                  int page) {
    std::vector<std::uint8_t> row;
    if (layout.bitsPerSample == 1) {
        row.assign((layout.width + 7) / 8, 0);
        const bool blackIsOne = layout.photometric == PHOTOMETRIC_MINISWHITE;
        for (std::uint32_t x = 0; x < layout.width; ++x) {
            if (ImageFixtures::patternBlack(x, y, page) == blackIsOne) {
                row[x / 8] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
            }
        }
        return row;
    }
    row.reserve(static_cast<std::size_t>(layout.width) * layout.samplesPerPixel);
    for (std::uint32_t x = 0; x < layout.width; ++x) {
        if (layout.samplesPerPixel == 3) {
            const std::uint32_t rgb = ImageFixtures::patternRgb(x, y, page);
            row.push_back(static_cast<std::uint8_t>(rgb >> 16));
            row.push_back(static_cast<std::uint8_t>(rgb >> 8));
            row.push_back(static_cast<std::uint8_t>(rgb));
        } else {
            row.push_back(ImageFixtures::patternGrey(x, y, page));
        }
    }
    return row;
}

// Writes the page's rows as tiles, the parts beyond the page's edges left zero.
bool writeTiles(TIFF* tif, const ImageFixtures::TiffLayout& layout, int page) {
    const std::size_t bits =
        static_cast<std::size_t>(layout.bitsPerSample) * layout.samplesPerPixel;
    const std::size_t rowBytes = makeRow(layout, 0, page).size();
    const std::size_t tileBytes = layout.tileWidth * bits / 8;
    std::vector<std::uint8_t> tile(tileBytes * layout.tileLength);
    for (std::uint32_t top = 0; top < layout.height; top += layout.tileLength) {
        std::vector<std::vector<std::uint8_t>> rows;
        for (std::uint32_t y = top; y < std::min(layout.height, top + layout.tileLength); ++y) {
            rows.push_back(makeRow(layout, y, page));
        }
        for (std::uint32_t left = 0; left < layout.width; left += layout.tileWidth) {
            std::fill(tile.begin(), tile.end(), 0);
            const std::size_t from = left * bits / 8;
            for (std::size_t r = 0; r < rows.size(); ++r) {
                const std::size_t count = std::min(tileBytes, rowBytes - from);
                std::copy_n(rows[r].begin() + static_cast<std::ptrdiff_t>(from), count,
                            tile.begin() + static_cast<std::ptrdiff_t>(r * tileBytes));
            }
            if (TIFFWriteTile(tif, tile.data(), left, top, 0, 0) < 0) {
                return false;
            }
        }
    }
    return true;
}

} // namespace

bool ImageFixtures::patternBlack(std::uint32_t x, std::uint32_t y, int page) {
    if (x == 0 || y == 0) {
        return true;
    }
    return ((x / 7) + (y / 5) + static_cast<std::uint32_t>(page)) % 3 == 0;
}

std::uint8_t ImageFixtures::patternGrey(std::uint32_t x, std::uint32_t y, int page) {
    return static_cast<std::uint8_t>((x * 3 + y * 7 + static_cast<std::uint32_t>(page) * 40) % 256);
}

std::uint32_t ImageFixtures::patternRgb(std::uint32_t x, std::uint32_t y, int page) {
    const std::uint32_t r = (x * 5 + static_cast<std::uint32_t>(page) * 30) % 256;
    const std::uint32_t g = (y * 3) % 256;
    const std::uint32_t b = (x + y) % 256;
    return r << 16 | g << 8 | b;
}

bool ImageFixtures::writeTiff(const std::string& path, const TiffLayout& layout) {
    silence();
    TIFF* tif = TIFFOpen(path.c_str(), "w");
    if (tif == nullptr) {
        return false;
    }
    bool ok = true;
    for (int page = 0; ok && page < layout.pages; ++page) {
        const bool grey = layout.bitsPerSample != 1 || layout.samplesPerPixel != 1;
        const int subfileType = layout.subfileType >= 0 ? layout.subfileType
                                : layout.pages > 1      ? FILETYPE_PAGE
                                                        : 0;
        TIFFSetField(tif, TIFFTAG_SUBFILETYPE, subfileType);
        TIFFSetField(tif, TIFFTAG_IMAGEWIDTH, layout.width);
        TIFFSetField(tif, TIFFTAG_IMAGELENGTH, layout.height);
        TIFFSetField(tif, TIFFTAG_BITSPERSAMPLE, layout.bitsPerSample);
        TIFFSetField(tif, TIFFTAG_SAMPLESPERPIXEL, layout.samplesPerPixel);
        TIFFSetField(tif, TIFFTAG_COMPRESSION, layout.compression);
        const bool ycbcr = layout.samplesPerPixel == 3 && layout.compression == COMPRESSION_JPEG;
        TIFFSetField(tif, TIFFTAG_PHOTOMETRIC,
                     ycbcr                         ? PHOTOMETRIC_YCBCR
                     : layout.samplesPerPixel == 3 ? PHOTOMETRIC_RGB
                     : grey                        ? PHOTOMETRIC_MINISBLACK
                                                   : layout.photometric);
        if (ycbcr) {
            // Scanners' colour JPEG: YCbCr stored, RGB handed to and from libtiff.
            TIFFSetField(tif, TIFFTAG_JPEGCOLORMODE, JPEGCOLORMODE_RGB);
            TIFFSetField(tif, TIFFTAG_JPEGQUALITY, 95);
        }
        TIFFSetField(tif, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
        const bool tiled = layout.tileWidth != 0 && layout.tileLength != 0;
        if (tiled) {
            TIFFSetField(tif, TIFFTAG_TILEWIDTH, layout.tileWidth);
            TIFFSetField(tif, TIFFTAG_TILELENGTH, layout.tileLength);
        } else {
            TIFFSetField(tif, TIFFTAG_ROWSPERSTRIP,
                         layout.rowsPerStrip == 0 ? layout.height : layout.rowsPerStrip);
        }
        if (layout.xDpi > 0.0f) {
            TIFFSetField(tif, TIFFTAG_XRESOLUTION, layout.xDpi);
        }
        if (layout.yDpi > 0.0f) {
            TIFFSetField(tif, TIFFTAG_YRESOLUTION, layout.yDpi);
        }
        if (layout.xDpi > 0.0f || layout.yDpi > 0.0f) {
            TIFFSetField(tif, TIFFTAG_RESOLUTIONUNIT, layout.resolutionUnit);
        }
        if (tiled) {
            ok = writeTiles(tif, layout, page);
        }
        for (std::uint32_t y = 0; ok && !tiled && y < layout.height; ++y) {
            std::vector<std::uint8_t> row = makeRow(layout, y, page);
            ok = TIFFWriteScanline(tif, row.data(), y, 0) == 1;
        }
        ok = ok && TIFFWriteDirectory(tif) == 1;
    }
    TIFFClose(tif);
    return ok;
}

void ImageFixtures::writeClaimedSizeTiff(const std::string& path, std::uint32_t width,
                                         std::uint32_t height, std::uint16_t bitsPerSample,
                                         std::uint16_t samplesPerPixel) {
    // Header, then an IFD of 9 entries at offset 8, then 16 bytes of "pixel data".
    const std::uint16_t entries = 9;
    const std::uint32_t dataOffset = 8 + 2 + entries * 12 + 4;
    std::string out = "II";
    put16(out, 42);
    put32(out, 8);
    put16(out, entries);
    auto entry = [&](std::uint16_t tag, std::uint16_t type, std::uint32_t value) {
        put16(out, tag);
        put16(out, type);
        put32(out, 1);
        if (type == 3) {
            put16(out, static_cast<std::uint16_t>(value));
            put16(out, 0);
        } else {
            put32(out, value);
        }
    };
    entry(256, 4, width);           // ImageWidth
    entry(257, 4, height);          // ImageLength
    entry(258, 3, bitsPerSample);   // BitsPerSample
    entry(259, 3, 1);               // Compression: none
    entry(262, 3, 0);               // Photometric: MinIsWhite
    entry(273, 4, dataOffset);      // StripOffsets
    entry(277, 3, samplesPerPixel); // SamplesPerPixel
    entry(278, 4, height);          // RowsPerStrip
    const std::uint64_t claimed = (static_cast<std::uint64_t>(width) + 7) / 8 * height;
    entry(279, 4, static_cast<std::uint32_t>(std::min<std::uint64_t>(claimed, 0xffffffffu)));
    put32(out, 0); // no next IFD
    out.append(16, '\0');
    writeBytes(path, out);
}

bool ImageFixtures::writeWhiteRgbTiff(const std::string& path, std::uint32_t width,
                                      std::uint32_t height, float dpi) {
    silence();
    TIFF* tif = TIFFOpen(path.c_str(), "w");
    if (tif == nullptr) {
        return false;
    }
    TIFFSetField(tif, TIFFTAG_IMAGEWIDTH, width);
    TIFFSetField(tif, TIFFTAG_IMAGELENGTH, height);
    TIFFSetField(tif, TIFFTAG_BITSPERSAMPLE, 8);
    TIFFSetField(tif, TIFFTAG_SAMPLESPERPIXEL, 3);
    TIFFSetField(tif, TIFFTAG_COMPRESSION, COMPRESSION_PACKBITS);
    TIFFSetField(tif, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_RGB);
    TIFFSetField(tif, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
    TIFFSetField(tif, TIFFTAG_ROWSPERSTRIP, 1);
    TIFFSetField(tif, TIFFTAG_XRESOLUTION, dpi);
    TIFFSetField(tif, TIFFTAG_YRESOLUTION, dpi);
    TIFFSetField(tif, TIFFTAG_RESOLUTIONUNIT, RESUNIT_INCH);
    // PackBits: a run of n (2..128) equal bytes is the count byte 257 - n, then the byte.
    std::string row;
    for (std::size_t left = static_cast<std::size_t>(width) * 3; left > 0;) {
        const std::size_t run = std::min<std::size_t>(left, 128);
        if (run == 1) {
            row += '\0';
        } else {
            row += static_cast<char>(257 - run);
        }
        row += '\xff';
        left -= run;
    }
    bool ok = true;
    for (std::uint32_t strip = 0; ok && strip < height; ++strip) {
        ok = TIFFWriteRawStrip(tif, strip, row.data(), static_cast<tmsize_t>(row.size())) >= 0;
    }
    ok = ok && TIFFWriteDirectory(tif) == 1;
    TIFFClose(tif);
    return ok;
}

void ImageFixtures::writeTruncatedCopy(const std::string& source, const std::string& target,
                                       std::size_t keepBytes) {
    std::ifstream in(source, std::ios::binary);
    std::ostringstream all;
    all << in.rdbuf();
    writeBytes(target, all.str().substr(0, keepBytes));
}

std::size_t ImageFixtures::fileSize(const std::string& path) {
    std::error_code error;
    const auto size = std::filesystem::file_size(path, error);
    return error ? 0 : static_cast<std::size_t>(size);
}

void ImageFixtures::writeBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

void ImageFixtures::writePdf(const std::string& path, int pages, double widthPt, double heightPt) {
    // Objects: 1 catalog, 2 page tree, then per page a page object and its content stream.
    std::vector<std::string> objects;
    std::string kids;
    for (int i = 0; i < pages; ++i) {
        kids += std::to_string(3 + 2 * i) + " 0 R ";
    }
    objects.push_back("<< /Type /Catalog /Pages 2 0 R >>");
    objects.push_back("<< /Type /Pages /Kids [" + kids + "] /Count " + std::to_string(pages) +
                      " >>");
    char box[96];
    std::snprintf(box, sizeof box, "[0 0 %.2f %.2f]", widthPt, heightPt);
    const std::string content = "0 g 36 36 100 100 re f\n";
    for (int i = 0; i < pages; ++i) {
        objects.push_back("<< /Type /Page /Parent 2 0 R /MediaBox " + std::string(box) +
                          " /Contents " + std::to_string(4 + 2 * i) + " 0 R >>");
        objects.push_back("<< /Length " + std::to_string(content.size()) + " >>\nstream\n" +
                          content + "endstream");
    }
    std::string out = "%PDF-1.4\n";
    std::vector<std::size_t> offsets;
    for (std::size_t i = 0; i < objects.size(); ++i) {
        offsets.push_back(out.size());
        out += std::to_string(i + 1) + " 0 obj\n" + objects[i] + "\nendobj\n";
    }
    const std::size_t xref = out.size();
    out += "xref\n0 " + std::to_string(objects.size() + 1) + "\n0000000000 65535 f \n";
    for (std::size_t offset : offsets) {
        char line[24];
        std::snprintf(line, sizeof line, "%010zu 00000 n \n", offset);
        out += line;
    }
    out += "trailer\n<< /Size " + std::to_string(objects.size() + 1) +
           " /Root 1 0 R >>\nstartxref\n" + std::to_string(xref) + "\n%%EOF\n";
    writeBytes(path, out);
}

std::vector<ImageFixtures::PageFacts> ImageFixtures::readTiffPages(const std::string& path) {
    silence();
    std::vector<PageFacts> pages;
    TIFF* tif = TIFFOpen(path.c_str(), "r");
    if (tif == nullptr) {
        return pages;
    }
    do {
        PageFacts facts;
        std::uint16_t bps = 1;
        std::uint16_t spp = 1;
        std::uint16_t compression = 1;
        std::uint16_t photometric = 0;
        TIFFGetField(tif, TIFFTAG_IMAGEWIDTH, &facts.width);
        TIFFGetField(tif, TIFFTAG_IMAGELENGTH, &facts.height);
        TIFFGetFieldDefaulted(tif, TIFFTAG_BITSPERSAMPLE, &bps);
        TIFFGetFieldDefaulted(tif, TIFFTAG_SAMPLESPERPIXEL, &spp);
        TIFFGetFieldDefaulted(tif, TIFFTAG_COMPRESSION, &compression);
        if (TIFFGetField(tif, TIFFTAG_PHOTOMETRIC, &photometric) == 1) {
            facts.photometric = photometric;
        }
        TIFFGetField(tif, TIFFTAG_XRESOLUTION, &facts.xResolution);
        TIFFGetField(tif, TIFFTAG_YRESOLUTION, &facts.yResolution);
        TIFFGetFieldDefaulted(tif, TIFFTAG_SUBFILETYPE, &facts.subfileType);
        facts.bitsPerSample = bps;
        facts.samplesPerPixel = spp;
        facts.compression = compression;
        facts.strips = static_cast<int>(TIFFNumberOfStrips(tif));
        pages.push_back(facts);
    } while (TIFFReadDirectory(tif) == 1);
    TIFFClose(tif);
    return pages;
}

std::vector<std::uint8_t> ImageFixtures::readBilevelPage(const std::string& path, int page) {
    silence();
    std::vector<std::uint8_t> black;
    TIFF* tif = TIFFOpen(path.c_str(), "r");
    if (tif == nullptr) {
        return black;
    }
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::uint16_t photometric = 0;
    if (TIFFSetDirectory(tif, static_cast<tdir_t>(page - 1)) == 1 &&
        TIFFGetField(tif, TIFFTAG_IMAGEWIDTH, &width) == 1 &&
        TIFFGetField(tif, TIFFTAG_IMAGELENGTH, &height) == 1) {
        TIFFGetField(tif, TIFFTAG_PHOTOMETRIC, &photometric);
        std::vector<std::uint8_t> row(static_cast<std::size_t>(TIFFScanlineSize(tif)));
        black.reserve(static_cast<std::size_t>(width) * height);
        for (std::uint32_t y = 0; y < height; ++y) {
            if (TIFFReadScanline(tif, row.data(), y, 0) != 1) {
                black.clear();
                break;
            }
            for (std::uint32_t x = 0; x < width; ++x) {
                const bool one = row[x / 8] & (0x80 >> (x % 8));
                black.push_back(one == (photometric == PHOTOMETRIC_MINISWHITE) ? 1 : 0);
            }
        }
    }
    TIFFClose(tif);
    return black;
}

std::vector<std::uint32_t> ImageFixtures::readRgbPage(const std::string& path) {
    silence();
    std::vector<std::uint32_t> pixels;
    TIFF* tif = TIFFOpen(path.c_str(), "r");
    if (tif == nullptr) {
        return pixels;
    }
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::uint16_t spp = 0;
    std::uint16_t bps = 0;
    TIFFGetField(tif, TIFFTAG_IMAGEWIDTH, &width);
    TIFFGetField(tif, TIFFTAG_IMAGELENGTH, &height);
    TIFFGetFieldDefaulted(tif, TIFFTAG_SAMPLESPERPIXEL, &spp);
    TIFFGetFieldDefaulted(tif, TIFFTAG_BITSPERSAMPLE, &bps);
    if (spp == 3 && bps == 8) {
        std::vector<std::uint8_t> row(static_cast<std::size_t>(TIFFScanlineSize(tif)));
        for (std::uint32_t y = 0; y < height; ++y) {
            if (TIFFReadScanline(tif, row.data(), y, 0) != 1) {
                pixels.clear();
                break;
            }
            for (std::uint32_t x = 0; x < width; ++x) {
                pixels.push_back(static_cast<std::uint32_t>(row[3 * x]) << 16 |
                                 static_cast<std::uint32_t>(row[3 * x + 1]) << 8 | row[3 * x + 2]);
            }
        }
    }
    TIFFClose(tif);
    return pixels;
}
