#pragma once

#include "app/ReadSettings.h"
#include "app/Settings.h"
#include "read/SheetMatcher.h"
#include "read/SheetReading.h"

#include <atomic>
#include <functional>
#include <string>
#include <vector>

class Prompter;
class WorkerPool;
class Workbench;

// One image of the image list to read.
struct ReadImage {
    int imageRow = 0;
    std::string fileName;  // cp932, as the image list shows it
    std::string paperSize; // cp932, the measured size of page 1 ("A1 横")
    std::string path;      // file-system path
};

// What reading one image gave: the codes and text, the suggested row and its runner-up, and the
// paper-size check against the size the list gives the suggested row.
struct ReadSuggestion {
    ReadImage image;
    SheetReading reading;
    SheetMatcher::Result match;
    std::string paperSizeListed; // cp932 size class of the suggested row's list value, or empty
    bool paperMismatch = false;
};

// Reads every unassigned image of the window against its rename list. The inputs are taken on the
// window's thread; the reading runs on any thread, on the given number of workers, and hands the
// results back in image-list order. One image that cannot be read gets its reason and no
// suggestion; the others go on.
class SheetReadJob {
public:
    struct Input {
        std::vector<ReadImage> images;
        std::vector<SheetMatcher::Row> rows;
        std::vector<std::string> listedSizes; // per row number: the list's size class (cp932)
        Settings settings;
        ReadSettings read;
        std::string dataPath; // the text engine's data
        bool fileNameColumns = false;
    };

    // The unassigned images and the candidate rows as the window holds them now.
    static Input collect(Workbench& workbench, const ReadSettings& read);

    // What the operator is told before reading: a template without file-name columns, and,
    // unless languagesTold is set already (it is set then), missing text data.
    static void tellBefore(const Input& input, Prompter& prompter, bool& languagesTold);

    // The images are read on the pool's workers only, so there are as many text engines at work
    // as the pool has workers (all on the calling thread without a pool).
    // done(n) is called on the calling thread after the n-th result is in. A set cancel flag
    // makes every image not yet begun end as cancelled.
    static std::vector<ReadSuggestion> run(const Input& input, WorkerPool* pool,
                                           const std::atomic<bool>& cancel,
                                           const std::function<void(std::size_t)>& done);
};
