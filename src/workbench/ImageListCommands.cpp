#include "workbench/ImageListCommands.h"

#include "app/SettingsStore.h"
#include "base/CellGrid.h"
#include "base/FileSystem.h"
#include "base/MainView.h"
#include "image/ImageEntry.h"
#include "workbench/AssignmentCommands.h"
#include "workbench/Cmd.h"
#include "workbench/Ctl.h"
#include "workbench/DialogHost.h"
#include "workbench/PreviewPane.h"
#include "workbench/Workbench.h"
#include "workbench/WorkbenchState.h"

#include <atomic>

// The image list names the controls it steers by its own numbers; they are the window's.
static_assert(ImageFolderScan::Release == id(Ctl::Release));
static_assert(ImageFolderScan::ReloadImages == id(Ctl::ReloadImages));
static_assert(ImageFolderScan::EditImage == id(Ctl::EditImage));
static_assert(ImageFolderScan::FirstPage == id(Ctl::FirstPage));
static_assert(ImageFolderScan::PreviousPage == id(Ctl::PreviousPage));
static_assert(ImageFolderScan::LastPage == id(Ctl::LastPage));
static_assert(ImageFolderScan::NextPage == id(Ctl::NextPage));
static_assert(ImageFolderScan::OpenWithApplication == id(Ctl::OpenWithApplication));
static_assert(ImageFolderScan::DesignateArea == id(Ctl::DesignateArea));
static_assert(ImageFolderScan::BatchAssign == id(Ctl::BatchAssign));
static_assert(ImageFolderScan::BatchRelease == id(Ctl::BatchRelease));
static_assert(ImageFolderScan::Assign == id(Ctl::Assign));
static_assert(ImageFolderScan::ImageFileName == id(Ctl::ImageFileName));
static_assert(ImageFolderScan::PaperSizeText == id(Ctl::PaperSize));
static_assert(ImageFolderScan::CurrentPage == id(Ctl::CurrentPage));
static_assert(ImageFolderScan::PageCountText == id(Ctl::PageCount));
static_assert(ImageFolderScan::ImageGroup == id(Ctl::ImageGroup));

ImageListCommands::ImageListCommands(Parts parts)
    : m_p(std::move(parts)), m_scan(m_p.imageGrid, m_p.view, m_p.prompter) {
    ImageEntry::prepareGrid(m_p.imageGrid);
    // Several images can be selected at once (they may become the pages of one row).
    m_p.imageGrid.setSelectionMode(CellGridSelectionMode::ListBox);
    m_p.imageGrid.setObserver(this);
    m_scan.setOtherGrid(&m_p.renameGrid);
    m_scan.setBeforeListing([this] {
        m_p.assignments.releaseAll();
        showEntry(0);
    });
}

ImageSettings ImageListCommands::imageSettings() const {
    ImageSettings settings =
        ImageSettings::from(m_p.settings.settings(), m_p.dataFolder, m_p.programFolder);
    settings.keepPreviews = m_p.workbench.previewsMade();
    return settings;
}

void ImageListCommands::cleanTemp() const {
    m_p.workbench.prefetch().stop();
    if (m_p.workbench.previewsMade()) {
        ImageFolderScan::cleanTemp(imageSettings().tempFolder);
    }
}

bool ImageListCommands::loadFolder(const std::optional<std::string>& folder) {
    std::string& imageFolder = m_p.settings.settings().scanPath;
    const std::optional<std::string> chosen = folder ? folder : m_scan.chooseFolder(imageFolder);
    if (!chosen) {
        return false;
    }
    // Only a folder that could be listed replaces the image folder: the list and its folder stay
    // together.
    const std::string previous = imageFolder;
    imageFolder = *chosen;
    if (!scan(ImageFolderScan::Mode::FolderChoice)) {
        imageFolder = previous;
        return false;
    }
    return true;
}

bool ImageListCommands::reload() {
    if (!m_p.state.imageFolderLoaded) {
        return false;
    }
    if (!scan(ImageFolderScan::Mode::Reload)) {
        return false;
    }
    m_p.workbench.assignmentCommands().reapplyAfterReload();
    return true;
}

void ImageListCommands::relistAfterRun() {
    if (!scan(ImageFolderScan::Mode::Rescan) || m_p.state.imageCount == 0) {
        m_p.workbench.pane().clear();
    }
}

bool ImageListCommands::scan(ImageFolderScan::Mode mode) {
    WorkbenchState& s = m_p.state;
    std::atomic<bool>& busy = m_p.workbench.launcher().modal();
    const bool wasBusy = busy;
    busy = true;
    s.loadingImages = true;
    m_moving = true;
    m_p.workbench.prefetch().stop();
    m_scan.setPool(&m_p.workbench.pool());
    const bool listed = m_scan.scan(m_p.settings.settings().scanPath, imageSettings(), mode);
    m_moving = false;
    s.loadingImages = false;
    busy = wasBusy;
    if (listed) {
        s.imageFolderLoaded = true;
        s.modified = true;
        m_p.workbench.pane().setImageFolder(m_p.settings.settings().scanPath);
        afterScan();
    }
    return listed;
}

void ImageListCommands::afterScan() {
    m_p.state.imageCount = m_scan.imageCount();
    selectFirst();
}

bool ImageListCommands::deleteSelected() {
    m_moving = true;
    const bool deleted = m_scan.deleteSelected(m_p.settings.settings().scanPath, imageSettings());
    m_moving = false;
    if (deleted) {
        afterScan();
    }
    return deleted;
}

void ImageListCommands::contextMenu() {
    const bool allowed = ImageFolderScan::canDelete(m_p.imageGrid, m_p.assignments.count());
    const int chosen =
        m_p.dialogs.popupMenu(MenuId::ImageOperations, {{id(Cmd::DeleteImages), allowed}});
    if (chosen != 0) {
        m_p.workbench.command(chosen);
    }
}

void ImageListCommands::selectFirst() {
    selectRow(m_p.imageGrid.fixedRows());
}

void ImageListCommands::selectRow(int row) {
    CellGrid& grid = m_p.imageGrid;
    grid.clearRowSelection();
    if (m_p.state.imageCount < 1 || row < grid.fixedRows() || row >= grid.rows()) {
        showEntry(0);
        return;
    }
    grid.setRowSelected(row, true);
    m_moving = true;
    grid.setCurrentCell(row, ImageEntry::FileName);
    m_moving = false;
    grid.showCell(row, ImageEntry::FileName);
    showEntry(row);
}

void ImageListCommands::showEntry(int row) {
    PreviewPane& pane = m_p.workbench.pane();
    if (row < m_p.imageGrid.fixedRows() || row >= m_p.imageGrid.rows()) {
        m_p.state.currentImageRow = -1;
        pane.clear();
    } else {
        m_p.state.currentImageRow = row;
        pane.showEntry(row, 1);
    }
    m_p.workbench.refreshControlStates();
}

bool ImageListCommands::refreshEntry(int row) {
    return m_scan.refreshEntry(row, m_p.settings.settings().scanPath, imageSettings()).result == 0;
}

void ImageListCommands::gridBeforeMouseDown(CellGrid&, int button, int, int, int, bool&) {
    if (button == gridbutton::Right) {
        contextMenu();
    }
}

void ImageListCommands::gridCurrentCellChanged(CellGrid&, int oldRow, int, int newRow, int) {
    if (!m_moving && newRow != oldRow) {
        showEntry(newRow);
    }
}

void ImageListCommands::gridMouseDown(CellGrid&, int, int, int, int) {
    m_p.workbench.refreshControlStates();
}
