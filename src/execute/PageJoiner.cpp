#include "execute/PageJoiner.h"

#include "base/FileSystem.h"
#include "execute/FileChanges.h"
#include "execute/RawStripCopy.h"
#include "execute/TempFileTiff.h"
#include "image/ImageLibrary.h"
#include "image/TiffG4Writer.h"
#include "image/TiffPageTags.h"
#include "image/TiffRowReader.h"

#include <tiffio.h>

namespace {

TiffG4Writer::PageFormat formatOf(const TiffPageTags& tags) {
    TiffG4Writer::PageFormat format;
    format.width = tags.width;
    format.height = tags.height;
    format.photometric = tags.photometric;
    format.resolutionUnit = tags.resolutionUnit;
    format.xResolution = tags.xResolution;
    format.yResolution = tags.yResolution;
    return format;
}

int streamRows(TiffG4Writer& writer, const std::string& nativePath, int page) {
    TiffRowReader reader;
    if (const int opened = reader.open(nativePath, page); opened != ImageLibrary::Success) {
        return opened;
    }
    if (!writer.beginPage(formatOf(reader.tags()))) {
        return ImageLibrary::ErrFileWrite;
    }
    for (std::uint32_t y = 0; y < reader.tags().height; ++y) {
        const std::uint8_t* row = reader.nextRow();
        if (row == nullptr) {
            return ImageLibrary::ErrFileRead;
        }
        if (!writer.writeRow(row)) {
            return ImageLibrary::ErrFileWrite;
        }
    }
    return writer.endPage() ? ImageLibrary::Success : ImageLibrary::ErrFileWrite;
}

int thresholdPage(TiffG4Writer& writer, const std::string& nativePath, int page) {
    PixHandle pix;
    if (const int loaded = ImageLibrary::loadPage(nativePath, page, pix);
        loaded != ImageLibrary::Success) {
        return loaded;
    }
    if (const int changed = ImageLibrary::changeBits(pix, 1); changed != ImageLibrary::Success) {
        return changed;
    }
    return writer.writePage(pix.get()) ? ImageLibrary::Success : ImageLibrary::ErrFileWrite;
}

} // namespace

int PageJoiner::join(const std::vector<PageJoiner::Source>& sources, const std::string& target,
                     bool replace) {
    if (sources.empty()) {
        return ImageLibrary::ErrInvalidParameter;
    }
    TempFile temp = m_changes.createTemp(files::parentFolder(target));
    if (!temp) {
        return ImageLibrary::ErrFileWrite;
    }
    TempFileTiff stream(m_changes, temp);
    int result = ImageLibrary::Success;
    {
        TiffG4Writer writer;
        if (!writer.open(stream.open())) {
            return ImageLibrary::ErrFileWrite;
        }
        for (const Source& source : sources) {
            result = appendFile(writer, source);
            if (result != ImageLibrary::Success) {
                return result;
            }
        }
        if (!writer.close()) {
            return ImageLibrary::ErrFileWrite;
        }
    }
    if (stream.failed() || !m_changes.sync(temp) || !m_changes.commit(temp, target, replace)) {
        return ImageLibrary::ErrFileWrite;
    }
    return ImageLibrary::Success;
}

int PageJoiner::appendFile(TiffG4Writer& writer, const Source& source) {
    const std::string nativePath = files::native(source.path).string();
    // A link put in place of an image is not followed: its pages may come from outside the folder.
    if (!files::isPlainFile(source.path)) {
        return ImageLibrary::ErrFileNotFound;
    }
    TiffHandle in = TiffHandle::open(nativePath, "r");
    if (!in) {
        // Not a TIFF: every page is decoded and thresholded.
        ImageLibrary::PageInfo info;
        if (const int read = ImageLibrary::pageInfo(nativePath, 1, info);
            read != ImageLibrary::Success) {
            return read;
        }
        if (source.pages > 0 && info.pageCount != source.pages) {
            return ImageLibrary::ErrFileRead;
        }
        for (int page = 1; page <= info.pageCount; ++page) {
            if (const int added = thresholdPage(writer, nativePath, page);
                added != ImageLibrary::Success) {
                return added;
            }
        }
        return ImageLibrary::Success;
    }
    const int pages = in.pageCount();
    if (pages == 0 || (source.pages > 0 && pages != source.pages)) {
        return ImageLibrary::ErrFileRead;
    }
    for (int page = 1; page <= pages; ++page) {
        if (const int added = appendPage(writer, in, nativePath, page);
            added != ImageLibrary::Success) {
            return added;
        }
    }
    // A directory chain that points past the last readable page comes from a cut-off file whose
    // later pages are gone: the join would lose them.
    return TIFFLastDirectory(in.get()) == 1 ? ImageLibrary::Success : ImageLibrary::ErrFileRead;
}

int PageJoiner::appendPage(TiffG4Writer& writer, TiffHandle& in, const std::string& nativePath,
                           int page) {
    if (const int selected = in.selectPage(page); selected != ImageLibrary::Success) {
        return selected;
    }
    TiffPageTags tags;
    if (!tags.read(in.get())) {
        return ImageLibrary::ErrFileRead;
    }
    if (rawstrips::isCopyable(tags)) {
        return rawstrips::copyPage(in.get(), writer.get());
    }
    if (tags.isStreamableBilevel()) {
        return streamRows(writer, nativePath, page);
    }
    return thresholdPage(writer, nativePath, page);
}
