#pragma once

#include <string>
#include <utility>

// The record a caller hands over with a watched launch. It travels with the completion message
// to the requesting window, whose handler then owns it; when the launch fails before the program
// runs, the launcher frees it. The open-with-application command attaches the image file and its
// extension and asks for the desktop's opener instead of a command line. Callers may derive a
// richer record; it is always freed through this base.
struct LaunchAttachment {
    LaunchAttachment() = default;
    LaunchAttachment(std::string filePath, std::string fileExtension, bool shell)
        : path(std::move(filePath)), extension(std::move(fileExtension)), shellWay(shell) {}
    LaunchAttachment(const LaunchAttachment&) = default;
    LaunchAttachment& operator=(const LaunchAttachment&) = default;
    virtual ~LaunchAttachment() = default;

    std::string path;      // cp932
    std::string extension; // cp932, e.g. "tif"
    bool shellWay = false;
};
