#include "app/HelpLauncher.h"

#include "app/CommandLineSplitter.h"
#include "base/FileSystem.h"
#include "base/TextCodec.h"

namespace {

// Tells the operator why the help did not open and leaves the window no longer busy.
bool refuse(ProgramLauncher& launcher, Prompter& prompter, Msg id) {
    prompter.tell(id);
    launcher.modal() = false;
    return false;
}

} // namespace

bool openHelp(ProgramLauncher& launcher, LaunchRequester& requester,
              const std::string& programFolder, Prompter& prompter) {
    return openHelp(launcher, requester, programFolder, prompter, DesktopAssociation());
}

bool openHelp(ProgramLauncher& launcher, LaunchRequester& requester,
              const std::string& programFolder, Prompter& prompter,
              const DesktopAssociation& association) {
    if (launcher.modal() || launcher.running()) {
        return false;
    }
    launcher.modal() = true;

    const auto name = files::findNoCase(programFolder, help::kFileName);
    const std::string guide = name ? files::join(programFolder, *name) : std::string();
    if (!name || !files::isRegularFile(guide)) {
        return refuse(launcher, prompter, Msg::HelpFileMissing);
    }
    const auto document = textcodec::cp932ToUtf8Strict(guide);
    const auto arguments =
        document ? association.commandFor(help::kMimeType, *document) : std::nullopt;
    if (!arguments) {
        return refuse(launcher, prompter, Msg::HelpNoApplication);
    }
    // "\"%s\" \"%s\"": the application and the file, each quoted.
    const auto commandLine = CommandLineSplitter::join(*arguments);
    const auto commandText =
        commandLine ? textcodec::utf8ToCp932Strict(*commandLine) : std::nullopt;
    if (!commandText) {
        return refuse(launcher, prompter, Msg::ApplicationLaunchFailed);
    }
    // A viewer that cannot start leaves the window no longer busy, or help would never open again.
    return launcher.launchWatched(requester, *commandText, ProgramLauncher::kNoMessage, nullptr,
                                  ProgramLauncher::ModalOnFailure::Clear);
}
