#include "image/ImageLibraryPages.h"

#include "image/BitmapFileType.h"
#include "image/ImageLibraryFiles.h"
#include "image/PopplerDocument.h"
#include "image/TiffColourRows.h"
#include "image/TiffHandle.h"
#include "image/TiffPageTags.h"
#include "image/TiffRowReader.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <leptonica/allheaders.h>
#include <memory>
#include <tiffio.h>

namespace {

int bytesPerMetreToDpi(std::int32_t perMetre) {
    return perMetre > 0 ? static_cast<int>(std::lround(perMetre * 0.0254)) : 0;
}

// Resolution of a BMP file from its info header (pixels per metre at bytes 38 and 42).
void bmpResolution(const std::string& path, int& xDpi, int& yDpi) {
    xDpi = yDpi = 0;
    std::unique_ptr<FILE, int (*)(FILE*)> file(std::fopen(path.c_str(), "rb"), &std::fclose);
    unsigned char header[46];
    if (!file || std::fread(header, 1, sizeof header, file.get()) != sizeof header) {
        return;
    }
    auto le32 = [&](int at) {
        return static_cast<std::int32_t>(header[at] | header[at + 1] << 8 | header[at + 2] << 16 |
                                         static_cast<std::uint32_t>(header[at + 3]) << 24);
    };
    xDpi = bytesPerMetreToDpi(le32(38));
    yDpi = bytesPerMetreToDpi(le32(42));
}

void rasterResolution(const std::string& path, BitmapFileType::Kind kind, int& xDpi, int& yDpi) {
    xDpi = yDpi = 0;
    if (kind == BitmapFileType::Bmp) {
        bmpResolution(path, xDpi, yDpi);
        return;
    }
    std::unique_ptr<FILE, int (*)(FILE*)> file(std::fopen(path.c_str(), "rb"), &std::fclose);
    if (!file) {
        return;
    }
    l_int32 x = 0;
    l_int32 y = 0;
    const l_int32 failed = kind == BitmapFileType::Jpeg ? fgetJpegResolution(file.get(), &x, &y)
                                                        : fgetPngResolution(file.get(), &x, &y);
    if (failed == 0) {
        xDpi = std::max(0, static_cast<int>(x));
        yDpi = std::max(0, static_cast<int>(y));
    }
}

int tiffPageInfo(const std::string& path, int page, ImageLibrary::PageInfo& info) {
    TiffHandle tif = TiffHandle::open(path, "r");
    if (!tif) {
        return ImageLibrary::ErrFileRead;
    }
    if (const int result = tif.selectPage(page); result != ImageLibrary::Success) {
        return result;
    }
    TiffPageTags tags;
    if (!tags.read(tif.get())) {
        return ImageLibrary::ErrFileRead;
    }
    if (tags.width > ImageLibrary::MaxSide || tags.height > ImageLibrary::MaxSide) {
        return ImageLibrary::ErrImageTooLarge;
    }
    info.pageCount = tif.pageCount();
    info.width = static_cast<int>(tags.width);
    info.height = static_cast<int>(tags.height);
    info.bitsPerPixel = tags.bitsPerPixel();
    info.xResolution = tags.xDpi();
    info.yResolution = tags.yDpi();
    return ImageLibrary::Success;
}

int pdfPageInfo(const std::string& path, int page, ImageLibrary::PageInfo& info) {
    PopplerDocument document;
    if (const int result = document.open(path); result != ImageLibrary::Success) {
        return result;
    }
    double width = 0.0;
    double height = 0.0;
    if (const int result = document.pageSize(page, width, height);
        result != ImageLibrary::Success) {
        return result;
    }
    if (width > ImageLibrary::MaxSide || height > ImageLibrary::MaxSide) {
        return ImageLibrary::ErrImageTooLarge;
    }
    info.pageCount = document.pageCount();
    info.width = std::max(1, static_cast<int>(std::lround(width)));
    info.height = std::max(1, static_cast<int>(std::lround(height)));
    info.bitsPerPixel = 24;
    info.xResolution = info.yResolution = static_cast<int>(ImageLibrary::PdfDpi);
    return ImageLibrary::Success;
}

// Header of a single-image raster file read by Leptonica (JPEG, PNG, BMP).
int rasterHeader(const std::string& path, int& width, int& height, int& bits) {
    l_int32 format = 0;
    l_int32 w = 0;
    l_int32 h = 0;
    l_int32 bps = 0;
    l_int32 spp = 0;
    l_int32 colormapped = 0;
    if (pixReadHeader(path.c_str(), &format, &w, &h, &bps, &spp, &colormapped) != 0 || w <= 0 ||
        h <= 0) {
        return ImageLibrary::ErrFileRead;
    }
    if (static_cast<std::uint32_t>(w) > ImageLibrary::MaxSide ||
        static_cast<std::uint32_t>(h) > ImageLibrary::MaxSide) {
        return ImageLibrary::ErrImageTooLarge;
    }
    width = w;
    height = h;
    bits = bps * spp;
    return ImageLibrary::Success;
}

// A page Leptonica does not read (tiles), assembled row by row: 1-bit pages as 1 bpp (1 black),
// grey as 8 bpp, palette and RGB as 32 bpp.
int loadTiffRows(TiffRowReader& reader, PixHandle& out) {
    const TiffPageTags& tags = reader.tags();
    const bool bilevel = tags.isStreamableBilevel();
    TiffColourRows colours;
    if (!bilevel && !colours.open(tags)) {
        return ImageLibrary::ErrUnsupported;
    }
    const int depth = bilevel ? 1 : colours.channels() == 1 ? 8 : 32;
    // A palette page is held as 32 bpp, more than its stored depth promised.
    if (!ImageLibrary::fitsInMemory(tags.width, tags.height, depth)) {
        return ImageLibrary::ErrImageTooLarge;
    }
    PixHandle pix(
        pixCreate(static_cast<l_int32>(tags.width), static_cast<l_int32>(tags.height), depth));
    if (!pix) {
        return ImageLibrary::ErrNoMemory;
    }
    const l_int32 wpl = pixGetWpl(pix.get());
    for (std::uint32_t y = 0; y < tags.height; ++y) {
        const std::uint8_t* row = reader.nextRow();
        if (row == nullptr) {
            return ImageLibrary::ErrFileRead;
        }
        l_uint32* line = pixGetData(pix.get()) + static_cast<std::size_t>(y) * wpl;
        if (bilevel) {
            const bool invert = tags.photometric == PHOTOMETRIC_MINISBLACK;
            for (std::size_t i = 0; i < reader.rowBytes(); ++i) {
                SET_DATA_BYTE(line, static_cast<l_int32>(i), invert ? row[i] ^ 0xff : row[i]);
            }
            continue;
        }
        const std::uint8_t* samples = colours.convert(row);
        for (std::uint32_t x = 0; x < tags.width; ++x) {
            if (depth == 8) {
                SET_DATA_BYTE(line, static_cast<l_int32>(x), samples[x]);
            } else {
                const std::uint8_t* p = samples + 3 * static_cast<std::size_t>(x);
                composeRGBPixel(p[0], p[1], p[2], line + x);
            }
        }
    }
    if (bilevel) {
        pixSetPadBits(pix.get(), 0);
    }
    pixSetResolution(pix.get(), tags.xDpi(), tags.yDpi());
    out = std::move(pix);
    return ImageLibrary::Success;
}

} // namespace

