#pragma once

#include "execute/AssignmentRules.h"
#include "execute/AssignmentWork.h"
#include "renamelist/AssignmentList.h"
#include "renamelist/RenameListOwner.h"
#include "workbench/AssignmentPort.h"

class CellGrid;
class MainView;
class Prompter;
class RenameList;
class Workbench;
struct Settings;
struct WorkbenchState;

// The assignment list of the main window and its four commands ("割り当て", "解除",
// "一括割り当て", "一括解除"), with Enter in the rename list, the cursor moves after an
// assignment, and the list's part in loading, reloading and the row operations. Every command
// ends with the work data marked changed and the control states recomputed.
class AssignmentCommands : public AssignmentPort {
public:
    struct Parts {
        Workbench& workbench;
        WorkbenchState& state;
        const Settings& settings;
        RenameList& renameList;
        CellGrid& imageGrid;
        MainView& view;
        Prompter& prompter;
    };

    explicit AssignmentCommands(Parts parts);
    AssignmentCommands(const AssignmentCommands&) = delete;
    AssignmentCommands& operator=(const AssignmentCommands&) = delete;

    const AssignmentList& list() const { return m_list; }
    const AssignmentRules& rules() const { return m_rules; }
    const AssignmentWork& work() const { return m_work; }

    // "割り当て": the selected images to the current rename row, then both cursors move on.
    void assign();
    // Enter in the rename list: as "割り当て", but the rename cursor stays.
    void assignByEnter();
    // An edit of row ended with Enter: the row takes the selected images when it may.
    RenameListOwner::EnterAssign assignEditedRow(int row);
    // "解除": every selected image that is assigned.
    void release();
    // "一括割り当て": one image per complete row, in order, after a question.
    void batchAssign();
    // "一括解除": every assignment, after a question.
    void batchRelease();
    // The image folder was listed again: records of vanished files go, the marks come back.
    void reapplyAfterReload();
    // Records of a work data file that qualified: they join the list with their marks.
    void restore(const std::vector<CAssignInfo>& records);

    // AssignmentPort
    std::size_t count() const override { return m_list.size(); }
    Availability availability() const override;
    bool isRowAssigned(int row) const override { return m_list.isRowAssigned(row); }
    void releaseRow(int row) override { m_work.releaseRow(row); }
    void releaseAll() override { m_work.releaseAll(false); }
    void shiftRows(int fromRow, int delta) override { m_list.shiftRows(fromRow, delta); }

private:
    // The rename row a command acts on: the grid's current row, row 1 when there is none.
    int currentRenameRow() const;
    RenameListOwner::EnterAssign assignRow(int row, bool moveRenameCursor);
    // The window is held (controls disabled, wait cursor) while a command works.
    void hold();
    // The command is done: work data changed (when it was), controls recomputed, the focus on
    // the rename list when Enter assigns.
    void done(bool changed);

    Parts m_p;
    AssignmentList m_list;
    AssignmentRules m_rules;
    AssignmentWork m_work;
};
