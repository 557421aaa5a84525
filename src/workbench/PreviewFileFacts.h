#pragma once

#include "image/ImageSettings.h"
#include "image/ImageTypeDetector.h"
#include "image/PageMeasure.h"

#include <optional>
#include <stop_token>
#include <string>
#include <vector>

class MainView;
class Prompter;

// Where the hidden high-resolution page of a TIFF comes from: the magnified preview file of the
// shown preview, or a page of the image file itself. path is a file-system path (UTF-8).
struct PreviewHighResSource {
    std::string path;
    int page = 1;
    bool magnifiedPreview = false;

    bool operator==(const PreviewHighResSource&) const = default;
};

// What the preview pane knows of the file it shows: whether its previews exist or could be made,
// its page count and preview count, and its measured pages.
class PreviewFileFacts {
public:
    // The file at path (cp932) is shown at previewNumber. When that preview file is in the temp
    // folder, with its magnified preview where the file gets one, the file is only measured and
    // counted; otherwise its previews are made (without keepPreviews it is only measured and
    // counted). view and prompter go to the conversion (wait cursor, PDF failure message);
    // either may be null. A stop request ends the conversion with none of its files left.
    static PreviewFileFacts gather(const std::string& path, ImageType type, int previewNumber,
                                   const ImageSettings& settings, MainView* view,
                                   Prompter* prompter, std::stop_token stop = {});

    // 0 when the previews exist and the counts are known, else the conversion's or the
    // measurement's result.
    int result() const { return m_result; }
    bool ok() const { return m_result == 0; }
    int pageCount() const { return m_pageCount; }
    int previewCount() const { return m_previewCount; }

    // The page of the file that preview previewNumber shows: with a page selection the selected
    // pages are numbered 1, 2, 3 in page order (the first page when none is selected). JPEG and
    // HP-GL2 previews are numbered like their pages.
    int sourcePage(int previewNumber, const PageSelection& selection) const;
    // Each preview of the file comes with a magnified preview: a TIFF or JPEG whose first page is
    // of a size that gets one.
    bool hasMagnifiedPreview(int margin) const;

    // The paper size of page as the pane shows it: "A4 縦 (幅 210mm×高さ 297mm)"; "不定形" alone
    // for HP-GL2 files and for a page that cannot be measured.
    std::string paperText(int page, int margin) const;

    // The high-resolution source of a TIFF shown at previewNumber (page = its source page): none
    // when page 1 is larger than A0; the magnified preview file when page 1 is of a size that gets
    // one (A0, A1, A2, B0, B1, B2, B3); otherwise the page of the file itself.
    std::optional<PreviewHighResSource> highResSource(const std::string& path, int previewNumber,
                                                      int page,
                                                      const ImageSettings& settings) const;

private:
    static PreviewFileFacts measure(const std::string& path, ImageType type,
                                    const ImageSettings& settings);

    ImageType m_type = ImageType::Tiff;
    int m_result = -1;
    int m_pageCount = 0;
    int m_previewCount = 0;
    std::vector<PageFacts> m_pages;
};
