#pragma once

#include "app/LaunchAttachment.h"

#include <memory>

// The window that asked for a watched launch, as the launcher's worker thread sees it. Every call
// may come from the worker thread; an implementation hands the work to the user-interface thread
// and returns at once.
class LaunchRequester {
public:
    virtual ~LaunchRequester() = default;

    virtual void setEnabled(bool enabled) = 0;
    virtual void bringToFront() = 0;
    // Delivers the completion message; the handler owns the attachment (may be empty).
    virtual void post(int message, std::unique_ptr<LaunchAttachment> attachment) = 0;
    // Shows the catalogue message Msg::ApplicationLaunchFailed ("警告").
    virtual void reportLaunchFailure() = 0;
};
