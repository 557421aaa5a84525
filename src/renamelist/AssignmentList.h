#pragma once

#include "renamelist/AssignmentQueries.h"

#include <string>
#include <vector>

// The assignment records as the rename list sees them: which image file is linked to which row,
// in assignment order. Each record names its row by the RowKey text; a row is assigned when some
// record's RowKey, read as an integer, equals the row number. The list starts empty; the
// assignment commands add records.
class AssignmentList final : public AssignmentQueries {
public:
    struct Record {
        std::string rowKey;   // the row's RowKey text at assignment time
        std::string fileName; // the image's file name, cp932
    };

    void append(Record record) { m_records.push_back(std::move(record)); }
    const std::vector<Record>& records() const { return m_records; }
    std::size_t size() const { return m_records.size(); }

    bool empty() const override { return m_records.empty(); }
    bool isRowAssigned(int row) const override;
    void releaseRow(int row) override;
    void releaseAll() override { m_records.clear(); }
    void shiftRows(int fromRow, int delta) override;

private:
    std::vector<Record> m_records;
};
