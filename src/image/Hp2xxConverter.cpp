#include "image/Hp2xxConverter.h"

#include "base/Cp932.h"
#include "base/FileSystem.h"
#include "image/PreviewNaming.h"
#include "image/PrivateFolder.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace {

bool isExecutable(const std::string& cp932Path) {
    return files::isRegularFile(cp932Path) && ::access(files::native(cp932Path).c_str(), X_OK) == 0;
}

// A started converter process; ended and reaped when the object goes away.
class ChildProcess {
public:
    explicit ChildProcess(pid_t pid) : m_pid(pid) {}
    ~ChildProcess() {
        if (!m_ended) {
            ::kill(m_pid, SIGKILL);
            reap(0);
        }
    }
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    bool hasEnded() {
        if (!m_ended) {
            reap(WNOHANG);
        }
        return m_ended;
    }
    void terminate() {
        if (!m_ended) {
            ::kill(m_pid, SIGKILL);
            reap(0);
        }
    }

private:
    void reap(int options) {
        int status = 0;
        pid_t r = 0;
        do {
            r = ::waitpid(m_pid, &status, options);
        } while (r < 0 && errno == EINTR);
        m_ended = r == m_pid || (r < 0 && errno == ECHILD);
    }

    pid_t m_pid;
    bool m_ended = false;
};

// Starts the converter without a shell, its output discarded, in the working folder.
std::optional<pid_t> start(const std::vector<std::string>& arguments,
                           const std::string& workingFolder) {
    posix_spawn_file_actions_t actions;
    if (posix_spawn_file_actions_init(&actions) != 0) {
        return std::nullopt;
    }
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    const std::string folder = files::native(workingFolder).string();
    posix_spawn_file_actions_addchdir_np(&actions, folder.c_str());
    std::vector<char*> argv;
    for (const std::string& a : arguments) {
        argv.push_back(const_cast<char*>(a.c_str()));
    }
    argv.push_back(nullptr);
    pid_t pid = 0;
    const int failed = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (failed != 0) {
        return std::nullopt;
    }
    return pid;
}

} // namespace

Hp2xxConverter::Hp2xxConverter(std::string programFolder, std::string dataFolder,
                               std::chrono::milliseconds pollInterval)
    : m_programFolder(std::move(programFolder)), m_dataFolder(std::move(dataFolder)),
      m_pollInterval(pollInterval) {
}

std::optional<std::string> Hp2xxConverter::locate() const {
    if (!m_programFolder.empty()) {
        const std::string local = files::join(m_programFolder, kProgramName);
        if (isExecutable(local)) {
            return local;
        }
    }
    const char* path = std::getenv("PATH");
    std::string_view dirs = path != nullptr ? path : "";
    while (!dirs.empty()) {
        const std::size_t colon = dirs.find(':');
        const std::string_view dir = dirs.substr(0, colon);
        dirs = colon == std::string_view::npos ? std::string_view() : dirs.substr(colon + 1);
        if (dir.empty()) {
            continue;
        }
        const std::string candidate =
            files::join(files::fromNative(std::filesystem::path(std::string(dir))), kProgramName);
        if (isExecutable(candidate)) {
            return candidate;
        }
    }
    return std::nullopt;
}

std::vector<std::string> Hp2xxConverter::arguments(const std::string& converter,
                                                   const std::string& input) {
    return {converter, "-n", "on", "-N", "on", "-c", "11111111", "-m", "png", input};
}

std::string Hp2xxConverter::outputPath(const std::string& input, int number) {
    const std::string folder = files::parentFolder(input);
    const std::string name = files::fileName(input);
    const std::size_t dot = cp932::findLastChar(name, '.');
    const std::string base = dot == std::string::npos ? name : name.substr(0, dot);
    const std::string ext = dot == std::string::npos ? std::string() : name.substr(dot);
    std::string stem = folder.empty() && input.find(files::kSeparator) == std::string::npos
                           ? base
                           : files::join(folder, base);
    if (ext.size() >= 5) {
        stem += ext;
    }
    return number == 0 ? stem + ".png" : stem + "." + std::to_string(number) + ".png";
}

