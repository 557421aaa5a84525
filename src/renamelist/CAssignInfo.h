#pragma once

#include <string>

// One image assigned to one rename row. The row is named by its RowKey text at the time of
// assignment; as a number it is the row's position in the list, which the rename list keeps
// equal to the RowKey through every row operation.
struct CAssignInfo {
    std::string rowKey;   // the row's RowKey text
    std::string fileName; // the image's file name as the image list shows it, cp932, no folder
    int page = 1;         // 1-based page order of the image within its row
    int preview = 0;      // the image's preview flag at assignment time (1 usable, 0 not)

    bool operator==(const CAssignInfo&) const = default;
};
