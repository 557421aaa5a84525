#pragma once

#include "image/ImageLibrary.h"
#include "image/ImageSettings.h"
#include "image/ImageTypeDetector.h"

#include <stop_token>
#include <string>
#include <vector>

class MainView;
class Prompter;

// The outcome of making the preview files of one image file.
struct PreviewResult {
    int result = 0; // 0 success, 1 missing, 3/6 converter, -1 rejected or failed, else library
    int pageCount = 0;
    int previewCount = 0;
    std::vector<std::string> files; // names in the temp folder, magnified previews included
    bool pdfRenderFailed = false;   // a PDF page could not be rendered (its message was shown)
};

// Makes the preview files of one image file in the temp folder: TIFF pages thinned (1 bit) or
// reduced, JPEG files copied, PDF pages rendered at 100 %, HP-GL/2 pages through hp2xx. A failed
// conversion leaves none of the files it began.
class PreviewMaker {
public:
    // view gets the wait cursor while 1-bit pages are thinned; prompter the PDF failure message.
    // Either may be null (worker threads pass neither).
    PreviewMaker(const ImageSettings& settings, MainView* view = nullptr,
                 Prompter* prompter = nullptr);

    // A stop request ends the conversion before its next page and removes the pages it made
    // (result -1): a preview set is complete or absent.
    PreviewResult make(const std::string& path, ImageType type, std::stop_token stop = {}) const;

private:
    PreviewResult makeRaster(const std::string& path, ImageType type,
                             const std::stop_token& stop) const;
    PreviewResult makePdf(const std::string& path, const std::stop_token& stop) const;
    PreviewResult makeHpGl(const std::string& path) const;
    // One page loaded whole, resized by factor and saved by depth into target.
    int resizePage(const std::string& path, int page, int factor, const std::string& target) const;
    // The reduced copies of one TIFF page, streamed when its layout allows, else each resized.
    int reduceTiffPage(const std::string& path, int page, int bitsPerPixel,
                       const std::vector<ImageLibrary::Reduction>& copies) const;
    void discard(PreviewResult& result) const;
    // True (and the pages made discarded) when a stop was asked for.
    bool stopped(const std::stop_token& stop, PreviewResult& result) const;

    const ImageSettings& m_settings;
    MainView* m_view;
    Prompter* m_prompter;
};
