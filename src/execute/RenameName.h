#pragma once

#include <string>

class RenameList;
struct Template;

// The name a row's images get, composed from the row's file-name columns. The form made here is
// the one the duplicate checks compare (without regard to case): each value formatted by its
// column type and alignment, the connector after every value but that of the template's last
// column, blanks replaced when the template asks for it and a replacement character is set, and
// the nine characters a file name may not hold turned into their full-width forms.
class RenameName {
public:
    // exportType 2 (the agent list) also drops leading half-width and full-width blanks.
    static std::string forCheck(const RenameList& list, const Template& t, int row, int exportType);
};
