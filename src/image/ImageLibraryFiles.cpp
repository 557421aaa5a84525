#include "image/ImageLibraryFiles.h"

#include "base/FileSystem.h"

#include "image/BitmapFileType.h"
#include "image/ImageLibrary.h"
#include "image/TiffG4Writer.h"
#include "image/TiffHandle.h"
#include "image/TiffRowReader.h"

#include <algorithm>
#include <filesystem>
#include <leptonica/allheaders.h>
#include <tiffio.h>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

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
    if (!writer.open(target, true) ||
        !writer.beginPage(TiffG4Writer::formatOf(tags, tags.width, tags.height))) {
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

// Rewrites the first directory of a freshly written TIFF with the given subfile type.
bool setSubfileType(const std::string& path, std::uint32_t subfileType) {
    TiffHandle tiff = TiffHandle::open(path, "r+");
    if (!tiff || TIFFSetField(tiff.get(), TIFFTAG_SUBFILETYPE, subfileType) != 1 ||
        TIFFRewriteDirectory(tiff.get()) != 1) {
        return false;
    }
    return tiff.close();
}

} // namespace

std::optional<std::string> ImageLibraryFiles::temporaryBeside(const std::string& path) {
    int fd = -1;
    const auto temporary = files::createTemporaryBeside(path, fd);
    if (!temporary) {
        return std::nullopt;
    }
    ::close(fd);
    return temporary->string();
}

int ImageLibraryFiles::commit(const std::string& temporary, const std::string& path, bool written) {
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

void ImageLibraryFiles::silenceLibraries() {
    TiffHandle::silenceHandlers();
    setMsgSeverity(L_SEVERITY_NONE);
}

int ImageLibraryFiles::unrecognised(const std::string& path) {
    std::error_code error;
    return fs::exists(path, error) ? ImageLibrary::ErrFileFormat : ImageLibrary::ErrFileNotFound;
}

int ImageLibraryFiles::writeReplacing(const std::string& path, Pix* pix, int format,
                                      std::optional<std::uint32_t> subfileType) {
    silenceLibraries();
    if (format != ImageLibrary::FormatG4Tiff && format != ImageLibrary::FormatTiff24 &&
        format != ImageLibrary::FormatPng) {
        return ImageLibrary::ErrInvalidParameter;
    }
    const auto temporary = temporaryBeside(path);
    if (!temporary) {
        return ImageLibrary::ErrFileWrite;
    }
    bool written = false;
    if (format == ImageLibrary::FormatG4Tiff) {
        TiffG4Writer writer;
        written = writer.open(*temporary, false) && writer.writePage(pix);
        written = writer.close() && written;
    } else if (format == ImageLibrary::FormatTiff24) {
        written = pixWriteTiff(temporary->c_str(), pix, IFF_TIFF_ZIP, "w") == 0;
    } else {
        written = pixWritePng(temporary->c_str(), pix, 0.0f) == 0;
    }
    if (written && subfileType && format != ImageLibrary::FormatPng) {
        written = setSubfileType(*temporary, *subfileType);
    }
    return commit(*temporary, path, written);
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
