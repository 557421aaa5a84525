#pragma once

#include "execute/AssignmentAvailability.h"

#include <optional>
#include <string>
#include <vector>

class AssignmentList;
class CellGrid;
class RenameList;
struct Template;

// What the assignment list, the rename list and the image list allow: the rows and images that
// count as assigned, complete rows, the duplicate-name checks, which commands are available, and
// where the cursors go after an assignment. Reads only.
class AssignmentRules {
public:
    struct Parts {
        const AssignmentList& list;
        const RenameList& renameList;
        const CellGrid& imageGrid;
        const Template& currentTemplate;
        const int& exportType;
    };

    // Batch assign's look at the list: the complete rows, the image count and the first pair of
    // rows (earlier, later) among the rows that would be taken whose names clash.
    struct BatchPlan {
        std::vector<int> completeRows;
        int imageCount = 0;
        std::optional<std::pair<int, int>> duplicate;
    };

    explicit AssignmentRules(Parts parts) : m_p(parts) {}

    bool isRowAssigned(int row) const;
    // An image row counts as assigned when its file has a record; row 0 or less always does.
    bool isImageAssigned(int imageRow) const;
    bool isCompleteRow(int row) const;
    bool anyCompleteRow() const;
    int imageCount() const;
    // The selected image rows in the grid's order, without the header row.
    std::vector<int> selectedImageRows() const;
    bool noSelectedImageAssigned() const;

    std::string renameNameOfRow(int row) const;
    // True when the row's name equals (without regard to case) the name of a row that has
    // records, the row itself left out.
    bool clashesWithAssigned(int row) const;
    BatchPlan batchPlan() const;

    // renameRow and imageRow: the current rows of the grids (below 1: none).
    AssignmentAvailability availability(int renameRow, int imageRow) const;

    // The image row that becomes current after an assignment: the first unassigned row below
    // the current one, else the first unassigned row; 0 when every image is assigned.
    int nextImageRow(int current) const;
    // The rename row that becomes current after an assignment: the first unassigned row from
    // the current one down, else from the top; 0 when every row is assigned.
    int nextRenameRow(int current) const;

private:
    Parts m_p;
};
