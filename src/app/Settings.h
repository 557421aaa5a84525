#pragma once

#include <array>
#include <cstdint>
#include <string>

// A calendar date as the settings hold it; not necessarily valid when read from a file.
struct Date {
    int year = 0;
    int month = 0;
    int day = 0;

    bool operator==(const Date&) const = default;
};
bool isValidDate(const Date& d);
std::string formatDate(const Date& d); // "%04d/%02d/%02d"

// The outer rectangle of the main window in screen coordinates; all -1 when none is stored.
struct WindowRect {
    int left = -1;
    int top = -1;
    int right = -1;
    int bottom = -1;

    bool isStored() const { return !(left == -1 && top == -1 && right == -1 && bottom == -1); }
    bool operator==(const WindowRect&) const = default;
};

// One magnified-preview area as remembered in the settings.
struct MagAreaSetting {
    int origin = 3; // 0 top left, 1 top right, 2 bottom left, 3 bottom right, 4 free
    int posX = 0;
    int posY = 0;
    int width = 100;
    int height = 50;
};

// One per-size memory entry; origin -1 means nothing stored for that size.
struct SizeMemoryEntry {
    int origin = -1;
    int x = 0;
    int y = 0;
    int width = 100;
    int height = 50;
    // x + width and y + height, in 64 bits: the stored values are taken as they stand, and any
    // two of them add up without overflow.
    std::int64_t right = 100;
    std::int64_t bottom = 50;
};

inline constexpr int kSizeMemoryCount = 42;

// The process-wide settings of the program, in memory. Texts are cp932.
struct Settings {
    // SYSTEM
    std::string templateFile; // "<name>.tpl", or empty
    int expanPreview = 0;
    int loadPreview = 0;
    int margin = 12;
    int autoCursol = 0;
    int addText = 0;
    int initDateType = 0;
    Date initDate;
    int dispInputDlg = 1;
    std::string exportFilename; // default filled by the store
    int exportSelectFolder = 0;
    std::string exportSelectFolderPath;
    int enterKeyAssign = 0;
    int prevPage = 0;
    std::string prevPageSelect;
    int expanPrevMemory = 0;
    int renameOverwrite = 0;
    int csvRowNum = 300;
    std::string targetExt = "TIF/TIFF/JPG/JPEG/PDF";
    int tiffInfanticide = 6;
    bool tiffExpanMode = true;
    bool noiseErase = false;
    int jpgResolution = 96;
    int exportType = 0;
    bool exportAddConse = true;
    bool displayFileExistCheck = false;
    bool initWindowMaximized = false;
    int keepRuns = 5; // runs whose journal and kept files stay for undo
    WindowRect windowRect;

    // PATH
    std::string scanPath;
    std::string csvPath;
    std::string editDataPath;
    std::string quentryPath;

    // WORK
    int threads = 0; // workers of the pool; 0 one per core

    // magnified previews
    std::array<MagAreaSetting, 2> magAreas{};
    std::array<SizeMemoryEntry, kSizeMemoryCount> sizeMemory{};
};
