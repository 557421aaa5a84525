#pragma once

class CellGrid;

// The columns of the image-list grid: the assignment mark, the page order, the type, the file
// name, the paper size, the date, and the hidden page count and preview flag. Row 0 is the
// header; one row per image follows.
class ImageGridLayout {
public:
    static constexpr int kCols = 8;

    static void prepare(CellGrid& grid);
};
