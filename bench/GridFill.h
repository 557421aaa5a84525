#pragma once

// The rename list's grid at its largest, filled with deterministic text, shared by the grid
// benchmarks of the core and of the view.
#include "base/CellGrid.h"

#include <string>

inline constexpr int kRows = 1001;
inline constexpr int kCols = 303;

// Numbers in even columns, cp932 text in odd ones.
inline std::string cellText(int row, int col) {
    const unsigned value = static_cast<unsigned>(row * 7919 + col * 104729) % 100000;
    if (col % 2 == 0) {
        return std::to_string(value);
    }
    return "\x88\x9f\x88\xa2-" + std::to_string(value);
}

// Fills every data cell after the three fixed columns.
inline void fill(CellGrid& grid) {
    for (int r = 1; r < kRows; ++r) {
        for (int c = 3; c < kCols; ++c) {
            grid.setText(r, c, cellText(r, c));
        }
    }
}
