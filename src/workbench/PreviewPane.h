#pragma once

#include "image/ImageSettings.h"
#include "image/ImageTypeDetector.h"
#include "workbench/PreviewDisplay.h"

#include <memory>
#include <optional>
#include <string>

class CellGrid;
class DialogHost;
class LaunchRequester;
class MainView;
class PreviewApplicationChooser;
class PreviewEntryRefresher;
class PreviewFileFacts;
class PreviewPaneObserver;
class PreviewPrefetch;
class ProgramLauncher;
class Prompter;
struct LaunchAttachment;

// The pane's state: the entry shown, its counts and the page on the preview. Texts are cp932.
struct PreviewPaneState {
    int row = 0;           // image list row shown, 0 for none
    std::string fileName;  // column 3 of the row
    std::string filePath;  // image folder + file name
    std::string extension; // as the file name spells it
    std::optional<ImageType> type;
    int pageCount = 0;      // pages of the file (0 after a failed conversion)
    int previewCount = 0;   // pages that have previews
    int previewNumber = 0;  // 1-based preview shown, 0 for none
    int sourcePage = 0;     // page of the file that preview shows
    std::string paperText;  // as shown in 1069
    PreviewMetrics metrics; // of the large preview
};

// The left half of the main window: the current image entry one preview at a time, with its file
// name, paper size, preview number and count, the page buttons, the hidden high-resolution page
// of a TIFF and the command that opens the image with an application. Talks to the window
// through MainView, to the displays through PreviewDisplay and to the operator through Prompter.
class PreviewPane {
public:
    struct Seams {
        MainView& view;
        Prompter& prompter;
        PreviewDisplay& display;
        CellGrid& imageGrid;
        PreviewEntryRefresher& refresher;
    };

    explicit PreviewPane(Seams seams);

    // The settings in force (PrevPage, PrevPageSelect, Margin, JPGResolution, TiffInfanticide,
    // the temp folder) and TiffExpanMode.
    void setSettings(const ImageSettings& settings, bool tiffExpanMode);
    // The folder the image list lists.
    void setImageFolder(const std::string& folder) { m_imageFolder = folder; }
    void setObserver(PreviewPaneObserver* observer);
    // Makes the previews beside the entry on show ahead of the operator; null for none.
    void setPrefetch(PreviewPrefetch* prefetch) { m_prefetch = prefetch; }

    // Shows entry row of the image list at previewNumber (row 0 empties the pane and disables
    // 1018, 1029 and 1032). True when a page is on the preview.
    bool showEntry(int row, int previewNumber = 1);
    // Empties the pane: texts, displays, page buttons, 1018, 1029 and 1032.
    void clear();
    // Page buttons 1022 to 1025: shows the preview the button leads to. False when id is no page
    // button or the button does not apply.
    bool pageCommand(int id);
    // After the window laid out the pane anew: refreshes the metrics and redraws the areas.
    void resized();

    // 1029 "ｱﾌﾟﾘｹｰｼｮﾝで開く" for a TIFF entry: the chosen application is started as a watched
    // launch that disables the window and posts 0x464 with the file when it ends. True when the
    // launch was started.
    bool openWithApplication(ProgramLauncher& launcher, LaunchRequester& requester,
                             const PreviewApplicationChooser& chooser);
    // 0x464: the application has ended; the entry's previews are made again and it is shown
    // again (or the pane keeps only its file name when that failed).
    void applicationEnded(std::unique_ptr<LaunchAttachment> attachment);
    // 1018: the image editor on the entry shown (a single-page TIFF); after OK the entry is
    // refreshed from the file and shown again. True when the editor ended with OK.
    bool editImage(DialogHost& dialogs, bool noiseErase);

    const PreviewPaneState& state() const { return m_state; }
    const PreviewMetrics& metrics() const { return m_state.metrics; }
    const std::string& paperSizeText() const { return m_state.paperText; }
    int previewNumber() const { return m_state.previewNumber; }

private:
    void showConversionFailure();
    void refreshFile(const std::string& path);
    void loadHighResSource(const PreviewFileFacts& facts);

    Seams m_seams;
    ImageSettings m_settings;
    bool m_tiffExpanMode = true;
    std::string m_imageFolder;
    PreviewPaneObserver* m_observer;
    PreviewPrefetch* m_prefetch = nullptr;
    PreviewPaneState m_state;
};
