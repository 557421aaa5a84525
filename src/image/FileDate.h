#pragma once

#include <chrono>
#include <ctime>
#include <functional>
#include <optional>
#include <string>

// The last-write time of a file as the image list shows it, "%04d/%02d/%02d %02d:%02d:%02d" in
// local time. The file must be opened for reading without another process holding a lock on it.
// A file that a scanner is still writing is tried again after a pause, up to the given number of
// attempts; a file that is missing or may not be read is given up at once.
class FileDate {
public:
    // One look at a file: its last-write time, or the errno that kept it from being read
    // (EWOULDBLOCK when a writer holds it locked).
    struct Look {
        std::optional<std::time_t> time;
        int error = 0;
    };
    using Probe = std::function<Look(const std::string& nativePath)>;
    using Wait = std::function<void(std::chrono::milliseconds)>;

    static Look look(const std::string& nativePath);
    static void sleep(std::chrono::milliseconds pause);
    // Whether a look may succeed later: the file is held by its writer or busy. A missing file, a
    // permission error and every other error stay as they are.
    static bool canPass(int error);

    static std::optional<std::string> read(const std::string& path, int attempts,
                                           std::chrono::milliseconds pause,
                                           const Probe& probe = look, const Wait& wait = sleep);
    static std::string format(std::time_t time);
};
