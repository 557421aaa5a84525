#pragma once

#include "image/ImageEntry.h"
#include "image/ImageSettings.h"
#include "image/ImageTypeDetector.h"

#include <stop_token>
#include <string>

// What the folder scan does for one listed file: measure it (type, paper size of page 1, page
// count, preview-valid flag) and, with LoadPreview, make its preview files unless the first one
// is already in the temp folder. The date is filled in when it could be read while the file was
// open (the caller tries again when it is empty). Runs on any thread: it shows nothing and says
// what the caller has to show.
class ImageFileLoader {
public:
    struct Loaded {
        ImageEntry entry;
        bool pdfRenderFailed = false; // the caller shows the PDF conversion message
    };

    // A stop request ends the conversion between pages, leaving none of its files behind.
    // Without keepPreviews the conversion runs in a scratch folder that goes away with it: the
    // flag is known and the temp folder stays as it was.
    static Loaded load(const std::string& folder, const std::string& fileName, ImageType type,
                       const ImageSettings& settings, std::stop_token stop = {});
};
