#include "image/ImageEditor.h"

#include "base/FileSystem.h"
#include "image/ImageLibrary.h"
#include "image/NoiseEraser.h"
#include "image/TiffHandle.h"

#include <filesystem>
#include <leptonica/allheaders.h>
#include <tiffio.h>

namespace fs = std::filesystem;

bool ImageEditor::passesTiffChecks(const std::string& path) {
    TiffHandle tiff = TiffHandle::open(path, "r");
    if (!tiff) {
        return false;
    }
    std::uint32_t width = 0;
    std::uint32_t length = 0;
    std::uint16_t compression = 0;
    float xResolution = 0.0f;
    float yResolution = 0.0f;
    if (TIFFGetField(tiff.get(), TIFFTAG_IMAGEWIDTH, &width) != 1 ||
        TIFFGetField(tiff.get(), TIFFTAG_IMAGELENGTH, &length) != 1 ||
        TIFFGetField(tiff.get(), TIFFTAG_COMPRESSION, &compression) != 1 ||
        TIFFGetField(tiff.get(), TIFFTAG_XRESOLUTION, &xResolution) != 1 ||
        TIFFGetField(tiff.get(), TIFFTAG_YRESOLUTION, &yResolution) != 1) {
        return false;
    }
    return static_cast<unsigned long long>(width) * length <= MaxPixels &&
           width < MaxSideExclusive && length < MaxSideExclusive;
}

std::optional<std::uint32_t> ImageEditor::singlePageSubfileType(const std::string& path) {
    TiffHandle tiff = TiffHandle::open(path, "r");
    if (!tiff || tiff.pageCount() != 1 || tiff.selectPage(1) != ImageLibrary::Success) {
        return std::nullopt;
    }
    std::uint32_t subfileType = 0;
    TIFFGetFieldDefaulted(tiff.get(), TIFFTAG_SUBFILETYPE, &subfileType);
    return subfileType;
}

// Only a plain single-page TIFF is edited: saving writes one page over the file, so the pages
// after the first would be lost, and a symbolic link would be replaced by the page it shows.
std::optional<Msg> ImageEditor::open(const std::string& path) {
    std::error_code error;
    if (!fs::exists(fs::symlink_status(path, error))) {
        return Msg::EditImageMissing;
    }
    const auto subfileType = files::isPlainFile(path) ? singlePageSubfileType(path) : std::nullopt;
    PixHandle page;
    if (!subfileType || !passesTiffChecks(path) ||
        ImageLibrary::loadPage(path, 1, page) != ImageLibrary::Success) {
        return Msg::EditImageLoadFailed;
    }
    m_path = path;
    m_openedBits = page.bitsPerPixel();
    m_subfileType = *subfileType;
    m_page = std::move(page);
    return std::nullopt;
}

bool ImageEditor::rotate(int hundredths) {
    PixHandle turned = m_page.copy();
    if (!turned || ImageLibrary::rotate(turned, hundredths) != ImageLibrary::Success) {
        return false;
    }
    m_page = std::move(turned);
    return true;
}

int ImageEditor::cleaned(const PixHandle& source, PixHandle& out, int strength) const {
    BitmapGray8 gray;
    int result = ImageLibrary::exportGray8(source, gray);
    if (result == ImageLibrary::Success) {
        result = NoiseEraser::erase(gray, strength);
    }
    if (result == ImageLibrary::Success) {
        result = ImageLibrary::importGray8(gray, out);
    }
    if (result == ImageLibrary::Success) {
        pixCopyResolution(out.get(), source.get());
    }
    return result == ImageLibrary::Success ? savedDepth(out) : result;
}

int ImageEditor::savedDepth(PixHandle& page) const {
    const int bits = m_openedBits == 1 ? 1 : 24;
    return page.bitsPerPixel() == bits ? ImageLibrary::Success
                                       : ImageLibrary::changeBits(page, bits);
}

std::optional<Msg> ImageEditor::eraseNoise(ImageEditRules::Range range, int strength,
                                           const BitmapRegion* region) {
    using Range = ImageEditRules::Range;
    // Only a region to be cleaned has a least size; outside a small region the page is cleaned.
    if (range != Range::Whole &&
        (region == nullptr ||
         (range == Range::Inside && !ImageEditRules::isRegionLargeEnough(region->bounds())))) {
        return Msg::EditRegionTooSmall;
    }
    PixHandle result;
    int code = ImageLibrary::Success;
    if (range == Range::Inside) {
        const BitmapRect& bounds = region->bounds();
        PixHandle part;
        PixHandle cleanedPart;
        code = ImageLibrary::clip(m_page, bounds, part);
        if (code == ImageLibrary::Success) {
            code = cleaned(part, cleanedPart, strength);
        }
        if (code == ImageLibrary::Success) {
            result = m_page.copy();
            code = result ? savedDepth(result) : ImageLibrary::ErrNoMemory;
        }
        if (code == ImageLibrary::Success) {
            code = ImageLibrary::combine(result, bounds.left, bounds.top, cleanedPart,
                                         {0, 0, cleanedPart.width(), cleanedPart.height()}, region);
        }
    } else {
        code = cleaned(m_page, result, strength);
        if (code == ImageLibrary::Success && range == Range::Outside) {
            code = ImageLibrary::combine(result, region->bounds().left, region->bounds().top,
                                         m_page, region->bounds(), region);
        }
    }
    if (code != ImageLibrary::Success) {
        return Msg::EditNoiseFailed;
    }
    m_page = std::move(result);
    return std::nullopt;
}

std::optional<Msg> ImageEditor::save(const std::string& target) {
    const std::string path = target.empty() ? m_path : target;
    PixHandle out = m_page.copy();
    if (!out || savedDepth(out) != ImageLibrary::Success) {
        return Msg::EditSaveFailed;
    }
    std::error_code error;
    const fs::perms before = fs::status(path, error).permissions();
    const bool readOnly = !error && (before & fs::perms::owner_write) == fs::perms::none;
    if (readOnly) {
        fs::permissions(path, fs::perms::owner_write, fs::perm_options::add, error);
    }
    const int written = ImageLibrary::saveByDepth(path, out, m_subfileType);
    if (written != ImageLibrary::Success) {
        if (readOnly) {
            fs::permissions(path, before, fs::perm_options::replace, error);
        }
        return Msg::EditSaveFailed;
    }
    return std::nullopt;
}
