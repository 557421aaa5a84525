#pragma once

#include <cstddef>

// What the main window needs to know of the assignment list: how many images are assigned, which
// assignment commands the current selection allows, and releasing everything.
class AssignmentPort {
public:
    struct Availability {
        bool batchAssign = false;
        bool assign = false;
        bool release = false;
    };

    virtual ~AssignmentPort() = default;

    virtual std::size_t count() const = 0;
    virtual Availability availability() const = 0;
    virtual void releaseAll() = 0;
};
