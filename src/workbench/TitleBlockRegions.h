#pragma once

#include "read/SheetReading.h"

#include <string>
#include <vector>

struct Settings;

// Where the title block of a page is looked for: the magnified areas the operator designated for
// the page's paper size and orientation (the per-size memory), placed on the page as the large
// preview shows it at the window's initial size; where none was designated, the bottom-right
// corner where title blocks usually sit.
class TitleBlockRegions {
public:
    // paperText: the page's paper-size text (cp932, "A1 横"); the page's size in pixels.
    static std::vector<ReadRegion> of(const Settings& settings, const std::string& paperText,
                                      int pageWidth, int pageHeight);
};