int ImageLibraryPages::pageInfo(const std::string& path, int page, ImageLibrary::PageInfo& info) {
    ImageLibraryFiles::silenceLibraries();
    info = ImageLibrary::PageInfo{};
    const BitmapFileType::Kind kind = BitmapFileType::detect(path);
    switch (kind) {
    case BitmapFileType::Tiff:
        return tiffPageInfo(path, page, info);
    case BitmapFileType::Pdf:
        return pdfPageInfo(path, page, info);
    case BitmapFileType::Jpeg:
    case BitmapFileType::Png:
    case BitmapFileType::Bmp: {
        if (page != 1) {
            return ImageLibrary::ErrPageNotFound;
        }
        if (const int result = rasterHeader(path, info.width, info.height, info.bitsPerPixel);
            result != ImageLibrary::Success) {
            info = ImageLibrary::PageInfo{};
            return result;
        }
        info.pageCount = 1;
        rasterResolution(path, kind, info.xResolution, info.yResolution);
        return ImageLibrary::Success;
    }
    case BitmapFileType::Unknown:
        break;
    }
    return ImageLibraryFiles::unrecognised(path);
}

int ImageLibraryPages::loadPage(const std::string& path, int page, PixHandle& out) {
    const BitmapFileType::Kind kind = BitmapFileType::detect(path);
    if (kind == BitmapFileType::Pdf) {
        return loadPdfPage(path, page, ImageLibrary::PdfDpi, out);
    }
    ImageLibrary::PageInfo info;
    if (const int result = pageInfo(path, page, info); result != ImageLibrary::Success) {
        return result;
    }
    if (!ImageLibrary::fitsInMemory(info.width, info.height, info.bitsPerPixel)) {
        return ImageLibrary::ErrImageTooLarge;
    }
    if (kind == BitmapFileType::Tiff) {
        TiffRowReader reader;
        if (reader.open(path, page) == ImageLibrary::Success && reader.tags().tiled) {
            return loadTiffRows(reader, out);
        }
    }
    PixHandle pix(kind == BitmapFileType::Tiff ? pixReadTiff(path.c_str(), page - 1)
                                               : pixRead(path.c_str()));
    if (!pix || pix.width() != info.width || pix.height() != info.height) {
        return ImageLibrary::ErrFileRead;
    }
    out = std::move(pix);
    return ImageLibrary::Success;
}

int ImageLibraryPages::loadPdfPage(const std::string& path, int page, double dpi, PixHandle& out) {
    ImageLibraryFiles::silenceLibraries();
    if (BitmapFileType::detect(path) != BitmapFileType::Pdf) {
        return ImageLibraryFiles::unrecognised(path);
    }
    PopplerDocument document;
    if (const int result = document.open(path); result != ImageLibrary::Success) {
        return result;
    }
    return document.render(page, dpi, out);
}
