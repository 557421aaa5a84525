#pragma once

#include "workbench/AssignmentPort.h"

// The assignment list while the program cannot assign yet: always empty, so nothing is available
// and there is nothing to release.
class NoAssignments final : public AssignmentPort {
public:
    std::size_t count() const override { return 0; }
    Availability availability() const override { return {}; }
    void releaseAll() override {}
};
