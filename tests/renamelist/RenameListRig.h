#pragma once

#include "base/CellGrid.h"
#include "base/CellGridInput.h"
#include "base/RecordingMainView.h"
#include "base/ScriptedPrompter.h"
#include "renamelist/AssignmentList.h"
#include "renamelist/RenameList.h"
#include "renamelist/RenameListController.h"
#include "renamelist/RenameListImport.h"
#include "renamelist/RenameListLoader.h"
#include "renamelist/RenameListOwner.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

// A column for the tests: name, type, source field.
inline ColumnDef testColumn(const std::string& name, int type, int load) {
    ColumnDef c;
    c.name = name;
    c.type = type;
    c.sourceField = load;
    return c;
}

inline Template testTemplate(std::vector<ColumnDef> columns) {
    Template t;
    t.name = "test";
    t.columns = std::move(columns);
    return t;
}

// Records what the rename list tells its owner.
struct RecordingOwner : RenameListOwner {
    void listStateChanged() override { ++stateChanges; }
    void listModified() override { ++modified; }
    void listAssignUnavailable() override { ++assignUnavailable; }
    EnterAssign listAssignByEnter(int row) override {
        enterRows.push_back(row);
        return enterResult;
    }
    void listContextMenu(int, int, bool itemsEnabled) override { menus.push_back(itemsEnabled); }

    int stateChanges = 0;
    int modified = 0;
    int assignUnavailable = 0;
    EnterAssign enterResult = EnterAssign::NotAssigned;
    std::vector<int> enterRows;
    std::vector<bool> menus;
};

// The rename list with everything around it that the main window would supply.
struct RenameListRig {
    explicit RenameListRig(const Template& t) {
        list.applyTemplate(t);
        grid.setObserver(&controller);
    }

    Date today{2026, 12, 8};
    CellGrid grid;
    RenameList list{grid};
    AssignmentList assignments;
    RecordingMainView view;
    ScriptedPrompter prompter;
    Settings settings;
    RecordingOwner owner;
    RenameListLoader loader{list, assignments, view, prompter, settings, [this] { return today; }};
    RenameListImport import{prompter, loader, assignments};
    RenameListController controller{list, assignments, prompter, settings, owner};
    CellGridInput input{grid};
    TempDir dir;

    // Writes the file and loads it as the load button does.
    RenameListImport::Imported load(const std::string& bytes,
                                    const std::string& name = "list.csv") {
        const std::string path = dir.write(name, bytes);
        return import.load(path);
    }
    // Opens the editor on a cell with F2, types the text and ends the edit with a key.
    void edit(int row, int k, const std::string& text, int endKey = gridkey::Enter, int shift = 0) {
        grid.setCurrentCell(row, RenameList::gridCol(k));
        input.keyDown(gridkey::F2, 0);
        ASSERT_TRUE(grid.isEditing()) << row << "/" << k;
        grid.setEditText(text);
        input.editorKeyDown(endKey, shift);
    }
    void assign(int row, const std::string& file = "scan.tif") {
        assignments.append({std::to_string(row), file});
    }
    std::vector<int> assignedRows() const {
        std::vector<int> rows;
        for (const auto& r : assignments.records()) {
            rows.push_back(std::stoi(r.rowKey));
        }
        return rows;
    }
    const std::string& cell(int row, int k) const { return list.cellText(row, k); }
    std::vector<std::string> messages() const {
        std::vector<std::string> texts;
        for (const auto& m : prompter.shown()) {
            texts.push_back(u8(m.text));
        }
        return texts;
    }
    // True when "No." and RowKey hold the row number in every data row.
    bool numbered() const {
        for (int row = 1; row <= RenameList::kDataRows; ++row) {
            const std::string n = std::to_string(row);
            if (grid.text(row, RenameList::kColNo) != n ||
                grid.text(row, RenameList::kColRowKey) != n) {
                return false;
            }
        }
        return grid.rows() == RenameList::kDataRows + 1;
    }
};
