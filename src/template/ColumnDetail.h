#pragma once

#include "base/Messages.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

// The detail values of one column as the column detail dialog edits them: digits, decimals,
// alignment kind and the five text restriction codes.
struct ColumnDetail {
    int digits = 0;
    int decimals = 0;
    int alignment = 0;
    std::array<int, 5> restriction{};

    bool operator==(const ColumnDetail&) const = default;
};

// What the dialog enables and accepts for one column type.
struct ColumnDetailLayout {
    bool digitsEnabled = false;
    int digitsMin = 1;
    int digitsMax = 1;
    bool decimalsEnabled = false; // the decimals range is always 1 to 2
    bool restrictionsEnabled = false;
    std::vector<std::string> alignmentEntries; // empty: no alignment list shown
    bool shortWindow = false;                  // integer and real: the restriction area is cut off
};

// A refused value: the message, and whether the digits (or else the decimals) field is meant.
struct ColumnDetailRefusal {
    Msg message;
    bool digitsField = true;
};

namespace columndetail {

inline constexpr int kDecimalsMin = 1;
inline constexpr int kDecimalsMax = 2;

ColumnDetailLayout layoutFor(int type);

// The values the dialog starts with: unset digits and decimals replaced by their defaults, an
// alignment kind the type's list does not offer replaced by 0.
ColumnDetail opened(int type, ColumnDetail stored);

// The number in a digits or decimals field: full-width digits count as digits, surrounding blanks
// are ignored, leading zeros dropped; nothing when the text is not a number within min..max.
std::optional<int> parseNumber(std::string_view cp932Text, int min, int max);

// The dialog's OK: checks the fields in order and gives the values to store, or the first refusal.
// Columns without an alignment list store -1 as their alignment.
std::variant<ColumnDetail, ColumnDetailRefusal> accept(int type, std::string_view digitsText,
                                                       std::string_view decimalsText, int alignment,
                                                       const std::array<int, 5>& restriction);

// "%d.%d.%d.%d.%d." as the template dialog keeps it for a row.
std::string restrictionText(const std::array<int, 5>& restriction);

} // namespace columndetail
