#include "workbench/PreviewFileFacts.h"

#include "base/FileSystem.h"
#include "image/ImageLibrary.h"
#include "image/PaperSize.h"
#include "image/PreviewMaker.h"
#include "image/PreviewNaming.h"

namespace {

// HP-GL2 pages are counted by the converter, which is slow; once previews exist their number is
// the number of consecutive preview files.
int countPreviewFiles(const std::string& tempFolder, const std::string& fileName) {
    int count = 0;
    while (count < PageSelection::kFlagCount &&
           files::isRegularFile(PreviewNaming::previewPath(tempFolder, fileName, count + 1))) {
        ++count;
    }
    return count;
}

} // namespace

PreviewFileFacts PreviewFileFacts::measure(const std::string& path, ImageType type,
                                           const ImageSettings& settings) {
    PreviewFileFacts facts;
    facts.m_type = type;
    const std::string native = files::native(path).string();
    int result = ImageLibrary::Success;
    switch (type) {
    case ImageType::Tiff:
        result = PageMeasure::tiffPages(native, settings.jpgResolution, facts.m_pages);
        break;
    case ImageType::Pdf:
        result = PageMeasure::pdfPages(native, facts.m_pages);
        break;
    case ImageType::Jpeg: {
        PageFacts page;
        result = PageMeasure::rasterPage(native, settings.jpgResolution, page);
        facts.m_pages.push_back(page);
        break;
    }
    case ImageType::HpGl2: {
        const int count = countPreviewFiles(settings.tempFolder, files::fileName(path));
        facts.m_result = count > 0 ? 0 : -1;
        facts.m_pageCount = facts.m_previewCount = count;
        return facts;
    }
    }
    if (result != ImageLibrary::Success) {
        facts.m_result = result;
        facts.m_pages.clear();
        return facts;
    }
    facts.m_result = 0;
    facts.m_pageCount = static_cast<int>(facts.m_pages.size());
    facts.m_previewCount =
        type == ImageType::Jpeg ? 1 : settings.selection.previewCount(facts.m_pageCount);
    return facts;
}

PreviewFileFacts PreviewFileFacts::gather(const std::string& path, ImageType type,
                                          int previewNumber, const ImageSettings& settings,
                                          MainView* view, Prompter* prompter,
                                          std::stop_token stop) {
    const std::string fileName = files::fileName(path);
    if (files::isRegularFile(
            PreviewNaming::previewPath(settings.tempFolder, fileName, previewNumber))) {
        PreviewFileFacts facts = measure(path, type, settings);
        // A preview whose magnified companion is missing is made again with it.
        if (!facts.ok() || !facts.hasMagnifiedPreview(settings.margin) ||
            files::isRegularFile(
                PreviewNaming::previewPath(settings.tempFolder, fileName, previewNumber, true))) {
            return facts;
        }
    }
    if (!settings.keepPreviews) {
        return measure(path, type, settings);
    }
    const PreviewResult made = PreviewMaker(settings, view, prompter).make(path, type, stop);
    if (made.result != 0) {
        PreviewFileFacts failed;
        failed.m_type = type;
        failed.m_result = made.result;
        return failed;
    }
    PreviewFileFacts facts = measure(path, type, settings);
    if (facts.ok()) {
        // The conversion's own counts are the truth for the files it just wrote.
        facts.m_pageCount = made.pageCount;
        facts.m_previewCount = made.previewCount;
    }
    return facts;
}

bool PreviewFileFacts::hasMagnifiedPreview(int margin) const {
    if ((m_type != ImageType::Tiff && m_type != ImageType::Jpeg) || m_pages.empty()) {
        return false;
    }
    const PageFacts& first = m_pages.front();
    return PaperSize::needsMagnifiedPreview(
        PaperSize::classify(first.widthMm, first.heightMm, margin));
}

int PreviewFileFacts::sourcePage(int previewNumber, const PageSelection& selection) const {
    if (m_type != ImageType::Tiff && m_type != ImageType::Pdf) {
        return previewNumber;
    }
    const std::vector<int> pages = selection.pagesToPreview(m_pageCount);
    if (previewNumber < 1 || previewNumber > static_cast<int>(pages.size())) {
        return previewNumber;
    }
    return pages[static_cast<std::size_t>(previewNumber - 1)];
}

std::string PreviewFileFacts::paperText(int page, int margin) const {
    if (m_type == ImageType::HpGl2 || page < 1 || page > static_cast<int>(m_pages.size())) {
        return PaperSize::unfixed();
    }
    const PageFacts& facts = m_pages[static_cast<std::size_t>(page - 1)];
    return PaperSize::describe(facts.widthMm, facts.heightMm, margin);
}

std::optional<PreviewHighResSource>
PreviewFileFacts::highResSource(const std::string& path, int previewNumber, int page,
                                const ImageSettings& settings) const {
    if (m_type != ImageType::Tiff || m_pages.empty()) {
        return std::nullopt;
    }
    const PageFacts& first = m_pages.front();
    if (PaperSize::isOverA0(first.widthMm, first.heightMm, settings.margin)) {
        return std::nullopt;
    }
    if (hasMagnifiedPreview(settings.margin)) {
        const std::string zoomed = PreviewNaming::previewPath(
            settings.tempFolder, files::fileName(path), previewNumber, true);
        return PreviewHighResSource{files::native(zoomed).string(), 1, true};
    }
    return PreviewHighResSource{files::native(path).string(), page, false};
}
