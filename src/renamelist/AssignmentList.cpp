#include "renamelist/AssignmentList.h"

#include "base/Cp932.h"
#include "base/ProfileFile.h"

#include <algorithm>

namespace {

int rowOf(const CAssignInfo& r) {
    return ProfileFile::parseInt(r.rowKey);
}

} // namespace

void AssignmentList::removeAt(std::size_t index) {
    m_records.erase(m_records.begin() + static_cast<std::ptrdiff_t>(index));
}

std::vector<std::size_t> AssignmentList::recordsOfRow(int row) const {
    std::vector<std::size_t> out;
    for (std::size_t i = 0; i < m_records.size(); ++i) {
        if (rowOf(m_records[i]) == row) {
            out.push_back(i);
        }
    }
    return out;
}

std::vector<std::string> AssignmentList::imagesOfRow(int row) const {
    std::vector<std::string> out;
    for (std::size_t i : recordsOfRow(row)) {
        out.push_back(m_records[i].fileName);
    }
    return out;
}

int AssignmentList::assignedCountOfRow(int row) const {
    return static_cast<int>(std::count_if(m_records.begin(), m_records.end(),
                                          [row](const Record& r) { return rowOf(r) == row; }));
}

int AssignmentList::indexOfFile(std::string_view fileName) const {
    for (std::size_t i = 0; i < m_records.size(); ++i) {
        if (cp932::equalsNoCase(m_records[i].fileName, fileName)) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

bool AssignmentList::isRowAssigned(int row) const {
    if (row <= 0) {
        return true;
    }
    return std::any_of(m_records.begin(), m_records.end(),
                       [row](const Record& r) { return rowOf(r) == row; });
}

void AssignmentList::releaseRow(int row) {
    std::erase_if(m_records, [row](const Record& r) { return rowOf(r) == row; });
}

void AssignmentList::shiftRows(int fromRow, int delta) {
    for (Record& r : m_records) {
        const int row = rowOf(r);
        if (row >= fromRow) {
            r.rowKey = std::to_string(row + delta);
        }
    }
}