void Hp2xxConverter::pause() const {
    std::this_thread::sleep_for(m_pollInterval);
}

int Hp2xxConverter::run(const std::string& input,
                        const std::function<bool(const std::string& output)>& take) const {
    if (!files::isRegularFile(input)) {
        return 1;
    }
    const auto converter = locate();
    if (!converter) {
        return 3;
    }
    if (m_dataFolder.empty()) {
        return -1;
    }
    std::error_code error;
    const std::filesystem::path plot = std::filesystem::absolute(files::native(input), error);
    const PrivateFolder folder(PreviewNaming::tempFolder(m_dataFolder), "hp2xx-");
    if (error || !folder.isValid()) {
        return -1;
    }
    // The converter names its pages after its input and writes them beside it: it is given a
    // link of the plot's name in a subfolder of the private folder, and runs in the private folder
    // itself, where its other files (a swap file, the stray words of its command line) land.
    const std::string inputFolder = files::join(folder.path(), "plot");
    const std::string link = files::join(inputFolder, files::fileName(input));
    // A plot named like its own first page would be written over through the link.
    if (outputPath(link, 0) == link || !files::createDirectory(inputFolder)) {
        return -1;
    }
    std::filesystem::create_symlink(plot, files::native(link), error);
    if (error) {
        return -1;
    }
    const auto pid = start(
        arguments(files::native(*converter).string(), files::native(link).string()), folder.path());
    if (!pid) {
        return 6;
    }
    const std::string first = outputPath(link, 0);
    bool found = false;
    {
        ChildProcess child(*pid);
        for (int poll = 0; poll < kPolls; ++poll) {
            pause();
            if (!found && files::exists(first)) {
                found = true;
                pause();
            }
            // Once the first page is there, the remaining polls wait for the converter to finish
            // the further pages rather than leave it writing behind our back.
            if (child.hasEnded()) {
                found = files::exists(first);
                break;
            }
        }
        if (!child.hasEnded()) {
            child.terminate();
            pause();
        }
    }
    if (!found) {
        return -1;
    }
    for (int n = 0;; ++n) {
        const std::string output = outputPath(link, n);
        if (!files::isRegularFile(output)) {
            return 0;
        }
        if (!take(output)) {
            return -1;
        }
    }
}

int Hp2xxConverter::count(const std::string& input, int& pageCount) const {
    pageCount = 0;
    int pages = 0;
    const int result = run(input, [&pages](const std::string&) {
        ++pages;
        return true;
    });
    if (result == 0) {
        pageCount = pages;
    }
    return result;
}

int Hp2xxConverter::convert(const std::string& input, const std::string& tempFolder,
                            const std::string& imageFileName, int& pageCount,
                            std::vector<std::string>& outputs) const {
    pageCount = 0;
    std::vector<std::string> moved;
    const int result = run(input, [&](const std::string& output) {
        const std::string name =
            PreviewNaming::previewName(imageFileName, static_cast<int>(moved.size()) + 1);
        const std::filesystem::path target = files::native(files::join(tempFolder, name));
        std::error_code error;
        std::filesystem::rename(files::native(output), target, error);
        if (error) {
            // Another file system: a copy, which the private folder's removal leaves alone.
            std::filesystem::copy_file(files::native(output), target,
                                       std::filesystem::copy_options::overwrite_existing, error);
        }
        if (error) {
            return false;
        }
        files::setCreatedMode(target);
        moved.push_back(name);
        return true;
    });
    outputs.insert(outputs.end(), moved.begin(), moved.end());
    if (result == 0) {
        pageCount = static_cast<int>(moved.size());
    }
    return result;
}
