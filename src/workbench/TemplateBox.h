#pragma once

#include "template/TemplateFolder.h"

#include <optional>
#include <string>
#include <vector>

class AssignmentPort;
class ListBoxView;
class MainView;
class Prompter;
class RenameList;
struct Settings;
struct WorkbenchState;

// The template box of the main window (control 1066): its list of templates, loading a template
// into the rename-list grid, changing the template, and saving the column widths of the current
// template.
class TemplateBox {
public:
    struct Parts {
        WorkbenchState& state;
        Settings& settings;
        RenameList& renameList;
        MainView& view;
        ListBoxView& list;
        Prompter& prompter;
        AssignmentPort& assignments;
    };

    TemplateBox(Parts parts, TemplateFolder folder);

    const TemplateFolder& folder() const { return m_folder; }
    // The entry the box shows, -1 for none.
    int index() const { return m_index; }

    // Opening: lists the templates and loads the one the Template setting names.
    void fillAtStart();
    // Lists the templates again and selects the current one when it is listed.
    void refresh();
    // The operator picked entry index; picking the current entry again changes nothing.
    void selectionChanged(int index);
    // The start-up request: the listed template of that name (without regard to case) is selected
    // as by a change; false when none is listed.
    bool selectByName(const std::string& name);
    // A template read from a file of its own, wherever it lies (the command-line companion's
    // --template): applied under its name, the box showing the listed template of that name if
    // there is one. The column widths of the template that was current are not written back.
    bool selectTemplate(const std::string& name, const Template& t);
    // ROWWIDTH of the current template from the grid's column widths; reports a failure.
    bool saveWidths();
    void showStorageFolder();
    // The rename list load button: a template is listed, current and applied, and the
    // magnified-area designation is off.
    bool renameListLoadAllowed() const;

private:
    int indexOf(const std::string& name) const;
    // Reads the template of that name from the folder, unless it is given, and applies it.
    bool load(const std::string& name, bool report,
              const std::optional<Template>& given = std::nullopt);
    void reselect(int index);

    Parts m_p;
    TemplateFolder m_folder;
    int m_index = -1;
    // The name of the current template, kept while its file is missing from the list.
    std::string m_current;
};
