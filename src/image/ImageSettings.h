#pragma once

#include "image/PageSelection.h"

#include <chrono>
#include <string>
#include <vector>

struct Settings;

// What measuring, checking and preview making need of the settings and folders. Texts are cp932.
struct ImageSettings {
    int margin = 12;
    int jpgResolution = 96;
    int tiffInfanticide = 6;
    PageSelection selection;
    std::vector<std::string> extensions{"TIF", "TIFF", "JPG", "JPEG", "PDF"}; // TargetExt, split
    bool loadPreview = false;
    std::string dataFolder;
    std::string tempFolder;
    std::string programFolder; // where hp2xx is looked for first
    std::chrono::milliseconds converterPoll{1000};
    // Threads that make previews while a folder loads: -1 one per core, 0 none (all serial).
    int workers = -1;

    static ImageSettings from(const Settings& settings, const std::string& dataFolder,
                              const std::string& programFolder);
};
