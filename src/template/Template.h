#pragma once

#include "template/ColumnDef.h"

#include <string>
#include <vector>

// A rename-list definition: its columns, how new file names are formed and where images go.
struct Template {
    std::string name; // file name without ".tpl", at most 20 bytes
    std::vector<ColumnDef> columns;
    std::string storageFolder;
    bool replaceSpaces = false;
    std::string replacementChar = "-";
    bool sortExport = false;
    bool rememberWidths = false;
    std::vector<int> widths; // grid column widths in twips, as stored
    std::string connector;   // at most one single-byte character, possibly a blank
    std::string docType;

    bool operator==(const Template&) const = default;
};
