#pragma once

#include "read/SheetReading.h"

#include <string>
#include <vector>

// Reads the first page of an image file: every code on the whole page, and the text of the
// title-block regions. The regions are given for the sheet upright; when they hold no legible
// text, the sheet is tried turned by a quarter, a half and three quarters, so a drawing scanned
// on its side is still read. The text engine is the calling thread's own, made once.
class SheetReader {
public:
    struct Options {
        std::string dataPath;              // the text engine's data folder
        std::string languages = "jpn+eng"; // "+"-joined; empty reads no text
    };

    explicit SheetReader(Options options);

    // regions: the title-block regions of the sheet upright (path: a file-system path).
    SheetReading read(const std::string& path, const std::vector<ReadRegion>& regions) const;

    // The bottom-right corner where title blocks usually sit: the right 45 % and the bottom 30 %.
    static ReadRegion defaultRegion();
    // The region of the stored page that holds an upright region once the page is turned
    // clockwise by quarterTurns.
    static ReadRegion onStoredPage(const ReadRegion& upright, int quarterTurns);
    // Whether recognised text counts as legible: enough letters, digits or kana/kanji at a
    // fair confidence.
    static bool legible(const std::string& text, int confidence);

private:
    Options m_options;
};
