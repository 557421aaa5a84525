#include "app/HelpLauncher.h"

#include "app/CommandLineSplitter.h"
#include "base/FileSystem.h"
#include "base/TextCodec.h"

namespace {

// The guide shown inside the program instead, when its HTML copy is there; otherwise the
// operator is told why the help did not open. Either way the window is no longer busy.
bool refuse(ProgramLauncher& launcher, Prompter& prompter, Msg id, const std::string& programFolder,
            const ShowGuide& showInside) {
    launcher.modal() = false;
    const auto name = files::findNoCase(programFolder, help::kHtmlFileName);
    const std::string html = name ? files::join(programFolder, *name) : std::string();
    if (showInside && name && files::isRegularFile(html)) {
        showInside(html);
        return true;
    }
    prompter.tell(id);
    return false;
}

} // namespace

bool openHelp(ProgramLauncher& launcher, LaunchRequester& requester,
              const std::string& programFolder, Prompter& prompter, const ShowGuide& showInside) {
    return openHelp(launcher, requester, programFolder, prompter, DesktopAssociation(), showInside);
}

bool openHelp(ProgramLauncher& launcher, LaunchRequester& requester,
              const std::string& programFolder, Prompter& prompter,
              const DesktopAssociation& association, const ShowGuide& showInside) {
    if (launcher.modal() || launcher.running()) {
        return false;
    }
    launcher.modal() = true;

    const auto name = files::findNoCase(programFolder, help::kFileName);
    const std::string guide = name ? files::join(programFolder, *name) : std::string();
    if (!name || !files::isRegularFile(guide)) {
        return refuse(launcher, prompter, Msg::HelpFileMissing, programFolder, showInside);
    }
    const auto document = textcodec::cp932ToUtf8Strict(guide);
    const auto arguments =
        document ? association.commandFor(help::kMimeType, *document) : std::nullopt;
    if (!arguments) {
        return refuse(launcher, prompter, Msg::HelpNoApplication, programFolder, showInside);
    }
    // "\"%s\" \"%s\"": the application and the file, each quoted.
    const auto commandLine = CommandLineSplitter::join(*arguments);
    const auto commandText =
        commandLine ? textcodec::utf8ToCp932Strict(*commandLine) : std::nullopt;
    if (!commandText) {
        return refuse(launcher, prompter, Msg::ApplicationLaunchFailed, programFolder, {});
    }
    // A viewer that cannot start leaves the window no longer busy, or help would never open again.
    return launcher.launchWatched(requester, *commandText, ProgramLauncher::kNoMessage, nullptr,
                                  ProgramLauncher::ModalOnFailure::Clear);
}
