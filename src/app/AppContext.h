#pragma once

#include "app/AppPaths.h"
#include "app/StartupRequest.h"
#include "app/WorkingFolders.h"

#include <string>

// What start-up hands to the main window: the process-wide paths, the start-up request, the
// working folders, the application's profile file and the export type read before the window.
struct AppContext {
    AppPaths paths;
    StartupRequest request;
    WorkingFolders folders;
    std::string applicationProfile;
    int exportType = 0;
};
