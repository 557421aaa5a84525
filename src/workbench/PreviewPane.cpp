#include "workbench/PreviewPane.h"

#include "app/CommandLineSplitter.h"
#include "app/ProgramLauncher.h"
#include "base/CellGrid.h"
#include "base/FileSystem.h"
#include "base/MainView.h"
#include "base/Prompter.h"
#include "base/TextCodec.h"
#include "image/ImageEntry.h"
#include "image/ImageFolderScan.h"
#include "image/ImageLibrary.h"
#include "image/ImageProbe.h"
#include "image/PreviewNaming.h"
#include "workbench/Ctl.h"
#include "workbench/DialogHost.h"
#include "workbench/PreviewApplicationChooser.h"
#include "workbench/PreviewEntryRefresher.h"
#include "workbench/PreviewFileFacts.h"
#include "workbench/PreviewNote.h"
#include "workbench/PreviewPageButtons.h"
#include "workbench/PreviewPaneObserver.h"
#include "workbench/PreviewPrefetch.h"

#include <algorithm>

namespace {

PreviewPaneObserver& nobody() {
    static PreviewPaneObserver observer;
    return observer;
}

constexpr int kPreview = id(Ctl::Preview);
constexpr int kHighRes = id(Ctl::HighResPage);

} // namespace

PreviewPane::PreviewPane(Seams seams) : m_seams(seams), m_observer(&nobody()) {
}

void PreviewPane::setSettings(const ImageSettings& settings, bool tiffExpanMode) {
    m_settings = settings;
    m_tiffExpanMode = tiffExpanMode;
}

void PreviewPane::setObserver(PreviewPaneObserver* observer) {
    m_observer = observer != nullptr ? observer : &nobody();
}

void PreviewPane::clear() {
    MainView& view = m_seams.view;
    m_state = PreviewPaneState{};
    for (Ctl c : {Ctl::OpenWithApplication, Ctl::EditImage, Ctl::DesignateArea}) {
        view.enableControl(id(c), false);
    }
    for (Ctl c : {Ctl::ImageFileName, Ctl::PaperSize, Ctl::CurrentPage, Ctl::PageCount,
                  Ctl::PreviewBackground}) {
        view.setControlText(id(c), {});
    }
    PreviewPageButtons::disableAll(view);
    m_seams.display.clear(kPreview);
    m_seams.display.clear(kHighRes);
    m_observer->paneCleared();
}

// The entry stays current with its file name; nothing else of it can be shown.
void PreviewPane::showConversionFailure() {
    MainView& view = m_seams.view;
    m_state.pageCount = m_state.previewCount = 0;
    m_state.previewNumber = m_state.sourcePage = 0;
    m_state.paperText.clear();
    m_state.metrics = {};
    view.setControlText(id(Ctl::ImageFileName), m_state.fileName);
    for (Ctl c : {Ctl::PaperSize, Ctl::CurrentPage, Ctl::PageCount}) {
        view.setControlText(id(c), {});
    }
    PreviewPageButtons::disableAll(view);
    view.enableControl(id(Ctl::DesignateArea), false);
    m_seams.display.clear(kPreview);
    m_seams.display.clear(kHighRes);
    // The empty preview says why it stays empty.
    if (m_state.type) {
        view.setControlText(id(Ctl::PreviewBackground),
                            PreviewNote::forFile(m_state.filePath, *m_state.type, m_settings));
    }
}

