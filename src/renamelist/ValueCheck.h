#pragma once

#include "template/ColumnDef.h"

#include <string>
#include <string_view>

// Checks a cell value against its column's definition and normalises it, by ColumnType. Two
// flavours: values read from the rename list file, and values the operator typed into the grid.
namespace ValueCheck {

struct Result {
    bool valid = false;
    std::string value;                 // the normalised value when valid
    bool restrictionMalformed = false; // the column's text restriction could not be read
};

// A value read from the file. A text longer than the column's digits is invalid, unless the
// column is a file-name column with alignment 0, where it is cut. An empty date cell receives
// initialDate. A column type outside 1 to 5 makes every value invalid.
Result importValue(const ColumnDef& column, std::string_view value, const std::string& initialDate);
// A value typed into the grid. A text longer than the digits is always cut; an empty date stays
// empty.
Result editValue(const ColumnDef& column, std::string_view value);

// False for text that holds a NUL byte or bytes that do not form cp932 characters; such values
// cannot become cell texts or parts of file names.
bool isCleanText(std::string_view value);

} // namespace ValueCheck
