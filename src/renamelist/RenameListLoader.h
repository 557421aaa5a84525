#pragma once

#include "app/Settings.h"

#include <functional>
#include <string>

class AssignmentQueries;
class MainView;
class Prompter;
class RenameList;

// Reads a rename list file into the rename list: every line is a row (at most 1000), its fields
// are mapped to template columns by their source field (in work data mode column k takes field
// k), each value is checked and normalised by its column's type, invalid cells are left empty and
// red. The status bar shows what happens and the progress bar advances once per row; both grids
// stop redrawing meanwhile.
class RenameListLoader {
public:
    using Clock = std::function<Date()>;

    static constexpr int kRowLimit = 1000;
    static constexpr int kProgressRange = 1000;

    RenameListLoader(RenameList& list, AssignmentQueries& assignments, MainView& view,
                     Prompter& prompter, const Settings& settings, Clock today);

    // Reads the file; false only when it cannot be opened (no message then, the list is left
    // cleared). Shows the row-limit and invalid-data messages at the end.
    bool LoadRenameList(const std::string& path, bool workDataMode);
    // After every load: outside work data mode the loaded rows are sorted stably by the secondary
    // and then by the primary sort column; the rows are renumbered and row 1 is selected.
    void finish(bool workDataMode);

private:
    int countLines(const std::string& path) const;
    void readRow(int row, const std::string& line, bool workDataMode,
                 const std::string& initialDate, bool& invalidData);

    RenameList& m_list;
    AssignmentQueries& m_assignments;
    MainView& m_view;
    Prompter& m_prompter;
    const Settings& m_settings;
    Clock m_today;
};
