#include "image/ImageProbe.h"

#include "base/FileSystem.h"
#include "image/Hp2xxConverter.h"
#include "image/ImageCheck.h"
#include "image/ImageFileHandle.h"
#include "image/ImageLibrary.h"
#include "image/PaperSize.h"

ImageFacts ImageProbe::inspect(const std::string& path, ImageType type) const {
    ImageFacts facts;
    facts.paperSize = PaperSize::unfixed();
    const std::string native = files::native(path).string();
    ImageFileHandle file;
    const bool opened = file.open(native);
    if (!opened && !files::isRegularFile(path)) {
        facts.result = 1;
        return facts;
    }
    if (opened) {
        facts.date = file.unlockedDate();
    }
    switch (type) {
    case ImageType::Tiff:
        inspectTiff(native, opened ? &file : nullptr, facts);
        break;
    case ImageType::Jpeg:
        inspectJpeg(native, facts);
        break;
    case ImageType::Pdf:
        inspectPdf(native, facts);
        break;
    case ImageType::HpGl2: {
        const Hp2xxConverter converter(m_settings.programFolder, m_settings.dataFolder,
                                       m_settings.converterPoll);
        facts.result = converter.count(path, facts.pageCount);
        return facts;
    }
    }
    if (!facts.pages.empty()) {
        const PageFacts& first = facts.pages.front();
        facts.pageCount = static_cast<int>(facts.pages.size());
        facts.paperSize = PaperSize::classify(first.widthMm, first.heightMm, m_settings.margin);
    }
    return facts;
}

void ImageProbe::inspectTiff(const std::string& native, const ImageFileHandle* file,
                             ImageFacts& facts) const {
    const bool magic = file != nullptr && ImageCheck::hasTiffMagic(file->head(), file->headSize());
    if (ImageTypeDetector::hasTiffExtension(native) && !magic) {
        facts.result = -1;
        return;
    }
    const int read =
        file != nullptr
            ? PageMeasure::tiffPages(*file, native, m_settings.jpgResolution, facts.pages)
            : PageMeasure::tiffPages(native, m_settings.jpgResolution, facts.pages);
    if (read != ImageLibrary::Success) {
        facts.pages.clear();
        facts.result = read;
        return;
    }
    facts.result = ImageCheck::checkTiff(facts.pages, m_settings.margin, facts.overA0);
}

void ImageProbe::inspectJpeg(const std::string& native, ImageFacts& facts) const {
    PageFacts page;
    const int read = PageMeasure::rasterPage(native, m_settings.jpgResolution, page);
    if (read != ImageLibrary::Success) {
        facts.result = read;
        return;
    }
    facts.pages.push_back(page);
    facts.result = ImageCheck::checkJpeg(facts.pages, m_settings.margin);
}

void ImageProbe::inspectPdf(const std::string& native, ImageFacts& facts) const {
    if (PageMeasure::pdfPages(native, facts.pages) != ImageLibrary::Success) {
        facts.pages.clear();
        facts.result = -1;
        return;
    }
    facts.result = ImageCheck::checkPdf(facts.pages, m_settings.margin);
}
