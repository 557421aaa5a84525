#include "execute/AssignmentRules.h"

#include "base/CellGrid.h"
#include "base/Cp932.h"
#include "base/ProfileFile.h"
#include "execute/RenameName.h"
#include "image/ImageEntry.h"
#include "renamelist/AssignmentList.h"
#include "renamelist/RenameList.h"

#include <algorithm>
#include <map>

bool AssignmentRules::isRowAssigned(int row) const {
    return m_p.list.isRowAssigned(row);
}

bool AssignmentRules::isImageAssigned(int imageRow) const {
    if (imageRow <= 0) {
        return true;
    }
    return m_p.list.isFileAssigned(m_p.imageGrid.text(imageRow, ImageEntry::FileName));
}

bool AssignmentRules::isCompleteRow(int row) const {
    return row >= 1 && row <= RenameList::kDataRows && m_p.renameList.isCompleteRow(row);
}

bool AssignmentRules::anyCompleteRow() const {
    for (int row = 1; row <= RenameList::kDataRows; ++row) {
        if (m_p.renameList.isCompleteRow(row)) {
            return true;
        }
    }
    return false;
}

int AssignmentRules::imageCount() const {
    return std::max(0, m_p.imageGrid.rows() - m_p.imageGrid.fixedRows());
}

std::vector<int> AssignmentRules::selectedImageRows() const {
    std::vector<int> rows;
    const int count = m_p.imageGrid.selectedRowCount();
    for (int n = 0; n < count; ++n) {
        const int row = m_p.imageGrid.selectedRow(n);
        if (row >= m_p.imageGrid.fixedRows()) {
            rows.push_back(row);
        }
    }
    return rows;
}

bool AssignmentRules::noSelectedImageAssigned() const {
    const std::vector<int> rows = selectedImageRows();
    return std::none_of(rows.begin(), rows.end(), [this](int r) { return isImageAssigned(r); });
}

std::string AssignmentRules::renameNameOfRow(int row) const {
    return RenameName::forCheck(m_p.renameList, m_p.currentTemplate, row, m_p.exportType);
}

bool AssignmentRules::clashesWithAssigned(int row) const {
    const std::string name = renameNameOfRow(row);
    std::map<int, bool> checked;
    for (const CAssignInfo& r : m_p.list.records()) {
        const int other = ProfileFile::parseInt(r.rowKey);
        if (other == row || other < 1 || other > RenameList::kDataRows || checked.contains(other)) {
            continue;
        }
        checked[other] = true;
        if (cp932::equalsNoCase(name, renameNameOfRow(other))) {
            return true;
        }
    }
    return false;
}

AssignmentRules::BatchPlan AssignmentRules::batchPlan() const {
    BatchPlan plan;
    plan.imageCount = imageCount();
    for (int row = 1; row <= RenameList::kDataRows; ++row) {
        if (m_p.renameList.isCompleteRow(row)) {
            plan.completeRows.push_back(row);
        }
    }
    const std::size_t taken =
        std::min(plan.completeRows.size(), static_cast<std::size_t>(plan.imageCount));
    std::vector<std::string> names;
    for (std::size_t i = 0; i < taken && !plan.duplicate; ++i) {
        const std::string name = renameNameOfRow(plan.completeRows[i]);
        for (std::size_t j = 0; j < names.size(); ++j) {
            if (cp932::equalsNoCase(names[j], name)) {
                plan.duplicate = std::pair{plan.completeRows[j], plan.completeRows[i]};
                break;
            }
        }
        names.push_back(name);
    }
    return plan;
}

AssignmentAvailability AssignmentRules::availability(int renameRow, int imageRow) const {
    AssignmentAvailability a;
    const int images = imageCount();
    a.batchAssign = m_p.renameList.hasColumns() && images >= 1 && anyCompleteRow();
    const std::vector<int> selected = selectedImageRows();
    const bool imageCurrent = imageRow >= 1 && imageRow <= images;
    const bool anySelectedAssigned =
        std::any_of(selected.begin(), selected.end(), [this](int r) { return isImageAssigned(r); });
    a.release = imageCurrent && anySelectedAssigned;

    const int row = renameRow < 1 ? 1 : renameRow;
    a.assign = a.batchAssign && imageCurrent && isCompleteRow(row) && !isRowAssigned(row) &&
               !selected.empty() && !anySelectedAssigned;
    if (a.assign && selected.size() > 1) {
        // Several images become the pages of one TIFF: all of them must be TIFF files with a
        // usable preview.
        const CellGrid& grid = m_p.imageGrid;
        a.assign = std::all_of(selected.begin(), selected.end(), [&grid](int r) {
            return grid.text(r, ImageEntry::Type) == "TIFF" &&
                   grid.text(r, ImageEntry::PreviewValid) != "0";
        });
    }
    return a;
}

int AssignmentRules::nextImageRow(int current) const {
    const int first = m_p.imageGrid.fixedRows();
    const int last = m_p.imageGrid.rows() - 1;
    for (int row = std::max(current + 1, first); row <= last; ++row) {
        if (!isImageAssigned(row)) {
            return row;
        }
    }
    for (int row = first; row <= last; ++row) {
        if (!isImageAssigned(row)) {
            return row;
        }
    }
    return 0;
}

int AssignmentRules::nextRenameRow(int current) const {
    const int from = std::clamp(current, 1, RenameList::kDataRows);
    for (int row = from; row <= RenameList::kDataRows; ++row) {
        if (!isRowAssigned(row)) {
            return row;
        }
    }
    for (int row = 1; row < from; ++row) {
        if (!isRowAssigned(row)) {
            return row;
        }
    }
    return 0;
}
