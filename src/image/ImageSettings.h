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
    int threads = 0; // workers of the pool (WORK/Threads), 0 one per core
    // False for a main window without a screen: no preview file is made in the temp folder; a
    // conversion whose outcome a flag depends on runs in a scratch folder that goes away.
    bool keepPreviews = true;

    static ImageSettings from(const Settings& settings, const std::string& dataFolder,
                              const std::string& programFolder);
};
