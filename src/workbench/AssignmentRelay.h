#pragma once

#include "workbench/AssignmentPort.h"

// Hands every call on to the assignment list in force, so that the parts of the main window that
// keep a reference to the assignment list follow when another list is put in its place. The
// owner gives it its target before anything asks.
class AssignmentRelay final : public AssignmentPort {
public:
    void setTarget(AssignmentPort& target) { m_target = &target; }

    std::size_t count() const override { return m_target->count(); }
    Availability availability() const override { return m_target->availability(); }
    bool isRowAssigned(int row) const override { return m_target->isRowAssigned(row); }
    void releaseRow(int row) override { m_target->releaseRow(row); }
    void releaseAll() override { m_target->releaseAll(); }
    void shiftRows(int fromRow, int delta) override { m_target->shiftRows(fromRow, delta); }

private:
    AssignmentPort* m_target = nullptr;
};
