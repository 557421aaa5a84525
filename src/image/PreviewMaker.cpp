#include "image/PreviewMaker.h"

#include "base/FileSystem.h"
#include "base/MainView.h"
#include "base/Prompter.h"
#include "image/Hp2xxConverter.h"
#include "image/ImageCheck.h"
#include "image/ImageLibrary.h"
#include "image/PageMeasure.h"
#include "image/PaperSize.h"
#include "image/PopplerDocument.h"
#include "image/PreviewNaming.h"

#include <algorithm>
#include <filesystem>

namespace fs = std::filesystem;

namespace {

// Shows the wait cursor for the life of the object.
class WaitCursor {
public:
    explicit WaitCursor(MainView* view) : m_view(view) {
        if (m_view != nullptr) {
            m_view->setWaitCursor(true);
        }
    }
    ~WaitCursor() {
        if (m_view != nullptr) {
            m_view->setWaitCursor(false);
        }
    }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

private:
    MainView* m_view;
};

bool ensureFolder(const std::string& folder) {
    return files::isDirectory(folder) || files::createDirectory(folder);
}

int copyWritable(const std::string& source, const std::string& target) {
    std::error_code error;
    fs::copy_file(files::native(source), files::native(target),
                  fs::copy_options::overwrite_existing, error);
    if (error) {
        return -1;
    }
    fs::permissions(files::native(target), fs::perms::owner_read | fs::perms::owner_write,
                    fs::perm_options::add, error);
    return 0;
}

// Library results (1 success) as conversion results (0 success).
int asResult(int libraryResult) {
    return libraryResult == ImageLibrary::Success ? 0 : libraryResult;
}

} // namespace

PreviewMaker::PreviewMaker(const ImageSettings& settings, MainView* view, Prompter* prompter)
    : m_settings(settings), m_view(view), m_prompter(prompter) {
}

PreviewResult PreviewMaker::make(const std::string& path, ImageType type) const {
    switch (type) {
    case ImageType::Pdf:
        return makePdf(path);
    case ImageType::HpGl2:
        return makeHpGl(path);
    case ImageType::Tiff:
    case ImageType::Jpeg:
        break;
    }
    return makeRaster(path, type);
}

void PreviewMaker::discard(PreviewResult& result) const {
    for (const std::string& name : result.files) {
        files::removeFile(files::join(m_settings.tempFolder, name));
    }
    result.files.clear();
    result.pageCount = 0;
    result.previewCount = 0;
}

int PreviewMaker::reducePage(const std::string& path, int page, int bitsPerPixel, bool tiff,
                             int factor, const std::string& target) const {
    if (tiff && bitsPerPixel == 1) {
        int thinned = ImageLibrary::ErrUnsupported;
        {
            WaitCursor wait(m_view);
            thinned = ImageLibrary::thinTiffPage(path, page, factor, target);
        }
        if (thinned == ImageLibrary::Success) {
            return 0;
        }
        // A tiled 1-bit page cannot be streamed; it is reduced like any other page below.
        if (thinned != ImageLibrary::ErrUnsupported) {
            return -1;
        }
    }
    PixHandle pix;
    if (const int r = ImageLibrary::loadPage(path, page, pix); r != ImageLibrary::Success) {
        return r;
    }
    const int width = std::max(1, pix.width() / factor);
    const int height = std::max(1, pix.height() / factor);
    if (const int r = ImageLibrary::resize(pix, width, height); r != ImageLibrary::Success) {
        return r;
    }
    return asResult(ImageLibrary::saveByDepth(target, pix));
}

