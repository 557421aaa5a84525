#include "image/PreviewMaker.h"

#include "base/FileSystem.h"
#include "base/MainView.h"
#include "base/Prompter.h"
#include "image/Hp2xxConverter.h"
#include "image/ImageCheck.h"
#include "image/ImageLibrary.h"
#include "image/ImageLibraryFiles.h"
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

// A writable copy of source (file-system paths) that appears at target only when complete.
int copyWritable(const std::string& source, const std::string& target) {
    const auto temporary = ImageLibraryFiles::temporaryBeside(target);
    if (!temporary) {
        return -1;
    }
    std::error_code error;
    fs::copy_file(source, *temporary, fs::copy_options::overwrite_existing, error);
    if (!error) {
        files::setCreatedMode(*temporary);
        fs::permissions(*temporary, fs::perms::owner_read | fs::perms::owner_write,
                        fs::perm_options::add, error);
    }
    return ImageLibraryFiles::commit(*temporary, target, !error) == ImageLibrary::Success ? 0 : -1;
}

// Library results (1 success) as conversion results (0 success).
int asResult(int libraryResult) {
    return libraryResult == ImageLibrary::Success ? 0 : libraryResult;
}

} // namespace

PreviewMaker::PreviewMaker(const ImageSettings& settings, MainView* view, Prompter* prompter)
    : m_settings(settings), m_view(view), m_prompter(prompter) {
}

PreviewResult PreviewMaker::make(const std::string& path, ImageType type,
                                 std::stop_token stop) const {
    switch (type) {
    case ImageType::Pdf:
        return makePdf(path, stop);
    case ImageType::HpGl2:
        return makeHpGl(path);
    case ImageType::Tiff:
    case ImageType::Jpeg:
        break;
    }
    return makeRaster(path, type, stop);
}

bool PreviewMaker::stopped(const std::stop_token& stop, PreviewResult& result) const {
    if (!stop.stop_requested()) {
        return false;
    }
    discard(result);
    result.result = -1;
    return true;
}

void PreviewMaker::discard(PreviewResult& result) const {
    for (const std::string& name : result.files) {
        files::removeFile(files::join(m_settings.tempFolder, name));
    }
    result.files.clear();
    result.pageCount = 0;
    result.previewCount = 0;
}

int PreviewMaker::resizePage(const std::string& path, int page, int factor,
                             const std::string& target) const {
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

int PreviewMaker::reduceTiffPage(const std::string& path, int page, int bitsPerPixel,
                                 const std::vector<ImageLibrary::Reduction>& copies) const {
    int streamed = ImageLibrary::ErrUnsupported;
    {
        WaitCursor wait(bitsPerPixel == 1 ? m_view : nullptr);
        streamed = ImageLibrary::reduceTiffPage(path, page, copies);
    }
    if (streamed != ImageLibrary::ErrUnsupported) {
        return streamed == ImageLibrary::Success ? 0 : -1;
    }
    // A page stored in a way the streaming reduction does not decode is loaded whole.
    for (const ImageLibrary::Reduction& copy : copies) {
        if (const int r = resizePage(path, page, copy.factor, copy.target); r != 0) {
            return r;
        }
    }
    return 0;
}

PreviewResult PreviewMaker::makeRaster(const std::string& path, ImageType type,
                                       const std::stop_token& stop) const {
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
        if (stopped(stop, out)) {
            return out;
        }
        const int number = out.previewCount + 1;
        const std::string name = PreviewNaming::previewName(fileName, number);
        const std::string target = files::native(files::join(m_settings.tempFolder, name));
        const std::string zoomed = PreviewNaming::previewName(fileName, number, true);
        const std::string zoomedTarget = files::native(files::join(m_settings.tempFolder, zoomed));
        int r = 0;
        if (tiff) {
            std::vector<ImageLibrary::Reduction> copies{{m_settings.tiffInfanticide, target}};
            if (magnify) {
                copies.push_back({2, zoomedTarget});
            }
            r = reduceTiffPage(native, page, pages[static_cast<std::size_t>(page - 1)].bitsPerPixel,
                               copies);
        } else {
            r = copyWritable(native, target);
            if (r == 0 && magnify) {
                r = resizePage(native, page, 2, zoomedTarget);
                if (r != 0) {
                    files::removeFile(target);
                }
            }
        }
        if (r == 0) {
            out.files.push_back(name);
            ++out.previewCount;
            if (magnify) {
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

PreviewResult PreviewMaker::makePdf(const std::string& path, const std::stop_token& stop) const {
    PreviewResult out;
    if (!files::isRegularFile(path)) {
        out.result = 1;
        return out;
    }
    PopplerDocument document;
    if (document.open(files::native(path).string()) != ImageLibrary::Success ||
        document.pageCount() < 1) {
        out.result = -1;
        return out;
    }
    // The file passes the same check as when it is listed before any page is rendered, so that
    // a file the list marks invalid is never converted.
    std::vector<PageFacts> pages;
    if (PageMeasure::pdfPages(document, pages) != ImageLibrary::Success ||
        ImageCheck::checkPdf(pages, m_settings.margin) != 0) {
        out.result = -1;
        return out;
    }
    if (!ensureFolder(m_settings.tempFolder)) {
        out.result = -1;
        return out;
    }
    const std::string fileName = files::fileName(path);
    for (const int page : m_settings.selection.pagesToPreview(document.pageCount())) {
        if (stopped(stop, out)) {
            return out;
        }
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
