#pragma once

#include "app/DesktopAssociation.h"
#include "app/LaunchRequester.h"
#include "app/ProgramLauncher.h"
#include "base/Prompter.h"

#include <string>

// The help command: opens the operator's guide "NomiraUM.pdf" of the program folder with the
// application the desktop associates with PDF documents, as a watched launch without completion
// message. Ignored (false) while the main window is busy (modal) or an application opened for an
// image runs (running). Otherwise modal is set, so the launch leaves the window enabled, and it
// clears again when the viewer ends; a missing file, a missing association or a command that
// cannot be written is told to the operator and clears modal again. True when the viewer's
// launch was started (its own failure is then reported through the requester).
bool openHelp(ProgramLauncher& launcher, LaunchRequester& requester,
              const std::string& programFolder, Prompter& prompter);

// The same with a given association (tests, or a desktop with its own lookup).
bool openHelp(ProgramLauncher& launcher, LaunchRequester& requester,
              const std::string& programFolder, Prompter& prompter,
              const DesktopAssociation& association);

namespace help {
constexpr const char* kFileName = "NomiraUM.pdf";
constexpr const char* kMimeType = "application/pdf";
} // namespace help
