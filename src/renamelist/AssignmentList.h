#pragma once

#include "renamelist/AssignmentQueries.h"
#include "renamelist/CAssignInfo.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// The assignment list: which image file is linked to which rename row, in assignment order. The
// records of one row are consecutive and in page order. Every fact about assignments is computed
// from these records; nothing else keeps them.
class AssignmentList : public AssignmentQueries {
public:
    using Record = CAssignInfo;

    void append(Record record) { m_records.push_back(std::move(record)); }
    const std::vector<Record>& records() const { return m_records; }
    std::vector<Record>& records() { return m_records; }
    std::size_t size() const { return m_records.size(); }
    void removeAt(std::size_t index);

    // Record indexes of the row, in list order.
    std::vector<std::size_t> recordsOfRow(int row) const;
    // The file names of the row's records, in list order.
    std::vector<std::string> imagesOfRow(int row) const;
    int assignedCountOfRow(int row) const;
    // The record of an image file (compared without regard to case); -1 when it has none.
    int indexOfFile(std::string_view fileName) const;
    bool isFileAssigned(std::string_view fileName) const { return indexOfFile(fileName) >= 0; }

    bool empty() const override { return m_records.empty(); }
    bool isRowAssigned(int row) const override;
    void releaseRow(int row) override;
    void releaseAll() override { m_records.clear(); }
    void shiftRows(int fromRow, int delta) override;

private:
    std::vector<Record> m_records;
};
