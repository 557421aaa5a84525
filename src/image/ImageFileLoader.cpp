#include "image/ImageFileLoader.h"

#include "base/FileSystem.h"
#include "image/ImageProbe.h"
#include "image/PreviewMaker.h"
#include "image/PreviewNaming.h"
#include "image/PrivateFolder.h"

#include <filesystem>

namespace {

PreviewResult convert(const std::string& path, ImageType type, const ImageSettings& settings,
                      const std::stop_token& stop) {
    if (settings.keepPreviews) {
        return PreviewMaker(settings).make(path, type, stop);
    }
    std::error_code error;
    const PrivateFolder scratch(std::filesystem::temp_directory_path(error).string(),
                                "nomira-check-");
    if (!scratch.isValid()) {
        PreviewResult failed;
        failed.result = -1;
        return failed;
    }
    ImageSettings checking = settings;
    checking.tempFolder = scratch.path();
    return PreviewMaker(checking).make(path, type, stop);
}

} // namespace

ImageFileLoader::Loaded ImageFileLoader::load(const std::string& folder,
                                              const std::string& fileName, ImageType type,
                                              const ImageSettings& settings, std::stop_token stop) {
    const std::string path = files::join(folder, fileName);
    const ImageFacts facts = ImageProbe(settings).inspect(path, type);
    Loaded out;
    ImageEntry& entry = out.entry;
    entry.type = ImageTypeDetector::typeText(type);
    entry.fileName = fileName;
    entry.paperSize = facts.paperSize;
    entry.pageCount = facts.pageCount;
    entry.previewValid = facts.result == 0;
    entry.date = facts.date.value_or(std::string());
    if (entry.previewValid && settings.loadPreview &&
        !files::exists(PreviewNaming::previewPath(settings.tempFolder, fileName, 1))) {
        const PreviewResult preview = convert(path, type, settings, stop);
        out.pdfRenderFailed = preview.pdfRenderFailed;
        if (preview.result != 0) {
            entry.previewValid = false;
            entry.pageCount = 0;
        }
    }
    return out;
}
