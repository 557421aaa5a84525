#include "app/ProgramLauncher.h"

#include "app/CommandLineSplitter.h"
#include "base/Cp932.h"
#include "base/TextCodec.h"

#include <cerrno>
#include <condition_variable>
#include <csignal>
#include <mutex>
#include <spawn.h>
#include <sys/wait.h>
#include <system_error>
#include <thread>

extern char** environ;

// The flags and the bookkeeping of the workers, shared by the launcher and every worker so that
// a worker never touches a launcher that is gone.
struct ProgramLauncher::Shared {
    std::atomic<bool> running{false};
    std::atomic<bool> shell{false};
    std::atomic<bool> modal{false};

    std::mutex mutex; // guards workers, detached and every call into a requester
    std::condition_variable idle;
    int workers = 0;
    bool detached = false;

    template <class Call> void tell(Call&& call) {
        std::lock_guard lock(mutex);
        if (!detached) {
            call();
        }
    }

    void workerEnded() {
        std::lock_guard lock(mutex);
        --workers;
        idle.notify_all();
    }
};

// One watched launch; the worker owns it and frees it when the launch ends.
struct ProgramLauncher::Launch {
    LaunchRequester* requester = nullptr;
    std::string commandText;
    int message = kNoMessage;
    std::unique_ptr<LaunchAttachment> attachment;
    ModalOnFailure modalOnFailure = ModalOnFailure::Keep;
};

namespace {

// The desktop's opener for a document. It starts the associated application and, with most
// desktops (GNOME, KDE, XFCE), returns as soon as that application is up; only the generic
// fallback waits for the application. The worker can wait for the opener only, so the window may
// be enabled again and the completion posted while the viewer or editor is still open. A non-zero
// exit of the opener means it could not open the document (no file, no associated application).
constexpr const char* kDocumentOpener = "xdg-open";

// The launch could not start its program: the attachment is freed, running and shell are cleared,
// modal stays as it was unless the launch alone had set it, nothing is posted and the operator is
// told.
template <class Shared, class Launch> void reportFailure(Shared& shared, Launch& launch) {
    launch.attachment.reset();
    shared.running = false;
    shared.shell = false;
    if (launch.modalOnFailure == ProgramLauncher::ModalOnFailure::Clear) {
        shared.modal = false;
    }
    shared.tell([&] { launch.requester->reportLaunchFailure(); });
}

} // namespace

ProgramLauncher::ProgramLauncher() : m_shared(std::make_shared<Shared>()) {
}

ProgramLauncher::~ProgramLauncher() {
    std::lock_guard lock(m_shared->mutex);
    m_shared->detached = true;
}

std::atomic<bool>& ProgramLauncher::running() {
    return m_shared->running;
}

std::atomic<bool>& ProgramLauncher::shell() {
    return m_shared->shell;
}

std::atomic<bool>& ProgramLauncher::modal() {
    return m_shared->modal;
}

bool ProgramLauncher::launchWatched(LaunchRequester& requester, std::string commandText,
                                    int completionMessage,
                                    std::unique_ptr<LaunchAttachment> attachment,
                                    ModalOnFailure modalOnFailure) {
    {
        std::lock_guard lock(m_shared->mutex);
        ++m_shared->workers;
    }
    Launch launch{&requester, std::move(commandText), completionMessage, std::move(attachment),
                  modalOnFailure};
    try {
        std::thread([shared = m_shared, launch = std::move(launch)]() mutable {
            runLaunch(shared, std::move(launch));
            shared->workerEnded();
        }).detach();
    } catch (const std::system_error&) {
        // The launch (and its attachment) went with the thread that could not be made.
        Launch lost{&requester, {}, completionMessage, nullptr, modalOnFailure};
        reportFailure(*m_shared, lost);
        m_shared->workerEnded();
        return false;
    }
    return true;
}

