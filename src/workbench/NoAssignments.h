#pragma once

#include "workbench/AssignmentPort.h"

// The assignment list while the program cannot assign yet: always empty, so nothing is available,
// no row is assigned and there is nothing to release or move.
class NoAssignments final : public AssignmentPort {
public:
    std::size_t count() const override { return 0; }
    Availability availability() const override { return {}; }
    // A row number of 0 or less names no row and counts as assigned, as in every assignment list.
    bool isRowAssigned(int row) const override { return row <= 0; }
    void releaseRow(int) override {}
    void releaseAll() override {}
    void shiftRows(int, int) override {}
};
