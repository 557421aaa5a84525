#include "execute/RawStripCopy.h"

#include "image/ImageLibrary.h"
#include "image/TiffPageTags.h"

#include <tiffio.h>
#include <vector>

namespace rawstrips {

namespace {

template <typename T> bool copyTag(tiff* in, tiff* out, ttag_t tag) {
    T value{};
    return TIFFGetField(in, tag, &value) != 1 || TIFFSetField(out, tag, value) == 1;
}

bool copyTags(tiff* in, tiff* out) {
    bool ok = TIFFSetField(out, TIFFTAG_SUBFILETYPE, FILETYPE_PAGE) == 1;
    ok = ok && copyTag<std::uint32_t>(in, out, TIFFTAG_IMAGEWIDTH);
    ok = ok && copyTag<std::uint32_t>(in, out, TIFFTAG_IMAGELENGTH);
    ok = ok && TIFFSetField(out, TIFFTAG_BITSPERSAMPLE, 1) == 1;
    ok = ok && TIFFSetField(out, TIFFTAG_SAMPLESPERPIXEL, 1) == 1;
    ok = ok && TIFFSetField(out, TIFFTAG_COMPRESSION, COMPRESSION_CCITTFAX4) == 1;
    ok = ok && TIFFSetField(out, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG) == 1;
    ok = ok && copyTag<std::uint16_t>(in, out, TIFFTAG_PHOTOMETRIC);
    ok = ok && copyTag<std::uint16_t>(in, out, TIFFTAG_FILLORDER);
    ok = ok && copyTag<std::uint32_t>(in, out, TIFFTAG_ROWSPERSTRIP);
    ok = ok && copyTag<std::uint32_t>(in, out, TIFFTAG_T6OPTIONS);
    ok = ok && copyTag<std::uint16_t>(in, out, TIFFTAG_ORIENTATION);
    ok = ok && copyTag<std::uint16_t>(in, out, TIFFTAG_RESOLUTIONUNIT);
    ok = ok && copyTag<float>(in, out, TIFFTAG_XRESOLUTION);
    ok = ok && copyTag<float>(in, out, TIFFTAG_YRESOLUTION);
    return ok;
}

} // namespace

bool isCopyable(const TiffPageTags& tags) {
    return tags.compression == COMPRESSION_CCITTFAX4 && tags.bitsPerSample == 1 &&
           tags.samplesPerPixel == 1 && !tags.tiled;
}

int copyPage(tiff* in, tiff* out) {
    if (!copyTags(in, out)) {
        return ImageLibrary::ErrFileWrite;
    }
    const std::uint32_t strips = TIFFNumberOfStrips(in);
    if (strips == 0 || strips != TIFFNumberOfStrips(out)) {
        return ImageLibrary::ErrFileRead;
    }
    const auto fileSize = static_cast<std::uint64_t>(TIFFGetSizeProc(in)(TIFFClientdata(in)));
    std::vector<unsigned char> strip;
    for (std::uint32_t s = 0; s < strips; ++s) {
        const std::uint64_t size = TIFFGetStrileByteCount(in, s);
        // A strip that claims more bytes than the file holds comes from a cut-off file.
        if (size == 0 || size > fileSize) {
            return ImageLibrary::ErrFileRead;
        }
        strip.resize(static_cast<std::size_t>(size));
        const auto n = static_cast<tmsize_t>(size);
        if (TIFFReadRawStrip(in, s, strip.data(), n) != n) {
            return ImageLibrary::ErrFileRead;
        }
        if (TIFFWriteRawStrip(out, s, strip.data(), n) != n) {
            return ImageLibrary::ErrFileWrite;
        }
    }
    return TIFFWriteDirectory(out) == 1 ? ImageLibrary::Success : ImageLibrary::ErrFileWrite;
}

} // namespace rawstrips
