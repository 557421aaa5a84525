#pragma once

#include <array>
#include <optional>
#include <string>

// One column of a template. The type is kept as its stored code so that files written by other
// means (with codes outside 1 to 5) are taken as they stand; so are digits and decimals, which
// only the template writer limits.
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
    // The stored restriction group when it does not give five codes ("1.1.", "abc"), kept as it
    // stands: every text value tested against it fails. Nothing for a readable group.
    std::optional<std::string> malformedRestriction;

    // digits as they stand, with "not set" (0 or less) resolved: text 100, integer and real 9.
    int effectiveDigits() const;
    // decimals as they stand for real columns, with "not set" resolved to 2; 0 for other types.
    int effectiveDecimals() const;

    bool operator==(const ColumnDef&) const = default;
};
