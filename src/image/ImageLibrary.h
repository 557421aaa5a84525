#pragma once

#include "image/BitmapGray8.h"
#include "image/BitmapRect.h"
#include "image/BitmapRegion.h"
#include "image/PixHandle.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// The raster operations of the program: page information, loading, resizing, saving, joining
// pages into multi-page TIFFs, rotation, depth conversion, the 8-bit hand-over to the noise
// eraser, combining and filling. Built on libtiff, Leptonica and poppler.
//
// Every operation returns Success (1) or one of the negative error codes below; callers pass the
// code on unchanged. Paths are file-system paths (UTF-8). Files are recognised by their content,
// whatever the extension says. No operation prints anything, and stated dimensions are checked
// against MaxSide and MaxBitmapBytes before any pixel memory is taken.
class ImageLibrary {
public:
    enum Result : int {
        Success = 1,
        ErrNoMemory = -2,         // an allocation failed
        ErrNoBitmap = -3,         // the bitmap passed is empty
        ErrInvalidParameter = -4, // an argument is out of range, or a format/bits pair is unknown
        ErrFileNotFound = -5,     // the file does not exist
        ErrFileFormat = -6,       // the content is not a recognised image format
        ErrFileRead = -7,         // the file is truncated, damaged or cannot be read
        ErrFileWrite = -8,        // the file cannot be created or written
        ErrPageNotFound = -9,     // the page number is outside the file's pages
        ErrImageTooLarge = -10,   // the stated dimensions exceed the caps below
        ErrUnsupported = -11,     // a recognised file in a variant that is not handled
    };

    // File format codes of save().
    static constexpr int FormatG4Tiff = 29; // 1-bit CCITT Group 4 TIFF (bits 1)
    static constexpr int FormatPng = 75;    // PNG (bits 0 = as stored, or 1, 8, 24)
    static constexpr int FormatTiff24 = 87; // 24-bit RGB TIFF, deflate-compressed (bits 24)

    // No side of any page may exceed this, streamed or not.
    static constexpr std::uint32_t MaxSide = 1u << 18;
    // No bitmap held in memory may take more than this.
    static constexpr std::uint64_t MaxBitmapBytes = 1ull << 30;
    // PDF pages are measured and loaded at this resolution unless a caller asks for another.
    static constexpr double PdfDpi = 72.0;

    struct PageInfo {
        int pageCount = 0;
        int width = 0;
        int height = 0;
        int bitsPerPixel = 0;
        int xResolution = 0; // dots per inch, 0 when the file states none
        int yResolution = 0;
    };

    // True when a bitmap of this size and depth stays within MaxSide and MaxBitmapBytes.
    static bool fitsInMemory(double width, double height, int bitsPerPixel);

    // Information about page (1-based) of a TIFF, JPEG, PNG, BMP or PDF file.
    static int pageInfo(const std::string& path, int page, PageInfo& info);

    // Loads page (1-based) as stored: 1-bit pages stay 1-bit. PDF pages are rendered at PdfDpi.
    static int loadPage(const std::string& path, int page, PixHandle& out);
    static int loadPdfPage(const std::string& path, int page, double dpi, PixHandle& out);

    // Resizes to exactly width x height pixels; 1-bit bitmaps stay 1-bit.
    static int resize(PixHandle& bitmap, int width, int height);

    // Writes a single-page file (replacing the file only once the new one is complete). A TIFF
    // page gets subfileType as its TIFFTAG_SUBFILETYPE when one is given.
    static int save(const std::string& path, const PixHandle& bitmap, int format, int bits,
                    std::optional<std::uint32_t> subfileType = std::nullopt);
    // 1-bit bitmaps as FormatG4Tiff with 1 bit, all others as FormatTiff24 with 24 bits.
    static int saveByDepth(const std::string& path, const PixHandle& bitmap,
                           std::optional<std::uint32_t> subfileType = std::nullopt);

    // Appends page (1-based) of source as the last page of the multi-page G4 TIFF target, created
    // when missing. 1-bit TIFF pages are streamed row by row; other pages are thresholded to 1 bit.
    static int appendPage(const std::string& source, int page, const std::string& target);

    // Writes a reduced single-strip G4 copy of a 1-bit TIFF page, streaming: every factor-th pixel
    // of every factor-th row, so the copy is ceil(width / factor) x ceil(height / factor). The
    // factor is raised when a side of the copy would exceed 32768 pixels. Photometric sense,
    // resolution values and resolution unit (inch when absent) are those of the source.
    static int thinTiffPage(const std::string& source, int page, int factor,
                            const std::string& target);

    // One reduced copy of a page: the factor by which both sides shrink, and the file to write.
    struct Reduction {
        int factor = 1;
        std::string target;
    };
    // Writes reduced copies of a TIFF page (strips or tiles), decoding it once for all of them
    // and never holding the page: 1-bit pages thinned as thinTiffPage does, grey, palette and RGB
    // pages averaged over factor x factor blocks (factor at most 257) into 24-bit RGB deflate
    // TIFFs of max(1, width / factor) x max(1, height / factor). No memory cap applies.
    // ErrUnsupported for a page stored in a way that cannot be streamed (load, resize and save it
    // instead).
    static int reduceTiffPage(const std::string& source, int page,
                              const std::vector<Reduction>& copies);

    // Rotates clockwise by hundredths of a degree (negative turns left); uncovered areas become
    // white and the bitmap grows to keep the whole page. Quarter turns are exact.
    static int rotate(PixHandle& bitmap, int hundredthsOfDegree);

    // Converts to 1 (threshold at mid grey), 8 (grey) or 24 bits per pixel.
    static int changeBits(PixHandle& bitmap, int bits);

    // Hand-over to and from the noise eraser: an 8-bit grey copy of the bitmap, and back.
    static int exportGray8(const PixHandle& bitmap, BitmapGray8& out);
    static int importGray8(const BitmapGray8& gray, PixHandle& out);

    // Copies the part source of src into dst at (dstX, dstY), converted to dst's depth. With a
    // region (in dst coordinates) only the pixels inside it change.
    static int combine(PixHandle& dst, int dstX, int dstY, const PixHandle& src,
                       const BitmapRect& source, const BitmapRegion* region = nullptr);

    // A new bitmap of 1, 8 or 24 bits per pixel filled with colour (0xRRGGBB).
    static int create(PixHandle& out, int width, int height, int bits,
                      std::uint32_t colour = 0xffffff);
    static int fill(PixHandle& bitmap, std::uint32_t colour);

    // A copy of the part rect of src (cut to the bitmap).
    static int clip(const PixHandle& src, const BitmapRect& rect, PixHandle& out);

    // The part source of src scaled to exactly width x height for showing on screen. smooth turns
    // 1-bit pages into antialiased grey; otherwise pixels are sampled.
    static int scaleForDisplay(const PixHandle& src, const BitmapRect& source, int width,
                               int height, bool smooth, PixHandle& out);
};
