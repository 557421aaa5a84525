#pragma once

#include <cstdint>

// Value kinds of a cell, numbered as the grid control numbers them.
enum class CellKind {
    Text = 0,
    Picture = 3,
    Value = 18,
    DisplayText = 19,
};

// Column data types, numbered as the variant types the grid control takes.
enum class CellDataType {
    Empty = 0,
    Integer = 2,
    Real = 3,
    Text = 8,
};

// Sort orders of the grid's generic comparison.
enum class CellGridSort {
    Ascending = 1,
    Descending = 2,
};

// Column alignment codes, numbered as the grid control numbers them.
enum class CellAlignment {
    LeftTop = 0,
    LeftCenter = 1,
    LeftBottom = 2,
    CenterTop = 3,
    CenterCenter = 4,
    CenterBottom = 5,
    RightTop = 6,
    RightCenter = 7,
    RightBottom = 8,
    General = 9,
};

// How presses and cursor keys change the selection.
//  Free:    a rectangle from the current cell to (rowSel, colSel).
//  ByRow:   the same rows, always across every column.
//  ListBox: each row carries its own selected flag (multi-row selection of a list).
enum class CellGridSelectionMode {
    Free,
    ByRow,
    ListBox,
};

// A rectangle of cells, top <= bottom and left <= right.
struct CellGridRange {
    int top = 0;
    int left = 0;
    int bottom = 0;
    int right = 0;
    bool operator==(const CellGridRange&) const = default;
};

// The cell under a point; -1 when the point is outside every row or column.
struct CellGridHit {
    int row = -1;
    int col = -1;
    bool operator==(const CellGridHit&) const = default;
};

// Colours are Windows colour references 0x00BBGGRR.
namespace gridcolor {
constexpr std::uint32_t Red = 255;
constexpr std::uint32_t White = 16777215;
// No colour of its own: the cell is painted in the grid's normal colour.
constexpr std::uint32_t Default = 0xFFFFFFFFu;
} // namespace gridcolor
