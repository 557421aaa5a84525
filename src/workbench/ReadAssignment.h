#pragma once

#include "workbench/SheetReadJob.h"

#include <vector>

class Workbench;

// Confirmed suggestions become assignments through the ordinary command "割り当て", so every
// rule, mark, page number and paper-size cell of assignment applies unchanged. Images suggested
// for one row become its pages in image-list order.
class ReadAssignment {
public:
    // The preset of the check boxes: a suggestion scoring at least minScore.
    static std::vector<bool> presetChecks(const std::vector<ReadSuggestion>& suggestions,
                                          double minScore);

    struct Outcome {
        int rowsAssigned = 0;
        int imagesAssigned = 0;
        // Rows whose command was not available any more (already assigned meanwhile, or
        // images the command cannot join).
        std::vector<int> refusedRows;
    };
    // checked: one flag per suggestion. Rows that could not be given their images are told
    // together, after the others are assigned.
    static Outcome apply(Workbench& workbench, const std::vector<ReadSuggestion>& suggestions,
                         const std::vector<bool>& checked);
};
