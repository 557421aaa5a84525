#pragma once

#include <array>
#include <string>

// One column of a template. The type is kept as its stored code so that files written by other
// means (with codes outside 1 to 5) are taken as they stand.
struct ColumnDef {
    std::string name; // cp932, no tab
    int type = 1;     // ColumnType code
    int sourceField = 0;
    bool fileName = false;
    int sort1 = 0; // 0 none, 1 ascending, 2 descending
    int sort2 = 0;
    bool hidden = false;
    int digits = 0;   // 0: not set
    int decimals = 0; // 0: not set
    int alignment = 0;
    std::array<int, 5> restriction{}; // numerals, upper, lower, forbidden, symbols

    // digits with "not set" resolved: text 100, integer and real 9.
    int effectiveDigits() const;
    // decimals with "not set" resolved: 2 for real columns.
    int effectiveDecimals() const;

    bool operator==(const ColumnDef&) const = default;
};
