#pragma once

// Which of the assignment commands the current selection allows.
struct AssignmentAvailability {
    bool batchAssign = false;
    bool assign = false;
    bool release = false;
    bool operator==(const AssignmentAvailability&) const = default;
};
