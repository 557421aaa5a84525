#pragma once

#include "app/Settings.h"

#include <string>

class AssignmentQueries;
class Prompter;
class RenameList;
class RenameListOwner;

// In-place editing of rename list cells: who may edit, the editor's length limit, the checks when
// an edit ends (accepted values are normalised and turn the cell white, rejected ones give the
// cell its previous text back), and where the cursor goes after Enter, the arrow and page keys
// and Tab.
class RenameListEditor {
public:
    static constexpr int kDefaultTextLimit = 200; // bytes, for a text column without digits
    static constexpr int kPaperSizeLimit = 100;

    RenameListEditor(RenameList& list, AssignmentQueries& assignments, Prompter& prompter,
                     const Settings& settings, RenameListOwner& owner);

    // The row being edited, -1 when no edit runs.
    int editRow() const { return m_editRow; }
    bool isEditing() const { return m_editRow > 0; }

    // Opens the editor on the current cell unless its row is assigned; true when it opened.
    bool startEdit();

    // The grid's events while editing.
    void onStartEdit(int row, int col, bool& cancel);
    void onEditorKey(int row, int col, int& keyCode, int shift);
    void onAfterEdit(int row, int col, int endKey);

private:
    // Ends the edit with a key and moves on as that key asks.
    void endWithEnter(int row, int col);
    void endWithMove(int row, int col, int keyCode, int shift);
    // Where the grid would put the cursor for a key: rows clamp to 1..1000, Tab wraps to the next
    // (Shift+Tab the previous) row.
    void targetOf(int keyCode, int shift, int row, int col, int& toRow, int& toCol) const;
    int nextVisibleCol(int col, int step) const;
    // The nearest unassigned row from row in the direction (+1 or -1), 0 when there is none.
    int nearestUnassigned(int row, int step) const;
    void editAt(int row, int col);

    RenameList& m_list;
    AssignmentQueries& m_assignments;
    Prompter& m_prompter;
    const Settings& m_settings;
    RenameListOwner& m_owner;
    int m_editRow = -1;
    std::string m_before;
    bool m_duplicateReported = false;
};
