#pragma once

#include "execute/AssignmentAvailability.h"
#include "renamelist/AssignmentQueries.h"

#include <cstddef>

// The assignment list as the main window sees it: what the rename list asks of it and changes in
// it, and besides how many images are assigned and which assignment commands the current
// selection allows.
class AssignmentPort : public AssignmentQueries {
public:
    using Availability = AssignmentAvailability;

    virtual std::size_t count() const = 0;
    virtual Availability availability() const = 0;

    bool empty() const override { return count() == 0; }
};
