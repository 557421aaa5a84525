#include "image/ImageFolderScan.h"

#include "base/CellGrid.h"
#include "base/Cp932.h"
#include "base/FileSystem.h"
#include "base/MainView.h"
#include "base/OrderedWork.h"
#include "base/Prompter.h"
#include "base/TextCodec.h"
#include "image/FileDate.h"
#include "image/ImageEntry.h"
#include "image/ImageFileLoader.h"
#include "image/ImageFolderListing.h"
#include "image/ImageProbe.h"

#include <algorithm>
#include <unistd.h>

namespace {

constexpr int kScanDateAttempts = 10;
constexpr int kRefreshDateAttempts = 3;

struct Job {
    std::string fileName;
    ImageType type;
    ImageFileLoader::Loaded loaded;
};

} // namespace

ImageFolderScan::ImageFolderScan(CellGrid& grid, MainView& view, Prompter& prompter)
    : m_grid(grid), m_view(view), m_prompter(prompter) {
}

std::optional<std::string> ImageFolderScan::chooseFolder(const std::string& currentFolder) {
    const bool usable = files::isDirectory(currentFolder) &&
                        ::access(files::native(currentFolder).c_str(), R_OK | X_OK) == 0;
    return m_prompter.chooseFolder(
        textcodec::utf8ToCp932("画像ﾌｧｲﾙを読込むﾌｫﾙﾀﾞを選択してください。"),
        usable ? currentFolder : std::string());
}

bool ImageFolderScan::checkFolder(const std::string& folder) {
    if (folder.empty() || !files::isDirectory(folder)) {
        m_prompter.tell(Msg::ImageFolderNotFound);
        return false;
    }
    if (::access(files::native(folder).c_str(), R_OK | X_OK) != 0) {
        m_prompter.tell(Msg::ImageFolderNoAccess);
        return false;
    }
    return true;
}

int ImageFolderScan::progressStep(int listedFiles) {
    return listedFiles > 0 && listedFiles <= kProgressMax ? kProgressMax / listedFiles : 1;
}

std::string ImageFolderScan::countCaption(int count) {
    static const std::string format = textcodec::utf8ToCp932("画像情報【ﾌｧｲﾙ総数 %d個】");
    return fillPlaceholders(format, {std::to_string(count)});
}

void ImageFolderScan::cleanTemp(const std::string& tempFolder) {
    for (const std::string& name : files::listFolder(tempFolder, true)) {
        if (cp932::endsWithNoCase(name, ".png")) {
            files::removeFile(files::join(tempFolder, name));
        }
    }
}

void ImageFolderScan::setRedraw(bool on) {
    m_grid.setRedraw(on);
    if (m_otherGrid != nullptr) {
        m_otherGrid->setRedraw(on);
    }
}

bool ImageFolderScan::scan(const std::string& folder, const ImageSettings& settings, Mode mode) {
    if (!checkFolder(folder)) {
        return false;
    }
    // Without a screen the temp folder is not ours to tidy: a window may be showing its files.
    if (mode != Mode::Rescan && settings.keepPreviews) {
        cleanTemp(settings.tempFolder);
    }
    if (mode == Mode::FolderChoice && m_beforeListing) {
        m_beforeListing();
    }
    m_grid.setRows(m_grid.fixedRows());
    m_view.setStatusText(textcodec::utf8ToCp932("只今、画像ファイルを読込んでいます。"));
    m_view.setProgressRange(0, kProgressMax);
    setRedraw(false);

    const ImageFolderListing::Result listing =
        ImageFolderListing::list(folder, settings.extensions);
    const std::vector<std::string>& listed = listing.names;
    const int step = progressStep(static_cast<int>(listed.size()));

    // The files that will become entries, known from their names alone; the first 1000 of them.
    std::vector<Job> jobs;
    for (const std::string& name : listed) {
        if (const auto type = ImageTypeDetector::detect(name, settings.extensions)) {
            if (jobs.size() == kMaxImages) {
                break;
            }
            jobs.push_back(Job{name, *type, {}});
        }
    }
    // Every file is measured and converted on the workers; this thread only collects the
    // results in list order, so the list, its messages and the progress are the serial run's.
    OrderedWork work(
        m_pool, jobs.size(), [](std::size_t) { return true; },
        [&](std::size_t i, std::stop_token stop) {
            jobs[i].loaded = ImageFileLoader::load(folder, jobs[i].fileName, jobs[i].type, settings,
                                                   std::move(stop));
        });

    m_limitHit = false;
    int added = 0;
    int position = 0;
    for (const std::string& name : listed) {
        position += step;
        m_view.setProgressPos(position);
        if (added == kMaxImages) {
            m_limitHit = true;
            break;
        }
        if (!ImageTypeDetector::detect(name, settings.extensions)) {
            continue;
        }
        const auto index = static_cast<std::size_t>(added);
        if (!work.collect(index)) {
            jobs[index].loaded.entry =
                ImageEntry{ImageTypeDetector::typeText(jobs[index].type), name, {}, {}, 0, false};
        }
        if (jobs[index].loaded.pdfRenderFailed) {
            m_prompter.tell(Msg::PdfConvertFailed);
        }
        ImageEntry& entry = jobs[index].loaded.entry;
        const int row = m_grid.addRow();
        entry.write(m_grid, row);
        if (entry.date.empty()) {
            entry.date = FileDate::read(files::join(folder, name), kScanDateAttempts, m_retryPause,
                                        m_dateProbe, m_dateWait)
                             .value_or(std::string());
        }
        m_grid.setText(row, ImageEntry::Date, entry.date);
        ++added;
    }

    m_imageCount = added;
    m_grid.autoSize(ImageEntry::Type, ImageEntry::Date);
    if (m_grid.rows() > m_grid.fixedRows() + 1) {
        const int top = m_grid.fixedRows();
        const int bottom = m_grid.rows() - 1;
        m_grid.sortRows(top, bottom, ImageEntry::FileName, CellGridSort::Ascending);
        m_grid.sortRows(top, bottom, ImageEntry::Date, CellGridSort::Ascending);
    }
    m_view.setProgressPos(kProgressMax);
    m_view.setStatusText(" ");
    m_view.setProgressPos(0);
    setRedraw(true);

    if (!listing.unusable.empty()) {
        m_prompter.tellWithLines(Msg::ImageNamesUnusable, listing.unusable);
    }
    if (!listing.caseTwins.empty()) {
        m_prompter.tellWithLines(Msg::ImageNamesCaseTwins, listing.caseTwins);
    }
    if (!listing.links.empty()) {
        m_prompter.tellWithLines(Msg::ImageNamesLinks, listing.links);
    }
    if (m_limitHit) {
        m_prompter.tell(Msg::ImageLimitExceeded);
    }
    m_view.setControlText(ImageGroup, countCaption(m_imageCount));
    m_view.enableControl(ReloadImages, true);
    if (m_imageCount == 0) {
        showEmptyState(mode);
    } else {
        m_grid.setRow(m_grid.fixedRows());
    }
    return true;
}

