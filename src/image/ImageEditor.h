#pragma once

#include "base/Messages.h"
#include "image/BitmapRegion.h"
#include "image/ImageEditRules.h"
#include "image/PixHandle.h"

#include <cstdint>
#include <optional>
#include <string>

// The edit pipeline of the image editor on the first page of a single-page TIFF: the opening
// checks, rotation, deskew, noise removal over the whole page or inside or outside a region, and
// saving over the file. Each step either succeeds or leaves the page as it was; a refused step
// names the message to show.
//
// A page that was 1 bit when opened is saved as 1-bit G4 after any edit (the cleaned or turned
// page is thresholded at mid grey); pages of other depths are saved with 24 bits.
class ImageEditor {
public:
    // Largest pixel count and side length a page may have to be edited.
    static constexpr unsigned long long MaxPixels = 1ull << 31;
    static constexpr unsigned MaxSideExclusive = 32768;

    // Checks and loads the file's only page. EditImageMissing when nothing is there;
    // EditImageLoadFailed for a file that cannot be read or is no plain single-page TIFF (a
    // multi-page file or a symbolic link).
    std::optional<Msg> open(const std::string& path);

    const std::string& path() const { return m_path; }
    const PixHandle& page() const { return m_page; }
    int openedBits() const { return m_openedBits; }

    // Turns the page clockwise by hundredths of a degree with white fill; false when the library
    // failed (the page is then unchanged).
    bool rotate(int hundredths);

    // Removes noise at strength 1..64. Inside and Outside need a region in page pixels;
    // EditRegionTooSmall when it is narrower or lower than 3 pixels, EditNoiseFailed when the
    // work failed. The page stays as it was on any failure.
    std::optional<Msg> eraseNoise(ImageEditRules::Range range, int strength,
                                  const BitmapRegion* region = nullptr);

    // Writes the page as a complete new file renamed over target (the opened file when empty),
    // with the opened page's subfile type, clearing a read-only target first. EditSaveFailed when
    // that failed; the file is then as it was, read-only flag included.
    std::optional<Msg> save(const std::string& target = {});

    // The libtiff checks of the opening: tags readable, size within the limits above.
    static bool passesTiffChecks(const std::string& path);
    // The subfile type of a TIFF of exactly one page; nothing for any other file.
    static std::optional<std::uint32_t> singlePageSubfileType(const std::string& path);

private:
    int cleaned(const PixHandle& source, PixHandle& out, int strength) const;
    int savedDepth(PixHandle& page) const;

    std::string m_path;
    PixHandle m_page;
    int m_openedBits = 0;
    std::uint32_t m_subfileType = 0;
};
