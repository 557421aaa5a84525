#pragma once

#include "base/CellGridObserver.h"
#include "image/ImageFolderScan.h"
#include "image/ImageSettings.h"
#include "workbench/PreviewEntryRefresher.h"

#include <optional>
#include <string>

class AssignmentPort;
class CellGrid;
class DialogHost;
class MainView;
class Prompter;
class SettingsStore;
class Workbench;
struct WorkbenchState;

// The image list in the main window: loading the image folder (the load button and the start-up
// request), reloading it, deleting the selected image files from its context menu, the image
// grid's events, and which image is the current one (the preview pane shows it).
class ImageListCommands : public CellGridObserver, public PreviewEntryRefresher {
public:
    struct Parts {
        Workbench& workbench;
        WorkbenchState& state;
        SettingsStore& settings;
        CellGrid& imageGrid;
        CellGrid& renameGrid;
        MainView& view;
        Prompter& prompter;
        DialogHost& dialogs;
        AssignmentPort& assignments;
        std::string dataFolder;
        std::string programFolder;
    };

    explicit ImageListCommands(Parts parts);
    ImageListCommands(const ImageListCommands&) = delete;
    ImageListCommands& operator=(const ImageListCommands&) = delete;

    ImageFolderScan& scanner() { return m_scan; }
    // The settings of measuring and previews as they stand now.
    ImageSettings imageSettings() const;

    // "画像読込み..." (no folder: the operator chooses one) and the start-up request (the named
    // folder). The folder becomes the image folder. True when the folder was listed.
    bool loadFolder(const std::optional<std::string>& folder);
    // "画像再読込み": the same folder again, its previews made anew; the assignments of files
    // still listed are shown again.
    bool reload();
    // After a rename run: the folder listed again; an empty list leaves no image on show.
    void relistAfterRun();
    // "削除" of the image context menu: the selected image files, after a question.
    bool deleteSelected();
    // The right button on the image list: the menu "画像操作".
    void contextMenu();
    // Every image row is deselected; row 1, when there is one, becomes selected and current.
    void selectFirst();
    // Only the image row is selected; it becomes current and the preview shows it (no row or a
    // row outside the list: the preview is cleared).
    void selectRow(int row);
    // Removes the preview files of the temp folder.
    void cleanTemp() const;

    // PreviewEntryRefresher: the entry's previews made again from its file in the image folder.
    bool refreshEntry(int row) override;

    // CellGridObserver
    void gridBeforeMouseDown(CellGrid& grid, int button, int shift, int xTwips, int yTwips,
                             bool& cancel) override;
    void gridCurrentCellChanged(CellGrid& grid, int oldRow, int oldCol, int newRow,
                                int newCol) override;
    // A press may change the selection without moving the cursor (Ctrl on the current row): the
    // assignment commands follow the selection.
    void gridMouseDown(CellGrid& grid, int button, int shift, int xTwips, int yTwips) override;

private:
    bool scan(ImageFolderScan::Mode mode);
    void afterScan();
    // Image row becomes the current image (0: none) and the preview pane shows its first preview.
    void showEntry(int row);

    Parts m_p;
    ImageFolderScan m_scan;
    bool m_moving = false; // the program itself moves the image grid's cursor
};