void ImageFolderScan::showEmptyState(Mode mode) {
    for (int id : {OpenWithApplication, EditImage, DesignateArea, FirstPage, PreviousPage, LastPage,
                   NextPage}) {
        m_view.enableControl(id, false);
    }
    for (int id : {ImageFileName, PaperSizeText, CurrentPage, PageCountText}) {
        m_view.setControlText(id, "");
    }
    if (mode == Mode::Reload) {
        for (int id : {BatchAssign, BatchRelease, Assign, Release}) {
            m_view.enableControl(id, false);
        }
    }
}

bool ImageFolderScan::canDelete(const CellGrid& grid, std::size_t assignmentCount) {
    return grid.rows() > grid.fixedRows() && grid.selectedRowCount() > 0 && assignmentCount == 0;
}

bool ImageFolderScan::deleteSelected(const std::string& folder, const ImageSettings& settings) {
    if (m_grid.selectedRowCount() == 0 || m_grid.rows() <= m_grid.fixedRows()) {
        return false;
    }
    if (m_prompter.tell(Msg::DeleteImagesQuestion) != Answer::Yes) {
        return false;
    }
    if (!checkFolder(folder)) {
        return false;
    }
    std::vector<std::string> names;
    for (int n = 0; n < m_grid.selectedRowCount(); ++n) {
        const int row = m_grid.selectedRow(n);
        if (row >= m_grid.fixedRows()) {
            names.push_back(m_grid.text(row, ImageEntry::FileName));
        }
    }
    bool failed = false;
    for (const std::string& name : names) {
        const std::string path = files::join(folder, name);
        if (files::exists(path) && !files::removeFile(path)) {
            failed = true;
        }
    }
    scan(folder, settings, Mode::Rescan);
    if (failed) {
        m_prompter.tell(Msg::DeleteImagesFailed);
    }
    return true;
}

PreviewResult ImageFolderScan::refreshEntry(int row, const std::string& folder,
                                            const ImageSettings& settings) {
    const ImageEntry entry = ImageEntry::read(m_grid, row);
    const auto type = ImageTypeDetector::fromText(entry.type);
    PreviewResult result;
    if (!type) {
        result.result = -1;
        m_prompter.tell(Msg::ImageConvertFailed);
        return result;
    }
    const std::string path = files::join(folder, entry.fileName);
    result = PreviewMaker(settings, &m_view, &m_prompter).make(path, *type);
    if (*type == ImageType::Tiff) {
        m_grid.setText(row, ImageEntry::PaperSize,
                       ImageProbe(settings).inspect(path, *type).paperSize);
        m_grid.autoSize(ImageEntry::PaperSize, ImageEntry::PaperSize);
        if (const auto date =
                FileDate::read(path, kRefreshDateAttempts, m_retryPause, m_dateProbe, m_dateWait)) {
            m_grid.setText(row, ImageEntry::Date, *date);
        }
    }
    if (result.result != 0) {
        m_prompter.tell(Msg::ImageConvertFailed);
    }
    return result;
}
