#pragma once

// What the rename list tells the main window that owns it. Each hook does nothing unless the
// owner needs it (the command-line companion and tests have no buttons).
class RenameListOwner {
public:
    enum class EnterAssign { NotAssigned, Assigned, Duplicate };

    virtual ~RenameListOwner() = default;

    // The current row, an edit or a row operation changed: the assignment buttons and the save
    // commands are to be re-evaluated.
    virtual void listStateChanged() {}
    // An edit changed the work data.
    virtual void listModified() {}
    // Delete was pressed in the editor of a row that is not complete: "割り当て" goes grey.
    virtual void listAssignUnavailable() {}
    // Enter ended an edit while EnterKeyAssign is on: the row is to be assigned to the current
    // image when it is complete and an image is available. Duplicate: the name clash was reported.
    virtual EnterAssign listAssignByEnter(int /*row*/) { return EnterAssign::NotAssigned; }
    // Enter was pressed on the grid while no edit runs.
    virtual void listEnterKey() {}
    // The right button was pressed on the grid while no edit runs: the menu "一覧操作" opens at
    // the position (twips from the grid's top-left corner).
    virtual void listContextMenu(int /*xTwips*/, int /*yTwips*/, bool /*itemsEnabled*/) {}
};
