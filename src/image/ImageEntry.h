#pragma once

#include <string>

class CellGrid;

// One row of the image list: one image file. The image list keeps its entries in the cells of its
// grid (row 0 is the header); other parts read them by row number and these column numbers.
struct ImageEntry {
    enum Column {
        Assigned = 0,     // assignment mark picture
        PageOrder = 1,    // page order within the assigned rename-list row
        Type = 2,         // "TIFF", "JPEG", "PDF", "HP-GL2"
        FileName = 3,     // file name without folder: the entry's key
        PaperSize = 4,    // paper size of page 1
        Date = 5,         // last-write time, "%04d/%02d/%02d %02d:%02d:%02d"
        PageCount = 6,    // hidden
        PreviewValid = 7, // hidden, "1" or "0"
        ColumnCount = 8,
    };

    std::string type;
    std::string fileName;
    std::string paperSize;
    std::string date;
    int pageCount = 0;
    bool previewValid = false;

    static ImageEntry read(const CellGrid& grid, int row);
    // Writes columns 1 to 7 of the row (column 1 and the mark left empty).
    void write(CellGrid& grid, int row) const;

    // Header texts, widths, hidden columns and alignments of the image list; no entries.
    static void prepareGrid(CellGrid& grid);
    // The row whose file name equals fileName without regard to case; -1 when none.
    static int findRow(const CellGrid& grid, const std::string& fileName);
};
