#pragma once

#include "app/Settings.h"
#include "base/CellGridObserver.h"
#include "renamelist/RenameListEditor.h"
#include "renamelist/RenameListRowCommands.h"

class AssignmentQueries;
class Prompter;
class RenameList;
class RenameListOwner;

// The rename list grid's events: F2, a double-click or a press on the current row start an edit;
// Enter outside an edit goes to the owner (it may assign);
// a press on a column header sorts; the right button asks for the context menu; the current cell
// changing makes its row the current list row; the grid's own sort renumbers the rows.
class RenameListController : public CellGridObserver {
public:
    RenameListController(RenameList& list, AssignmentQueries& assignments, Prompter& prompter,
                         const Settings& settings, RenameListOwner& owner);

    RenameListEditor& editor() { return m_editor; }
    RenameListRowCommands& rows() { return m_rows; }
    // The context menu's items are usable: a template is selected and no edit runs.
    bool menuItemsEnabled() const;

    void gridKeyDown(CellGrid& grid, int& keyCode, int shift) override;
    void gridKeyDownEdit(CellGrid& grid, int row, int col, int& keyCode, int shift) override;
    void gridDblClick(CellGrid& grid) override;
    void gridBeforeMouseDown(CellGrid& grid, int button, int shift, int xTwips, int yTwips,
                             bool& cancel) override;
    void gridMouseDown(CellGrid& grid, int button, int shift, int xTwips, int yTwips) override;
    void gridStartEdit(CellGrid& grid, int row, int col, bool& cancel) override;
    void gridAfterEdit(CellGrid& grid, int row, int col, int endKey) override;
    void gridCurrentCellChanged(CellGrid& grid, int oldRow, int oldCol, int newRow,
                                int newCol) override;
    void gridAfterSort(CellGrid& grid, int col, int order) override;

private:
    RenameList& m_list;
    RenameListOwner& m_owner;
    RenameListEditor m_editor;
    RenameListRowCommands m_rows;
    int m_rowBeforePress = -1;
};
