#include "execute/AssignmentWork.h"

#include "app/Settings.h"
#include "base/CellGrid.h"
#include "base/Cp932.h"
#include "base/FileSystem.h"
#include "base/MainView.h"
#include "base/Messages.h"
#include "base/ProfileFile.h"
#include "base/Prompter.h"
#include "base/TextCodec.h"
#include "execute/AssignedPaperSize.h"
#include "execute/AssignmentMarks.h"
#include "image/ImageEntry.h"
#include "image/PaperSize.h"
#include "renamelist/AssignmentList.h"
#include "renamelist/RenameList.h"
#include "template/ColumnType.h"

#include <algorithm>
#include <cstdlib>

namespace {

constexpr int kBatchAssignRange = 1000;
constexpr int kBatchReleaseRange = 2000;

int rowOf(const CAssignInfo& r) {
    return ProfileFile::parseInt(r.rowKey);
}

// Each row that has records, in list order, with the image of its first record.
std::vector<std::pair<int, std::string>> firstImages(const std::vector<CAssignInfo>& records) {
    std::vector<std::pair<int, std::string>> rows;
    for (const CAssignInfo& record : records) {
        const int row = rowOf(record);
        if (std::none_of(rows.begin(), rows.end(),
                         [row](const auto& r) { return r.first == row; })) {
            rows.emplace_back(row, record.fileName);
        }
    }
    return rows;
}

// The first paper-size column of the template, -1 when it has none.
int paperSizeColumn(const RenameList& list) {
    for (int k = 0; k < list.columnCount(); ++k) {
        if (list.column(k).type == static_cast<int>(ColumnType::PaperSize)) {
            return k;
        }
    }
    return -1;
}

// The status bar's progress through one batch run.
class Progress {
public:
    Progress(MainView& view, bool shown, int range, int steps, const char* statusUtf8)
        : m_view(view), m_shown(shown), m_range(range), m_step(range / std::max(steps, 1)) {
        if (m_shown) {
            m_view.setProgressRange(0, m_range);
            m_view.setStatusText(textcodec::utf8ToCp932(statusUtf8));
        }
    }
    ~Progress() {
        if (m_shown) {
            m_view.setProgressPos(m_range);
            m_view.setStatusText(" ");
            m_view.setProgressPos(0);
        }
    }
    void advance() {
        m_pos = std::min(m_range, m_pos + m_step);
        if (m_shown) {
            m_view.setProgressPos(m_pos);
        }
    }

private:
    MainView& m_view;
    bool m_shown;
    int m_range;
    int m_step;
    int m_pos = 0;
};

} // namespace

bool AssignmentWork::setRowMark(int row, int mark, bool reportSet) {
    if (row < 1 || row > RenameList::kDataRows) {
        m_p.prompter.tell(reportSet ? Msg::AssignMarkSetFailed : Msg::AssignMarkClearFailed);
        return false;
    }
    m_p.renameList.grid().setCellPicture(row, RenameList::kColAssign, row, RenameList::kColAssign,
                                         mark);
    return true;
}

bool AssignmentWork::setImageMark(int imageRow, int mark, bool reportSet) {
    CellGrid& grid = m_p.imageGrid;
    if (imageRow < grid.fixedRows() || imageRow >= grid.rows()) {
        m_p.prompter.tell(reportSet ? Msg::AssignMarkSetFailed : Msg::AssignMarkClearFailed);
        return false;
    }
    grid.setCellPicture(imageRow, ImageEntry::Assigned, imageRow, ImageEntry::Assigned, mark);
    return true;
}

int AssignmentWork::listedImagesOfRow(int row) const {
    const std::vector<std::string> files = m_p.list.imagesOfRow(row);
    return static_cast<int>(std::count_if(files.begin(), files.end(), [this](const auto& f) {
        return ImageEntry::findRow(m_p.imageGrid, f) >= 0;
    }));
}

void AssignmentWork::fitPaperSize() {
    const int k = paperSizeColumn(m_p.renameList);
    if (k >= 0) {
        m_p.renameList.fitColumn(k);
    }
}

