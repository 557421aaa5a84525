#include "support/NonRegularFiles.h"

#include <chrono>
#include <fcntl.h>
#include <filesystem>
#include <future>
#include <sys/stat.h>
#include <unistd.h>

std::vector<NonRegularFile> nonRegularFiles(const TempDir& dir, const std::string& name) {
    const std::string fifo = dir.file("fifo-" + name);
    ::mkfifo(fifo.c_str(), 0600);
    const std::string folder = dir.mkdir("folder-" + name);
    const std::string device = dir.file("device-" + name);
    std::filesystem::create_symlink("/dev/null", device);
    return {{"fifo", fifo}, {"device", device}, {"folder", folder}};
}

bool finishesWithoutBlocking(const TempDir& dir, const std::function<void()>& f) {
    auto done = std::async(std::launch::async, f);
    if (done.wait_for(std::chrono::seconds(5)) == std::future_status::ready) {
        done.get();
        return true;
    }
    for (const auto& entry : std::filesystem::recursive_directory_iterator(dir.path())) {
        if (entry.is_fifo()) {
            const int fd = ::open(entry.path().c_str(), O_WRONLY | O_NONBLOCK);
            if (fd >= 0) {
                ::close(fd);
            }
        }
    }
    done.wait();
    return false;
}
