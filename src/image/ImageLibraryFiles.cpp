#include "image/ImageLibraryFiles.h"

#include "image/BitmapFileType.h"
#include "image/ImageLibrary.h"
#include "image/TiffG4Writer.h"
#include "image/TiffHandle.h"
#include "image/TiffRowReader.h"

#include <algorithm>
#include <filesystem>
#include <leptonica/allheaders.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

// Thinned copies are kept within this many pixels a side.
constexpr std::uint32_t MaxThinnedSide = 32768;

std::string temporaryBeside(const std::string& path) {
    return path + ".~writing";
}

// Moves a completely written temporary file over path; removes it when that fails.
int commit(const std::string& temporary, const std::string& path, bool written) {
    std::error_code error;
    if (written) {
        fs::rename(temporary, path, error);
        if (!error) {
            return ImageLibrary::Success;
        }
    }
    fs::remove(temporary, error);
    return ImageLibrary::ErrFileWrite;
}

TiffG4Writer::PageFormat formatOf(const TiffPageTags& tags, std::uint32_t width,
                                  std::uint32_t height) {
    TiffG4Writer::PageFormat format;
    format.width = width;
    format.height = height;
    format.photometric = tags.photometric;
    format.resolutionUnit = tags.resolutionUnit;
    format.xResolution = tags.xResolution;
    format.yResolution = tags.yResolution;
    return format;
}

// Decodes every row of the page once, so that a damaged source is found before the target is
// touched.
int checkRows(const std::string& source, int page) {
    TiffRowReader reader;
    if (const int result = reader.open(source, page); result != ImageLibrary::Success) {
        return result;
    }
    for (std::uint32_t y = 0; y < reader.tags().height; ++y) {
        if (reader.nextRow() == nullptr) {
            return ImageLibrary::ErrFileRead;
        }
    }
    return ImageLibrary::Success;
}

int streamBilevelPage(const std::string& source, int page, const std::string& target) {
    if (const int result = checkRows(source, page); result != ImageLibrary::Success) {
        return result;
    }
    TiffRowReader reader;
    if (const int result = reader.open(source, page); result != ImageLibrary::Success) {
        return result;
    }
    const TiffPageTags& tags = reader.tags();
    TiffG4Writer writer;
    if (!writer.open(target, true) || !writer.beginPage(formatOf(tags, tags.width, tags.height))) {
        return ImageLibrary::ErrFileWrite;
    }
    for (std::uint32_t y = 0; y < tags.height; ++y) {
        const std::uint8_t* row = reader.nextRow();
        if (row == nullptr) {
            return ImageLibrary::ErrFileRead;
        }
        if (!writer.writeRow(row)) {
            return ImageLibrary::ErrFileWrite;
        }
    }
    return writer.endPage() && writer.close() ? ImageLibrary::Success : ImageLibrary::ErrFileWrite;
}

int appendLoadedPage(const std::string& source, int page, const std::string& target) {
    PixHandle pix;
    if (const int result = ImageLibrary::loadPage(source, page, pix); result != 1) {
        return result;
    }
    if (const int result = ImageLibrary::changeBits(pix, 1); result != 1) {
        return result;
    }
    TiffG4Writer writer;
    if (!writer.open(target, true) || !writer.writePage(pix.get())) {
        return ImageLibrary::ErrFileWrite;
    }
    return writer.close() ? ImageLibrary::Success : ImageLibrary::ErrFileWrite;
}

} // namespace

void ImageLibraryFiles::silenceLibraries() {
    TiffHandle::silenceHandlers();
    setMsgSeverity(L_SEVERITY_NONE);
}

int ImageLibraryFiles::unrecognised(const std::string& path) {
    std::error_code error;
    return fs::exists(path, error) ? ImageLibrary::ErrFileFormat : ImageLibrary::ErrFileNotFound;
}