void AssignmentWork::fillPaperSize(int row, const std::string& fileName) {
    const int k = paperSizeColumn(m_p.renameList);
    if (k < 0) {
        return;
    }
    const std::string path = files::join(m_p.settings.scanPath, fileName);
    const std::string measured =
        AssignedPaperSize::of(path, m_p.settings.margin, m_p.settings.jpgResolution);
    // A cell the program filled holds the measured form; only a value from the list counts as
    // the list's size.
    const std::string rowKey = m_p.renameList.grid().text(row, RenameList::kColRowKey);
    const std::string& before = m_p.renameList.cellText(row, k);
    static const std::string measuredMark = textcodec::utf8ToCp932(" (幅 ");
    if (before.find(measuredMark) == std::string::npos && before != PaperSize::unfixed()) {
        m_listedSizes[rowKey] = PaperSize::sizeClass(before);
    }
    const std::string& listed = m_listedSizes[rowKey];
    const std::string measuredClass = PaperSize::sizeClass(measured);
    if (!listed.empty() && listed != measuredClass) {
        m_mismatches[rowKey] = listed;
        m_p.view.setStatusText(fillPlaceholders(texts::paperSizeDiffersStatus(),
                                                {std::to_string(row), listed, measuredClass}));
    } else {
        m_mismatches.erase(rowKey);
    }
    m_p.renameList.setValid(row, k, measured);
}

std::string AssignmentWork::paperSizeListed(const std::string& rowKey) const {
    const auto found = m_mismatches.find(rowKey);
    return found == m_mismatches.end() ? std::string() : found->second;
}

void AssignmentWork::assign(int row, const std::vector<int>& imageRows) {
    const std::string rowKey = m_p.renameList.grid().text(row, RenameList::kColRowKey);
    bool filled = false;
    for (int s : imageRows) {
        if (m_p.rules.isImageAssigned(s)) {
            continue;
        }
        const int k = m_p.list.assignedCountOfRow(row);
        CAssignInfo record{rowKey, m_p.imageGrid.text(s, ImageEntry::FileName), k + 1,
                           std::atoi(m_p.imageGrid.text(s, ImageEntry::PreviewValid).c_str())};
        setImageMark(s, assignmark::Single, true);
        m_p.imageGrid.setText(s, ImageEntry::PageOrder, std::to_string(k + 1));
        m_p.list.append(record);
        if (k == 0) {
            fillPaperSize(row, record.fileName);
            filled = true;
        }
    }
    const std::vector<std::string> files = m_p.list.imagesOfRow(row);
    const bool multi = listedImagesOfRow(row) >= 2;
    setRowMark(row, multi ? assignmark::Multi : assignmark::Single, true);
    if (multi) {
        for (const std::string& f : files) {
            const int imageRow = ImageEntry::findRow(m_p.imageGrid, f);
            if (imageRow >= 0) {
                setImageMark(imageRow, assignmark::Multi, true);
            }
        }
    }
    if (filled) {
        fitPaperSize();
    }
}

void AssignmentWork::renumberRow(int row, const std::string& firstBefore) {
    const std::vector<std::size_t> indexes = m_p.list.recordsOfRow(row);
    if (indexes.empty()) {
        setRowMark(row, assignmark::None, false);
        return;
    }
    std::vector<int> imageRows;
    int page = 0;
    for (std::size_t i : indexes) {
        CAssignInfo& record = m_p.list.records()[i];
        record.page = ++page;
        const int imageRow = ImageEntry::findRow(m_p.imageGrid, record.fileName);
        if (imageRow >= 0) {
            m_p.imageGrid.setText(imageRow, ImageEntry::PageOrder, std::to_string(page));
            imageRows.push_back(imageRow);
        }
    }
    const int mark = imageRows.size() >= 2 ? assignmark::Multi : assignmark::Single;
    setRowMark(row, mark, true);
    for (int imageRow : imageRows) {
        setImageMark(imageRow, mark, true);
    }
    const std::string& first = m_p.list.records()[indexes.front()].fileName;
    if (!cp932::equalsNoCase(first, firstBefore)) {
        fillPaperSize(row, first);
        fitPaperSize();
    }
}

void AssignmentWork::release(const std::vector<int>& imageRows) {
    for (int s : imageRows) {
        if (!m_p.rules.isImageAssigned(s)) {
            continue;
        }
        m_p.imageGrid.setText(s, ImageEntry::PageOrder, "");
        setImageMark(s, assignmark::None, false);
        const int index = m_p.list.indexOfFile(m_p.imageGrid.text(s, ImageEntry::FileName));
        if (index < 0) {
            continue;
        }
        const int row = rowOf(m_p.list.records()[static_cast<std::size_t>(index)]);
        const std::string firstBefore = m_p.list.imagesOfRow(row).front();
        m_p.list.removeAt(static_cast<std::size_t>(index));
        renumberRow(row, firstBefore);
    }
}

