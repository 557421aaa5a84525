#pragma once

#include "renamelist/CAssignInfo.h"

#include <optional>
#include <string>
#include <vector>

// The work data file (".edd"): which template, rename list copy and image folder make up a piece
// of work, and which images are assigned to which rows. A profile file in cp932: section PATH
// (TEMPLATE, CSV, IMAGE), one section per assigned row named by its RowKey (NUM, then 1…n and
// "n-PREV" in assignment order), and INFO BIBLIONUM listing the row sections ("5,7,").
class WorkDataFile {
public:
    struct Content {
        std::string templateFile; // "<name>.tpl"
        std::string csv;          // the list copy's file name, beside the work data file
        std::string imageFolder;  // empty when no image folder is loaded
        std::vector<CAssignInfo> records;
    };

    // The file's text: what writing its keys one by one into a new file gives (CR LF lines).
    static std::string compose(const Content& content);

    // The file's content as read. The PATH values come as they stand (absent keys empty); the
    // records are those of the sections BIBLIONUM names, in its order, pages counted from 1
    // (a missing image key is skipped, a missing preview flag reads 1).
    static std::optional<Content> read(const std::string& path);
};
