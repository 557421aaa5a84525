#pragma once

#include "app/LaunchAttachment.h"
#include "app/LaunchRequester.h"

#include <atomic>
#include <memory>
#include <optional>
#include <string>
#include <sys/types.h>
#include <vector>

// Starts outside programs, the two ways the program knows:
//  - a watched launch runs on a worker thread of its own: the program is started, the requesting
//    window is disabled while it runs, and when it has ended the window is enabled, brought to
//    the front and sent the completion message;
//  - a blocking run starts a command line and waits on the calling thread.
// Programs are started from argument vectors (posix_spawnp), never through a shell; a command
// text is split with the Windows quoting rules first (CommandLineSplitter). Command texts are
// cp932 and are converted to UTF-8 for the system.
//
// One launcher serves the whole process and holds the three flags shared by the user-interface
// thread and the workers; they are atomic and no lock guards them:
//  - running: an application opened for the current image is running (help is ignored);
//  - shell:   the worker may open the command text as a document with the desktop's opener;
//  - modal:   the main window is busy (help viewer, a modal dialog, a folder load); a launch made
//             while it is set leaves its window enabled, unless it completes with
//             kDefinitionsReady.
//
// Worker threads are detached: the process may end while a viewer is still open, and closing the
// window must not wait for it. The flags live in a block the workers share, so they stay valid
// after the launcher is gone; once the launcher is destroyed the workers no longer call their
// requester. A requester must therefore outlive its launches or the launcher, whichever ends
// first.
class ProgramLauncher {
public:
    static constexpr int kNoMessage = 0;
    static constexpr int kImageEdited = 0x464;      // the image opened with an application
    static constexpr int kDefinitionsReady = 0x465; // the registration agent's definition program
    static constexpr std::size_t kMaxCommandChars = 32767;

    // What a launch that cannot start its program does with modal: keep it (the window that set
    // it, such as the template editor, is still open), or clear it (it was set for this launch
    // alone, as the help command does).
    enum class ModalOnFailure { Keep, Clear };

    ProgramLauncher();
    ~ProgramLauncher();
    ProgramLauncher(const ProgramLauncher&) = delete;
    ProgramLauncher& operator=(const ProgramLauncher&) = delete;

    std::atomic<bool>& running();
    std::atomic<bool>& shell();
    std::atomic<bool>& modal();

    // Starts a watched launch and returns at once. commandText is a complete command line, or the
    // document to open when the shell way is taken. The caller sets the flags before the call.
    // False only when no worker thread could be made; the failure has then been handled as a
    // program that could not start.
    bool launchWatched(LaunchRequester& requester, std::string commandText, int completionMessage,
                       std::unique_ptr<LaunchAttachment> attachment,
                       ModalOnFailure modalOnFailure = ModalOnFailure::Keep);

    // Starts the command line and waits for its end without a time limit: 0 when the process
    // cannot be created, otherwise 1 (the exit code is not used).
    int runBlocking(const std::string& commandLine);
    // The same run, telling how the program ended: its exit status (as waitForExit gives it), or
    // nothing when the process could not be created.
    std::optional<int> runBlockingForExit(const std::string& commandLine);

    // Waits until every watched launch of this launcher has ended.
    void waitUntilIdle();

    // The argument vector (UTF-8) of a cp932 command text; nothing when the text is empty, too
    // long or has no UTF-8 form.
    static std::optional<std::vector<std::string>> argumentsOf(const std::string& commandText);
    // Starts a process from an argument vector; nothing when it cannot be created.
    static std::optional<pid_t> spawn(const std::vector<std::string>& arguments);
    // Waits for a started process; its exit status, 128 + signal when it was killed, or -1.
    static int waitForExit(pid_t pid);

private:
    struct Shared;
    struct Launch;
    static void runLaunch(const std::shared_ptr<Shared>& shared, Launch launch);

    std::shared_ptr<Shared> m_shared;
};
