#include "workbench/TemplateBox.h"

#include "app/Settings.h"
#include "base/CellGrid.h"
#include "base/Cp932.h"
#include "base/FileSystem.h"
#include "base/MainView.h"
#include "base/Prompter.h"
#include "renamelist/RenameList.h"
#include "workbench/AssignmentPort.h"
#include "workbench/Ctl.h"
#include "workbench/FolderDisplay.h"
#include "workbench/ListBoxView.h"
#include "workbench/WorkbenchState.h"

#include <string_view>

namespace {

constexpr std::string_view kExtension = ".tpl";

std::string withoutExtension(const std::string& file) {
    if (cp932::endsWithNoCase(file, kExtension)) {
        return file.substr(0, file.size() - kExtension.size());
    }
    return file;
}

} // namespace

TemplateBox::TemplateBox(Parts parts, TemplateFolder folder)
    : m_p(parts), m_folder(std::move(folder)) {
}

int TemplateBox::indexOf(const std::string& name) const {
    const auto& names = m_p.state.templateNames;
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (cp932::equalsNoCase(names[i], name)) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

bool TemplateBox::renameListLoadAllowed() const {
    return m_index >= 0 && m_p.state.templateLoaded && !m_p.state.areaDesignation;
}

void TemplateBox::fillAtStart() {
    m_p.state.templateNames = m_folder.listTemplates();
    m_index = indexOf(withoutExtension(m_p.settings.templateFile));
    m_p.list.setListItems(id(Ctl::TemplateBox), m_p.state.templateNames, m_index);
    if (m_index < 0) {
        m_p.state.templateFile.clear();
        m_p.settings.templateFile.clear();
        m_p.state.templateLoaded = false;
    } else if (load(m_p.state.templateNames[static_cast<std::size_t>(m_index)], true)) {
        m_current = m_p.state.templateNames[static_cast<std::size_t>(m_index)];
    } else {
        m_p.prompter.tell(Msg::TemplateSetFailed);
        reselect(-1);
    }
    m_p.view.enableControl(id(Ctl::LoadRenameList), renameListLoadAllowed());
    showStorageFolder();
}

void TemplateBox::refresh() {
    // The current template is looked up by its name, so that it is selected again when its file
    // comes back after it was missing for a while.
    m_p.state.templateNames = m_folder.listTemplates();
    m_index = m_current.empty() ? -1 : indexOf(m_current);
    m_p.list.setListItems(id(Ctl::TemplateBox), m_p.state.templateNames, m_index);
    m_p.view.enableControl(id(Ctl::LoadRenameList), renameListLoadAllowed());
}

void TemplateBox::reselect(int index) {
    m_index = index;
    m_p.list.setListIndex(id(Ctl::TemplateBox), index);
}

void TemplateBox::selectionChanged(int index) {
    WorkbenchState& s = m_p.state;
    if (index < 0 || index >= static_cast<int>(s.templateNames.size()) || index == m_index) {
        return;
    }
    const int previous = m_index;
    if (m_p.assignments.count() > 0) {
        if (m_p.prompter.tell(Msg::ReleaseAssignments) != Answer::Yes) {
            reselect(previous);
            return;
        }
        m_p.assignments.releaseAll();
    }
    saveWidths();
    if (m_p.assignments.count() == 0) {
        m_p.view.enableControl(id(Ctl::Execute), false);
    }
    if (load(s.templateNames[static_cast<std::size_t>(index)], true)) {
        m_index = index;
        m_current = s.templateNames[static_cast<std::size_t>(index)];
    } else {
        m_p.prompter.tell(Msg::TemplateSetFailed);
        // The box goes back to the previous entry, and so do the grid and the current template,
        // so that what the box shows is what the rename list is laid out for. A previous template
        // whose file is missing cannot come back: the box then has none.
        reselect(previous);
        if (previous >= 0) {
            load(s.templateNames[static_cast<std::size_t>(previous)], false);
        } else {
            m_current.clear();
        }
        m_p.view.focusControl(id(Ctl::RenameGrid));
    }
    showStorageFolder();
    for (Ctl c : {Ctl::Assign, Ctl::BatchAssign, Ctl::Release, Ctl::BatchRelease}) {
        m_p.view.enableControl(id(c), false);
    }
    m_p.view.enableControl(id(Ctl::LoadRenameList), renameListLoadAllowed());
    if (!s.workDataName.empty()) {
        s.modified = true;
    }
}

bool TemplateBox::selectByName(const std::string& name) {
    const int index = indexOf(name);
    if (index < 0) {
        return false;
    }
    m_p.list.setListIndex(id(Ctl::TemplateBox), index);
    selectionChanged(index);
    return true;
}

bool TemplateBox::selectTemplate(const std::string& name, const Template& t) {
    reselect(indexOf(name));
    const bool loaded = load(name, true, t);
    showStorageFolder();
    m_p.view.enableControl(id(Ctl::LoadRenameList), renameListLoadAllowed());
    return loaded;
}

bool TemplateBox::load(const std::string& name, bool report, const std::optional<Template>& given) {
    WorkbenchState& s = m_p.state;
    s.templateFile = cp932::trim(name + std::string(kExtension));
    m_p.settings.templateFile = s.templateFile;

    // The grid loses the old template's columns and the list its rows before the new template is
    // read; the current template goes with them, so the two always agree.
    RenameList& list = m_p.renameList;
    list.setRedraw(false);
    list.clearTemplate();
    s.currentTemplate = Template{};
    s.templateLoaded = false;
    s.renameListLoaded = false;
    s.renameListFile.clear();
    m_p.view.setControlText(id(Ctl::ListFileName), {});

    const auto t = given ? given : m_folder.readTemplate(name);
    if (!t) {
        list.setRedraw(true);
        if (report) {
            m_p.prompter.tell(Msg::TemplateReadFailed);
        }
        return false;
    }
    // A template with more columns than the rename list may have is never applied: its columns
    // would make the grid, and every row of it, that much wider. Nor is one whose replacement
    // character or connector is not a single byte: it would make every file name wrong.
    if (!TemplateFolder::usable(*t, m_p.settings.csvRowNum, m_p.prompter)) {
        list.setRedraw(true);
        return false;
    }
    s.currentTemplate = *t;
    s.storageFolder = t->storageFolder;
    s.templateLoaded = true;
    list.applyTemplate(*t);
    // Without stored widths the empty columns are as wide as their headings.
    list.fitAllColumns();
    list.setRedraw(true);
    return true;
}

bool TemplateBox::saveWidths() {
    const WorkbenchState& s = m_p.state;
    if (!s.templateLoaded || s.currentTemplate.columns.empty()) {
        return true;
    }
    const std::string& name = s.currentTemplate.name;
    if (!files::isRegularFile(m_folder.pathOf(name))) {
        return true;
    }
    std::vector<int> widths;
    for (int k = 0; k < m_p.renameList.columnCount(); ++k) {
        widths.push_back(m_p.renameList.grid().colWidth(RenameList::gridCol(k)));
    }
    if (!m_folder.saveColumnWidths(name, widths, m_p.prompter)) {
        m_p.prompter.tell(Msg::TemplateSetFailed);
        return false;
    }
    return true;
}

void TemplateBox::showStorageFolder() {
    m_p.view.setControlText(id(Ctl::StorageFolder),
                            shortenFolderForDisplay(m_p.state.storageFolder));
}
