#pragma once

#include <string>

class RenameList;

// The rename list as the CSV copy saved beside a work data file: rows 1 to the last row that
// holds a value (empty rows inside included), the template columns in order joined by ",", text
// and paper-size values in double quotes, integer and real values trimmed, dates bare, CR LF
// line ends. Read back in work data mode (field k feeds column k), the values come back as they
// were.
class ListCopy {
public:
    static std::string compose(const RenameList& list);
    // One value as a field of the copy, by its column type code.
    static std::string field(int type, const std::string& value);
};
