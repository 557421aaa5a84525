#include "image/ImageSettings.h"

#include "app/Settings.h"
#include "image/ImageTypeDetector.h"
#include "image/PreviewNaming.h"

#include <algorithm>

ImageSettings ImageSettings::from(const Settings& settings, const std::string& dataFolder,
                                  const std::string& programFolder) {
    ImageSettings s;
    s.margin = settings.margin;
    s.jpgResolution = std::clamp(settings.jpgResolution, 72, 600);
    s.tiffInfanticide = std::clamp(settings.tiffInfanticide, 1, 10);
    s.selection = PageSelection(settings.prevPage, settings.prevPageSelect);
    s.extensions = ImageTypeDetector::splitExtensions(settings.targetExt);
    s.loadPreview = settings.loadPreview == 1;
    s.dataFolder = dataFolder;
    s.tempFolder = PreviewNaming::tempFolder(dataFolder);
    s.programFolder = programFolder;
    s.threads = settings.threads;
    return s;
}
