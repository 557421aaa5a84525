#pragma once

#include <optional>
#include <string>
#include <vector>

class Prompter;
class TemplateFolder;

// The template list of the editor: the sorted names of the template folder, the selected entry,
// and copying and deleting with the refusals the operator sees. The main window's current
// template (its name without ".tpl") cannot be deleted, and editing it raises a hint instead of
// reloading the main window.
class TemplateList {
public:
    TemplateList(const TemplateFolder& folder, Prompter& prompter, std::string currentTemplate);

    const std::vector<std::string>& names() const { return m_names; }
    int selected() const { return m_selected; }
    std::optional<std::string> selectedName() const;
    void select(int index);
    bool currentTemplateEdited() const { return m_currentEdited; }

    // Rereads the folder, sorts without regard to case and selects the entry named before (or
    // else the first one; nothing when the list is empty).
    void refresh();

    // The selected name for edit, copy and delete; tells the operator when there is none.
    std::optional<std::string> requireSelection();
    // After the template dialog returned OK for name: the hint when it is the current template.
    void edited(const std::string& name);
    // Copies the selected template's file to newName; never replaces an existing file.
    bool copySelected(const std::string& newName);
    // Asks, then deletes the selected template; refuses the current template.
    bool deleteSelected();

private:
    const TemplateFolder& m_folder;
    Prompter& m_prompter;
    std::string m_current;
    std::vector<std::string> m_names;
    int m_selected = -1;
    bool m_currentEdited = false;
};
