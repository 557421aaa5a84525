#pragma once

#include "execute/AssignmentRules.h"
#include "renamelist/CAssignInfo.h"

#include <map>
#include <string>
#include <vector>

class AssignmentList;
class CellGrid;
class MainView;
class Prompter;
class RenameList;
struct Settings;
struct Template;

// The changes to the assignment list and what shows it: records added and removed, the marks in
// both grids, the page numbers in the image list, and the paper-size cell of a row filled from
// its first image. Batch work shows its progress in the status bar and stops both grids'
// redrawing meanwhile. A mark that cannot be set or cleared is reported and the work goes on.
class AssignmentWork {
public:
    struct Parts {
        AssignmentList& list;
        RenameList& renameList;
        CellGrid& imageGrid;
        MainView& view;
        Prompter& prompter;
        const Settings& settings; // Margin, JPGResolution and the image folder (Scan)
        const AssignmentRules& rules;
    };

    explicit AssignmentWork(Parts parts) : m_p(parts) {}

    // The given image rows (rows already assigned are skipped) become the next pages of the
    // rename row, which then shows its mark.
    void assign(int row, const std::vector<int>& imageRows);
    // Each assigned image row among imageRows is released; the rest of its row is renumbered.
    void release(const std::vector<int>& imageRows);
    // Each complete row in order takes the next image of the list, one image per row, after
    // every record was released. False when a mark could not be set.
    bool batchAssign();
    // Every record and every mark go; with progress in the status bar.
    bool releaseAll(bool showProgress);
    // The records of one row go, and with them the marks and page numbers of its images.
    void releaseRow(int row);
    // After the image folder was listed again: records of files no longer listed are dropped,
    // every row's pages are numbered anew and the marks set again.
    void reapplyAfterReload();
    // Records read back from a work data file join the list; each row's pages are numbered anew
    // and the marks set as for an assignment. The paper-size cells keep what the list holds.
    void restore(const std::vector<CAssignInfo>& records);

    // The size class the list gave a row (by RowKey) whose first page measures another class;
    // empty when they agree or the list gave none. The list's value is the one the cell held
    // before the first assignment filled it.
    std::string paperSizeListed(const std::string& rowKey) const;

private:
    bool setRowMark(int row, int mark, bool reportSet);
    bool setImageMark(int imageRow, int mark, bool reportSet);
    // Numbers the row's records 1, 2, ... in list order, writes the numbers into the image list
    // and gives the row and its images their marks; the paper-size cell is filled again when
    // page 1 is now another image than firstBefore.
    void renumberRow(int row, const std::string& firstBefore);
    void fillPaperSize(int row, const std::string& fileName);
    // Fits the paper-size column to its contents unless the template keeps stored widths.
    void fitPaperSize();
    int listedImagesOfRow(int row) const;
    bool isCompleteForBatch(int row) const;

    Parts m_p;
    std::map<std::string, std::string> m_listedSizes; // RowKey -> the list's size class
    std::map<std::string, std::string> m_mismatches;  // RowKey -> the list's class, differing
};
