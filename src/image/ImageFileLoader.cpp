#include "image/ImageFileLoader.h"

#include "base/FileSystem.h"
#include "image/ImageProbe.h"
#include "image/PreviewMaker.h"
#include "image/PreviewNaming.h"

ImageEntry ImageFileLoader::load(const std::string& folder, const std::string& fileName,
                                 ImageType type, const ImageSettings& settings, MainView* view,
                                 Prompter* prompter) {
    const std::string path = files::join(folder, fileName);
    const ImageFacts facts = ImageProbe(settings).inspect(path, type);
    ImageEntry entry;
    entry.type = ImageTypeDetector::typeText(type);
    entry.fileName = fileName;
    entry.paperSize = facts.paperSize;
    entry.pageCount = facts.pageCount;
    entry.previewValid = facts.result == 0;
    entry.date = facts.date.value_or(std::string());
    if (entry.previewValid && settings.loadPreview &&
        !files::exists(PreviewNaming::previewPath(settings.tempFolder, fileName, 1))) {
        const PreviewResult preview = PreviewMaker(settings, view, prompter).make(path, type);
        if (preview.result != 0) {
            entry.previewValid = false;
            entry.pageCount = 0;
        }
    }
    return entry;
}
