#pragma once

#include <chrono>
#include <optional>
#include <string>

// The last-write time of a file as the image list shows it, "%04d/%02d/%02d %02d:%02d:%02d" in
// local time. The file must be opened for reading without another process holding a lock on it;
// a locked or unreadable file is tried again after a pause, up to the given number of attempts.
class FileDate {
public:
    static std::optional<std::string> read(const std::string& path, int attempts,
                                           std::chrono::milliseconds pause);
    static std::string format(std::time_t time);
};
