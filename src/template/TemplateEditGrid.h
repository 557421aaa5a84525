#pragma once

#include "base/Messages.h"
#include "template/ColumnDetail.h"
#include "template/Template.h"

#include <optional>
#include <string>
#include <vector>

class CellGrid;
class Prompter;

// The template-wide options of the template dialog, as its controls hold them.
struct TemplateOptions {
    bool replaceSpaces = false;
    std::string replacementChar;
    std::string connector;
    bool sortExport = false;
    bool rememberWidths = false;
    std::string storageFolder;
    std::string docType;
};

// A refusal of the dialog's OK: the message, the row to select, whether the replacement
// character edit is to be cleared, and the control that gets the focus.
struct TemplateEditRefusal {
    enum class Field { Grid, Replacement, Connector, StorageFolder };

    Msg message;
    int row = 1;
    bool clearReplacement = false;
    Field field = Field::Grid;
};

// The column grid of the template dialog: one column definition per row below the headings, with
// the rules of its cells (file-name marks only on text rows and never hidden, one first and one
// second sort), the detail values per row, validation and the Template it stands for.
class TemplateEditGrid {
public:
    enum Column { Name, Type, Source, FileName, Sort1, Sort2, Hidden, ColumnCount };
    static constexpr std::size_t kNameChars = 200;

    TemplateEditGrid(CellGrid& grid, Prompter& prompter, int csvRowNum);

    CellGrid& grid() { return m_grid; }
    int csvRowNum() const { return m_csvRowNum; }
    bool namesLocked() const { return m_namesLocked; }
    void setNamesLocked(bool locked) { m_namesLocked = locked; }

    // The drop-down entries of a column (empty for the free and the toggled columns).
    std::vector<std::string> entries(int col) const;

    // Fills one row per template column from row 1 and marks every filled row detail present.
    void fill(const Template& t);

    // A click (or Space, which leaves the hidden mark alone) on a file-name cell.
    void toggleFileName(int row, bool clearHidden);
    // A click on a hidden cell.
    void toggleHidden(int row);
    // Whether the cell may be edited in place; byKey: Space or F2 rather than a click.
    bool mayEdit(int row, int col, bool byKey) const;
    // After an in-place edit ended: type and sort rules. A refused sort blanks the cell and moves
    // the cursor to the next row (from the last row to row 1).
    void edited(int row, int col);

    // "詳細設定..." for the row: a name and a type of text, integer, real or date.
    bool detailEnabled(int row) const;
    int typeOf(int row) const; // 0 when the type cell is blank
    // The row's detail values as the detail dialog receives them (zeros when none were set).
    ColumnDetail detailOf(int row) const;
    void setDetail(int row, const ColumnDetail& detail);
    bool detailPresent(int row) const;

    // The OK checks in order; the first refusal is shown, its row selected and returned.
    std::optional<TemplateEditRefusal> validate(const TemplateOptions& options);
    // The template the grid and the options stand for: every row with a name and a type.
    Template collect(const std::string& name, const TemplateOptions& options) const;

    // Empties every cell below the headings and forgets every row's detail values.
    void clearRows();

private:
    std::string cell(int row, int col) const; // trimmed
    bool blankRow(int row) const;
    std::optional<TemplateEditRefusal>
    refuse(Msg message, int row,
           TemplateEditRefusal::Field field = TemplateEditRefusal::Field::Grid,
           bool clearReplacement = false);

    CellGrid& m_grid;
    Prompter& m_prompter;
    int m_csvRowNum;
    bool m_namesLocked = false;
    std::vector<std::optional<ColumnDetail>> m_details;
};
