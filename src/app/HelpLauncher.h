#pragma once

#include "app/DesktopAssociation.h"
#include "app/LaunchRequester.h"
#include "app/ProgramLauncher.h"
#include "base/Prompter.h"

#include <functional>
#include <string>

// The help command: opens the operator's guide "NomiraUM.pdf" of the program folder with the
// application the desktop associates with PDF documents, as a watched launch without completion
// message. Ignored (false) while the main window is busy (modal) or an application opened for an
// image runs (running). Otherwise modal is set, so the launch leaves the window enabled, and it
// clears again when the viewer ends; a missing file, a missing association or a command that
// cannot be written is told to the operator and clears modal again. True when the viewer's
// launch was started (its own failure is then reported through the requester).
// Where the PDF or an application for it is missing, the HTML copy of the guide built beside it
// ("NomiraUM.html") is handed to showInside, which shows it in a window of the program; only
// without that copy (or without showInside) is the operator told.
using ShowGuide = std::function<void(const std::string& htmlPath)>;
bool openHelp(ProgramLauncher& launcher, LaunchRequester& requester,
              const std::string& programFolder, Prompter& prompter,
              const ShowGuide& showInside = {});

// The same with a given association (tests, or a desktop with its own lookup).
bool openHelp(ProgramLauncher& launcher, LaunchRequester& requester,
              const std::string& programFolder, Prompter& prompter,
              const DesktopAssociation& association, const ShowGuide& showInside = {});

namespace help {
constexpr const char* kFileName = "NomiraUM.pdf";
constexpr const char* kHtmlFileName = "NomiraUM.html";
constexpr const char* kMimeType = "application/pdf";
} // namespace help