PreviewResult PreviewMaker::makeRaster(const std::string& path, ImageType type) const {
    PreviewResult out;
    if (!files::isRegularFile(path)) {
        out.result = 1;
        return out;
    }
    const std::string native = files::native(path).string();
    const bool tiff = type == ImageType::Tiff;
    std::vector<PageFacts> pages;
    if (tiff) {
        if (!ImageCheck::hasTiffMagic(native)) {
            out.result = -1;
            return out;
        }
        if (const int r = PageMeasure::tiffPages(native, m_settings.jpgResolution, pages);
            r != ImageLibrary::Success) {
            out.result = r;
            return out;
        }
        bool overA0 = false;
        out.result = ImageCheck::checkTiff(pages, m_settings.margin, overA0);
    } else {
        PageFacts page;
        if (const int r = PageMeasure::rasterPage(native, m_settings.jpgResolution, page);
            r != ImageLibrary::Success) {
            out.result = r;
            return out;
        }
        pages.push_back(page);
        out.result = ImageCheck::checkJpeg(pages, m_settings.margin);
    }
    if (out.result != 0) {
        return out;
    }
    if (!ensureFolder(m_settings.tempFolder)) {
        out.result = -1;
        return out;
    }
    const std::string fileName = files::fileName(path);
    const std::string paper =
        PaperSize::classify(pages.front().widthMm, pages.front().heightMm, m_settings.margin);
    const bool magnify = PaperSize::needsMagnifiedPreview(paper);
    const std::vector<int> selected =
        tiff ? m_settings.selection.pagesToPreview(static_cast<int>(pages.size()))
             : std::vector<int>{1};
    for (const int page : selected) {
        const int number = out.previewCount + 1;
        const std::string name = PreviewNaming::previewName(fileName, number);
        const std::string target = files::native(files::join(m_settings.tempFolder, name));
        const int bits = pages[static_cast<std::size_t>(page - 1)].bitsPerPixel;
        int r = tiff ? reducePage(native, page, bits, true, m_settings.tiffInfanticide, target)
                     : copyWritable(path, files::join(m_settings.tempFolder, name));
        if (r == 0) {
            out.files.push_back(name);
            ++out.previewCount;
        }
        if (r == 0 && magnify) {
            const std::string zoomed = PreviewNaming::previewName(fileName, number, true);
            r = reducePage(native, page, bits, tiff, 2,
                           files::native(files::join(m_settings.tempFolder, zoomed)));
            if (r == 0) {
                out.files.push_back(zoomed);
            }
        }
        if (r != 0) {
            discard(out);
            out.result = r;
            return out;
        }
    }
    out.pageCount = static_cast<int>(pages.size());
    return out;
}

PreviewResult PreviewMaker::makePdf(const std::string& path) const {
    PreviewResult out;
    if (!files::isRegularFile(path)) {
        out.result = 1;
        return out;
    }
    if (!ensureFolder(m_settings.tempFolder)) {
        out.result = -1;
        return out;
    }
    PopplerDocument document;
    if (document.open(files::native(path).string()) != ImageLibrary::Success ||
        document.pageCount() < 1) {
        out.result = -1;
        return out;
    }
    const std::string fileName = files::fileName(path);
    for (const int page : m_settings.selection.pagesToPreview(document.pageCount())) {
        PixHandle pix;
        if (document.render(page, ImageLibrary::PdfDpi, pix) != ImageLibrary::Success) {
            discard(out);
            out.result = -1;
            out.pdfRenderFailed = true;
            if (m_prompter != nullptr) {
                m_prompter->tell(Msg::PdfConvertFailed);
            }
            return out;
        }
        const std::string name = PreviewNaming::previewName(fileName, out.previewCount + 1);
        const int saved =
            ImageLibrary::save(files::native(files::join(m_settings.tempFolder, name)), pix,
                               ImageLibrary::FormatPng, 0);
        if (saved != ImageLibrary::Success) {
            discard(out);
            out.result = saved;
            return out;
        }
        out.files.push_back(name);
        ++out.previewCount;
    }
    out.pageCount = document.pageCount();
    return out;
}

PreviewResult PreviewMaker::makeHpGl(const std::string& path) const {
    PreviewResult out;
    if (!files::isRegularFile(path)) {
        out.result = 1;
        return out;
    }
    if (!ensureFolder(m_settings.tempFolder)) {
        out.result = -1;
        return out;
    }
    const Hp2xxConverter converter(m_settings.programFolder, m_settings.dataFolder,
                                   m_settings.converterPoll);
    int pages = 0;
    out.result =
        converter.convert(path, m_settings.tempFolder, files::fileName(path), pages, out.files);
    if (out.result != 0) {
        discard(out);
        return out;
    }
    out.pageCount = out.previewCount = pages;
    return out;
}