bool PreviewPane::showEntry(int row, int previewNumber) {
    CellGrid& grid = m_seams.imageGrid;
    if (row < grid.fixedRows() || row >= grid.rows()) {
        clear();
        return false;
    }
    if (!ImageFolderScan(grid, m_seams.view, m_seams.prompter).checkFolder(m_imageFolder)) {
        return false;
    }
    m_observer->clearMagnifiedViews();
    m_seams.view.setControlText(id(Ctl::PreviewBackground), {});
    const ImageEntry entry = ImageEntry::read(grid, row);
    m_state = PreviewPaneState{};
    m_state.row = row;
    m_state.fileName = entry.fileName;
    m_state.filePath = files::join(m_imageFolder, entry.fileName);
    m_state.extension = PreviewNaming::extensionOf(entry.fileName);
    m_state.type = ImageTypeDetector::fromText(entry.type);
    m_observer->entryShown(entry.fileName);

    const int wanted = std::max(1, previewNumber);
    if (m_prefetch != nullptr) {
        m_prefetch->settle(entry.fileName);
    }
    const PreviewFileFacts facts =
        m_state.type ? PreviewFileFacts::gather(m_state.filePath, *m_state.type, wanted, m_settings,
                                                &m_seams.view, &m_seams.prompter)
                     : PreviewFileFacts{};
    MainView& view = m_seams.view;
    const bool tiff = m_state.type == ImageType::Tiff;
    view.enableControl(id(Ctl::EditImage), tiff && facts.ok() && facts.pageCount() == 1);
    view.enableControl(id(Ctl::OpenWithApplication), tiff && !m_observer->areaCurrent());
    if (m_prefetch != nullptr) {
        m_prefetch->around(grid, row, m_imageFolder);
    }
    if (!facts.ok() || facts.previewCount() < 1) {
        showConversionFailure();
        return false;
    }

    m_state.pageCount = facts.pageCount();
    m_state.previewCount = facts.previewCount();
    m_state.previewNumber = std::min(wanted, m_state.previewCount);
    grid.setText(row, ImageEntry::PageCount, std::to_string(m_state.pageCount));
    view.setControlText(id(Ctl::ImageFileName), m_state.fileName);
    view.setControlText(id(Ctl::CurrentPage), std::to_string(m_state.previewNumber));
    view.setControlText(id(Ctl::PageCount), std::to_string(m_state.previewCount));

    m_state.sourcePage = facts.sourcePage(m_state.previewNumber, m_settings.selection);
    m_state.paperText = facts.paperText(m_state.sourcePage, m_settings.margin);
    view.setControlText(id(Ctl::PaperSize), m_state.paperText);

    PreviewDisplay& display = m_seams.display;
    display.setAutoRepaint(kPreview, false);
    const std::string preview =
        PreviewNaming::previewPath(m_settings.tempFolder, m_state.fileName, m_state.previewNumber);
    if (display.load(kPreview, files::native(preview).string(), 1) != ImageLibrary::Success) {
        // The previous entry's page must not stay on show under this entry's name.
        display.clear(kPreview);
        m_seams.prompter.tell(Msg::DisplayError);
    }
    display.clear(kHighRes);
    display.setZoom(kHighRes, 100);
    if (tiff && m_tiffExpanMode) {
        loadHighResSource(facts);
    }

    PreviewPageButtons::apply(view, m_state.previewNumber, m_state.previewCount);
    const bool shown = display.hasPage(kPreview);
    view.enableControl(id(Ctl::DesignateArea), shown);
    display.setAutoRepaint(kPreview, true);
    m_state.metrics = display.metrics(kPreview);
    if (shown) {
        m_observer->pageShown();
    }
    return shown;
}

void PreviewPane::loadHighResSource(const PreviewFileFacts& facts) {
    const auto source = facts.highResSource(m_state.filePath, m_state.previewNumber,
                                            m_state.sourcePage, m_settings);
    if (source &&
        m_seams.display.load(kHighRes, source->path, source->page) != ImageLibrary::Success) {
        m_seams.display.clear(kHighRes);
        m_seams.prompter.tell(Msg::DisplayLoadError);
    }
}

bool PreviewPane::pageCommand(int id) {
    const auto target = PreviewPageButtons::target(id, m_state.previewNumber, m_state.previewCount);
    if (!target || m_state.row < 1) {
        return false;
    }
    showEntry(m_state.row, *target);
    return true;
}

void PreviewPane::resized() {
    m_state.metrics = m_seams.display.metrics(kPreview);
    if (m_seams.display.hasPage(kPreview)) {
        m_observer->paneResized();
    }
}

bool PreviewPane::openWithApplication(ProgramLauncher& launcher, LaunchRequester& requester,
                                      const PreviewApplicationChooser& chooser) {
    if (m_state.row < 1 || m_state.type != ImageType::Tiff || launcher.running()) {
        return false;
    }
    const auto document = textcodec::cp932ToUtf8Strict(m_state.filePath);
    const auto arguments =
        document ? chooser.commandFor(*document, m_seams.prompter) : std::nullopt;
    if (!arguments) {
        m_seams.prompter.tell(Msg::HelpNoApplication);
        return false;
    }
    const auto commandLine = CommandLineSplitter::join(*arguments);
    const auto commandText =
        commandLine ? textcodec::utf8ToCp932Strict(*commandLine) : std::nullopt;
    if (!commandText) {
        m_seams.prompter.tell(Msg::ApplicationLaunchFailed);
        return false;
    }
    // The application is started from its own command line, never through the desktop's opener:
    // the opener returns at once on most desktops, and the entry would be refreshed while the
    // application still has the file open. So shell stays clear.
    launcher.running() = true;
    return launcher.launchWatched(
        requester, *commandText, ProgramLauncher::kImageEdited,
        std::make_unique<LaunchAttachment>(m_state.filePath, m_state.extension, false));
}

void PreviewPane::applicationEnded(std::unique_ptr<LaunchAttachment> attachment) {
    if (attachment) {
        refreshFile(attachment->path);
    }
}

bool PreviewPane::editImage(DialogHost& dialogs, bool noiseErase) {
    if (m_state.row < 1 || m_state.type != ImageType::Tiff || m_state.pageCount != 1) {
        return false;
    }
    const std::string path = m_state.filePath;
    const bool overA0 = ImageProbe(m_settings).inspect(path, ImageType::Tiff).overA0;
    if (!dialogs.runImageEditor(path, overA0, noiseErase)) {
        return false;
    }
    refreshFile(path);
    return true;
}

void PreviewPane::refreshFile(const std::string& path) {
    const int row = ImageEntry::findRow(m_seams.imageGrid, files::fileName(path));
    if (row < 1) {
        return; // the list no longer holds the file
    }
    if (m_seams.refresher.refreshEntry(row)) {
        showEntry(row, 1);
        return;
    }
    if (row == m_state.row) {
        showConversionFailure();
    }
}
