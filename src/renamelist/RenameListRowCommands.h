#pragma once

class AssignmentQueries;
class Prompter;
class RenameList;
class RenameListOwner;

// The row operations of the rename list: inserting and deleting a row at the current list row
// (the list keeps 1000 rows, the assignments follow their rows), sorting by a header click, and
// renumbering after the grid sorted by itself.
class RenameListRowCommands {
public:
    RenameListRowCommands(RenameList& list, AssignmentQueries& assignments, Prompter& prompter,
                          RenameListOwner& owner)
        : m_list(list), m_assignments(assignments), m_prompter(prompter), m_owner(owner) {}

    // "行の挿入": an empty row at the current list row; the former row 1000 is discarded (after a
    // question when it is assigned). False when nothing changed.
    bool insertRow();
    // "行の削除": the current list row goes (after a question when it is assigned) and an empty
    // row is appended. False when nothing changed.
    bool deleteRow();
    // A press on the header of a grid column: the column's order toggles and rows 1 to the last
    // row with data are sorted by it, rows with data first. Refused while rows are assigned.
    bool sortByHeader(int gridCol);
    // The grid sorted its rows itself: "No." and RowKey are rewritten.
    void renumberAfterGridSort();

private:
    bool currentRowValid(int& row) const;
    void renumberQuietly();

    RenameList& m_list;
    AssignmentQueries& m_assignments;
    Prompter& m_prompter;
    RenameListOwner& m_owner;
};