bool AssignmentWork::isCompleteForBatch(int row) const {
    const RenameList& list = m_p.renameList;
    bool anyFileNameColumn = false;
    for (int k = 0; k < list.columnCount(); ++k) {
        if (list.column(k).fileName) {
            anyFileNameColumn = true;
            if (cp932::trim(list.cellText(row, k)).empty()) {
                return false;
            }
        }
    }
    return anyFileNameColumn;
}

bool AssignmentWork::batchAssign() {
    bool ok = releaseAll(false);
    const int images = m_p.rules.imageCount();
    int complete = 0;
    for (int row = 1; row <= RenameList::kDataRows; ++row) {
        complete += m_p.renameList.isCompleteRow(row) ? 1 : 0;
    }
    Progress progress(m_p.view, true, kBatchAssignRange, std::min(images, complete),
                      "只今、一括割り当てを行なっています。");
    m_p.renameList.setRedraw(false);
    CellGrid& grid = m_p.imageGrid;
    int image = grid.fixedRows();
    for (int row = 1; row <= RenameList::kDataRows && image < grid.rows(); ++row) {
        if (!isCompleteForBatch(row)) {
            continue;
        }
        CAssignInfo record{m_p.renameList.grid().text(row, RenameList::kColRowKey),
                           grid.text(image, ImageEntry::FileName), 1,
                           std::atoi(grid.text(image, ImageEntry::PreviewValid).c_str())};
        ok = setRowMark(row, assignmark::Single, true) && ok;
        ok = setImageMark(image, assignmark::Single, true) && ok;
        grid.setText(image, ImageEntry::PageOrder, "1");
        m_p.list.append(record);
        fillPaperSize(row, record.fileName);
        ++image;
        progress.advance();
    }
    // Fitting once at the end measures the column once instead of once per row.
    fitPaperSize();
    m_p.renameList.setRedraw(true);
    return ok;
}

bool AssignmentWork::releaseAll(bool showProgress) {
    CellGrid& grid = m_p.imageGrid;
    const int images = m_p.rules.imageCount();
    Progress progress(m_p.view, showProgress, kBatchReleaseRange,
                      static_cast<int>(m_p.list.size()) + images,
                      "只今、一括解除を行なっています。");
    m_p.renameList.setRedraw(false);
    bool ok = true;
    for (const CAssignInfo& record : m_p.list.records()) {
        ok = setRowMark(rowOf(record), assignmark::None, false) && ok;
        progress.advance();
    }
    m_p.list.releaseAll();
    for (int row = grid.fixedRows(); row < grid.rows(); ++row) {
        if (std::atoi(grid.text(row, ImageEntry::PageOrder).c_str()) > 0) {
            setImageMark(row, assignmark::None, false);
            grid.setText(row, ImageEntry::PageOrder, "");
        }
        progress.advance();
    }
    m_p.renameList.setRedraw(true);
    return ok;
}

void AssignmentWork::releaseRow(int row) {
    for (const std::string& file : m_p.list.imagesOfRow(row)) {
        const int imageRow = ImageEntry::findRow(m_p.imageGrid, file);
        if (imageRow >= 0) {
            m_p.imageGrid.setText(imageRow, ImageEntry::PageOrder, "");
            setImageMark(imageRow, assignmark::None, false);
        }
    }
    m_p.list.releaseRow(row);
    setRowMark(row, assignmark::None, false);
}

void AssignmentWork::reapplyAfterReload() {
    const auto rows = firstImages(m_p.list.records());
    std::erase_if(m_p.list.records(), [this](const CAssignInfo& record) {
        return ImageEntry::findRow(m_p.imageGrid, record.fileName) < 0;
    });
    for (const auto& [row, firstBefore] : rows) {
        if (row < 1 || row > RenameList::kDataRows) {
            m_p.prompter.tell(Msg::AssignMarkSetFailed);
            continue;
        }
        renumberRow(row, firstBefore);
    }
}

void AssignmentWork::restore(const std::vector<CAssignInfo>& records) {
    const auto rows = firstImages(records);
    for (const CAssignInfo& record : records) {
        m_p.list.append(record);
    }
    for (const auto& [row, first] : rows) {
        renumberRow(row, first);
    }
}
