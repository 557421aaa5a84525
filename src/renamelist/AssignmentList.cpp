#include "renamelist/AssignmentList.h"

#include "base/ProfileFile.h"

#include <algorithm>

bool AssignmentList::isRowAssigned(int row) const {
    if (row <= 0) {
        return true;
    }
    return std::any_of(m_records.begin(), m_records.end(),
                       [row](const Record& r) { return ProfileFile::parseInt(r.rowKey) == row; });
}

void AssignmentList::releaseRow(int row) {
    std::erase_if(m_records,
                  [row](const Record& r) { return ProfileFile::parseInt(r.rowKey) == row; });
}

void AssignmentList::shiftRows(int fromRow, int delta) {
    for (Record& r : m_records) {
        const int row = ProfileFile::parseInt(r.rowKey);
        if (row >= fromRow) {
            r.rowKey = std::to_string(row + delta);
        }
    }
}