void ProgramLauncher::runLaunch(const std::shared_ptr<Shared>& shared, Launch launch) {
    Shared& s = *shared;
    LaunchRequester& requester = *launch.requester;

    const bool shellWay = s.shell && (!launch.attachment || launch.attachment->shellWay);
    std::optional<pid_t> child;
    if (shellWay) {
        const auto document = textcodec::cp932ToUtf8Strict(launch.commandText);
        if (document && !document->empty()) {
            child = spawn({kDocumentOpener, *document});
        }
    } else if (const auto arguments = argumentsOf(launch.commandText)) {
        child = spawn(*arguments);
    }
    if (!child) {
        reportFailure(s, launch);
        return;
    }

    // A busy main window stays enabled; the template editor is disabled even though it is modal.
    const bool disable = !s.modal || launch.message == kDefinitionsReady;
    if (disable) {
        s.tell([&] { requester.setEnabled(false); });
    }
    const int exitStatus = waitForExit(*child);
    if (disable) {
        s.tell([&] { requester.setEnabled(true); });
    }
    if (shellWay && exitStatus > 0) {
        reportFailure(s, launch);
        return;
    }
    s.tell([&] { requester.bringToFront(); });

    // The template editor is still open after its definition program, so the window stays busy.
    s.modal = launch.message == kDefinitionsReady;
    s.running = false;
    s.shell = false;
    if (launch.message != kNoMessage) {
        s.tell([&] { requester.post(launch.message, std::move(launch.attachment)); });
    }
}

int ProgramLauncher::runBlocking(const std::string& commandLine) {
    return runBlockingForExit(commandLine) ? 1 : 0;
}

std::optional<int> ProgramLauncher::runBlockingForExit(const std::string& commandLine) {
    const auto arguments = argumentsOf(commandLine);
    if (!arguments) {
        return std::nullopt;
    }
    const auto child = spawn(*arguments);
    if (!child) {
        return std::nullopt;
    }
    return waitForExit(*child);
}

void ProgramLauncher::waitUntilIdle() {
    std::unique_lock lock(m_shared->mutex);
    m_shared->idle.wait(lock, [this] { return m_shared->workers == 0; });
}

std::optional<std::vector<std::string>>
ProgramLauncher::argumentsOf(const std::string& commandText) {
    if (commandText.empty() || cp932::charCount(commandText) > kMaxCommandChars) {
        return std::nullopt;
    }
    const auto utf8 = textcodec::cp932ToUtf8Strict(commandText);
    if (!utf8) {
        return std::nullopt;
    }
    auto arguments = CommandLineSplitter::split(*utf8);
    if (arguments.empty() || arguments.front().empty()) {
        return std::nullopt;
    }
    return arguments;
}

std::optional<pid_t> ProgramLauncher::spawn(const std::vector<std::string>& arguments) {
    if (arguments.empty() || arguments.front().empty()) {
        return std::nullopt;
    }
    std::vector<char*> argv;
    argv.reserve(arguments.size() + 1);
    for (const std::string& argument : arguments) {
        argv.push_back(const_cast<char*>(argument.c_str()));
    }
    argv.push_back(nullptr);

    // The child starts with no blocked signals and the default action for SIGPIPE, whatever the
    // starting thread had.
    posix_spawnattr_t attributes;
    if (posix_spawnattr_init(&attributes) != 0) {
        return std::nullopt;
    }
    sigset_t none;
    sigset_t defaults;
    sigemptyset(&none);
    sigemptyset(&defaults);
    sigaddset(&defaults, SIGPIPE);
    posix_spawnattr_setsigmask(&attributes, &none);
    posix_spawnattr_setsigdefault(&attributes, &defaults);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);

    pid_t pid = 0;
    const int rc = posix_spawnp(&pid, argv.front(), nullptr, &attributes, argv.data(), environ);
    posix_spawnattr_destroy(&attributes);
    if (rc != 0) {
        return std::nullopt;
    }
    return pid;
}

int ProgramLauncher::waitForExit(pid_t pid) {
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0) {
        if (errno != EINTR) {
            return -1;
        }
    }
    if (WIFEXITED(status)) {
        return WEXITSTATUS(status);
    }
    return WIFSIGNALED(status) ? 128 + WTERMSIG(status) : -1;
}
