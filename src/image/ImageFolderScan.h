#pragma once

#include "image/FileDate.h"
#include "image/ImageSettings.h"
#include "image/PreviewMaker.h"

#include <chrono>
#include <cstddef>
#include <functional>
#include <optional>
#include <string>

class CellGrid;
class MainView;
class Prompter;
class WorkerPool;

// The image list: listing the image folder into its grid (one entry per image file, measured and,
// with LoadPreview, converted to preview files), reloading, deleting image files, refreshing one
// entry, and the clean-up of preview files. Reports through MainView and Prompter.
class ImageFolderScan {
public:
    // How a scan was asked for: a plain rescan keeps the preview files, a reload and a folder
    // choice delete them first; a folder choice also runs the before-listing hook.
    enum class Mode { Rescan, Reload, FolderChoice };

    static constexpr int kMaxImages = 1000;
    static constexpr int kProgressMax = 1000;

    // Controls of the main window that the image list steers.
    enum Control : int {
        Release = 1014,
        ReloadImages = 1016,
        EditImage = 1018,
        FirstPage = 1022,
        PreviousPage = 1023,
        LastPage = 1024,
        NextPage = 1025,
        OpenWithApplication = 1029,
        DesignateArea = 1032,
        BatchAssign = 1063,
        BatchRelease = 1064,
        Assign = 1065,
        ImageFileName = 1068,
        PaperSizeText = 1069,
        CurrentPage = 1070,
        PageCountText = 1071,
        ImageGroup = 1073,
    };

    ImageFolderScan(CellGrid& grid, MainView& view, Prompter& prompter);

    // The workers that measure and convert while a folder loads; without them the scan runs
    // every file on the calling thread.
    void setPool(WorkerPool* pool) { m_pool = pool; }
    // The rename-list grid, whose redrawing is also stopped while a folder loads.
    void setOtherGrid(CellGrid* grid) { m_otherGrid = grid; }
    // Run by a folder choice after the checks, before listing (release assignments, clear the
    // preview controls).
    void setBeforeListing(std::function<void()> hook) { m_beforeListing = std::move(hook); }
    // Pause between attempts to read a locked file's date (500 ms).
    void setRetryPause(std::chrono::milliseconds pause) { m_retryPause = pause; }
    // How a file's date is looked at and how a retry waits (FileDate::look, FileDate::sleep).
    void setDateProbe(FileDate::Probe probe, FileDate::Wait wait) {
        m_dateProbe = std::move(probe);
        m_dateWait = std::move(wait);
    }

    // The folder dialog of the load button; nothing when cancelled.
    std::optional<std::string> chooseFolder(const std::string& currentFolder);
    // The folder exists and may be listed; otherwise its message is shown.
    bool checkFolder(const std::string& folder);

    // Lists folder into the grid. False (and the list unchanged) when the folder check failed.
    bool scan(const std::string& folder, const ImageSettings& settings, Mode mode);

    int imageCount() const { return m_imageCount; }
    bool limitHit() const { return m_limitHit; }

    // Deletes the files of the selected rows after the operator agreed, then rescans.
    // False when nothing was deleted (no selection, answered No, folder check failed).
    bool deleteSelected(const std::string& folder, const ImageSettings& settings);
    // The context menu's "削除" is enabled: entries, a selected row, no assignment.
    static bool canDelete(const CellGrid& grid, std::size_t assignmentCount);

    // Makes the preview files of one entry again (after the file was edited); for a TIFF file the
    // paper size and date are read again. Shows the conversion failure message.
    PreviewResult refreshEntry(int row, const std::string& folder, const ImageSettings& settings);

    // Deletes every "*.png" in the temp folder.
    static void cleanTemp(const std::string& tempFolder);
    static int progressStep(int listedFiles);
    static std::string countCaption(int count);

private:
    void showEmptyState(Mode mode);
    void setRedraw(bool on);

    CellGrid& m_grid;
    MainView& m_view;
    Prompter& m_prompter;
    CellGrid* m_otherGrid = nullptr;
    WorkerPool* m_pool = nullptr;
    std::function<void()> m_beforeListing;
    std::chrono::milliseconds m_retryPause{500};
    FileDate::Probe m_dateProbe = FileDate::look;
    FileDate::Wait m_dateWait = FileDate::sleep;
    int m_imageCount = 0;
    bool m_limitHit = false;
};
