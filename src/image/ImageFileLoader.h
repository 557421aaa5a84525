#pragma once

#include "image/ImageEntry.h"
#include "image/ImageSettings.h"
#include "image/ImageTypeDetector.h"

#include <string>

class MainView;
class Prompter;

// What the folder scan does for one listed file: measure it (type, paper size of page 1, page
// count, preview-valid flag) and, with LoadPreview, make its preview files unless the first one
// is already in the temp folder. The date is filled in when it could be read while the file was
// open (the caller tries again when it is empty).
class ImageFileLoader {
public:
    // view and prompter may be null (worker threads).
    static ImageEntry load(const std::string& folder, const std::string& fileName, ImageType type,
                           const ImageSettings& settings, MainView* view, Prompter* prompter);
};