int ImageLibraryFiles::writeReplacing(const std::string& path, Pix* pix, int format) {
    silenceLibraries();
    const std::string temporary = temporaryBeside(path);
    bool written = false;
    switch (format) {
    case ImageLibrary::FormatG4Tiff: {
        TiffG4Writer writer;
        written = writer.open(temporary, false) && writer.writePage(pix);
        written = writer.close() && written;
        break;
    }
    case ImageLibrary::FormatTiff24:
        written = pixWriteTiff(temporary.c_str(), pix, IFF_TIFF_ZIP, "w") == 0;
        break;
    case ImageLibrary::FormatPng:
        written = pixWritePng(temporary.c_str(), pix, 0.0f) == 0;
        break;
    default:
        return ImageLibrary::ErrInvalidParameter;
    }
    return commit(temporary, path, written);
}

int ImageLibraryFiles::appendPage(const std::string& source, int page, const std::string& target) {
    silenceLibraries();
    std::error_code error;
    if (!fs::exists(source, error)) {
        return ImageLibrary::ErrFileNotFound;
    }
    if (fs::exists(target, error)) {
        if (fs::equivalent(source, target, error)) {
            return ImageLibrary::ErrInvalidParameter;
        }
        // Never append to (and so damage) a file that is not a TIFF.
        if (BitmapFileType::detect(target) != BitmapFileType::Tiff) {
            return ImageLibrary::ErrFileFormat;
        }
    }
    if (BitmapFileType::detect(source) == BitmapFileType::Tiff) {
        TiffRowReader reader;
        const int opened = reader.open(source, page);
        if (opened == ImageLibrary::Success && reader.tags().isStreamableBilevel()) {
            return streamBilevelPage(source, page, target);
        }
        if (opened != ImageLibrary::Success && opened != ImageLibrary::ErrUnsupported) {
            return opened;
        }
    }
    return appendLoadedPage(source, page, target);
}

int ImageLibraryFiles::thinTiffPage(const std::string& source, int page, int factor,
                                    const std::string& target) {
    silenceLibraries();
    if (factor < 1) {
        return ImageLibrary::ErrInvalidParameter;
    }
    if (BitmapFileType::detect(source) != BitmapFileType::Tiff) {
        return unrecognised(source);
    }
    TiffRowReader reader;
    if (const int result = reader.open(source, page); result != ImageLibrary::Success) {
        return result;
    }
    const TiffPageTags& tags = reader.tags();
    if (!tags.isStreamableBilevel()) {
        return ImageLibrary::ErrUnsupported;
    }
    const std::uint32_t longest = std::max(tags.width, tags.height);
    const std::uint32_t step = std::max<std::uint32_t>(
        static_cast<std::uint32_t>(factor), (longest + MaxThinnedSide - 1) / MaxThinnedSide);
    const std::uint32_t width = (tags.width + step - 1) / step;
    const std::uint32_t height = (tags.height + step - 1) / step;

    const std::string temporary = temporaryBeside(target);
    TiffG4Writer writer;
    bool written = writer.open(temporary, false) && writer.beginPage(formatOf(tags, width, height));
    std::vector<std::uint8_t> thinned((width + 7) / 8);
    int result = ImageLibrary::Success;
    for (std::uint32_t y = 0; written && y < tags.height; ++y) {
        const std::uint8_t* row = reader.nextRow();
        if (row == nullptr) {
            result = ImageLibrary::ErrFileRead;
            written = false;
            break;
        }
        if (y % step != 0) {
            continue;
        }
        std::fill(thinned.begin(), thinned.end(), 0);
        for (std::uint32_t x = 0, from = 0; x < width; ++x, from += step) {
            if (row[from >> 3] & (0x80 >> (from & 7))) {
                thinned[x >> 3] |= static_cast<std::uint8_t>(0x80 >> (x & 7));
            }
        }
        written = writer.writeRow(thinned.data());
    }
    written = written && writer.endPage();
    written = writer.close() && written;
    const int committed = commit(temporary, target, written);
    return result != ImageLibrary::Success ? result : committed;
}
