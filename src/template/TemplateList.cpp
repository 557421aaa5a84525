#include "template/TemplateList.h"

#include "base/Cp932.h"
#include "base/FileSystem.h"
#include "base/Prompter.h"
#include "template/TemplateFolder.h"

#include <algorithm>
#include <system_error>

TemplateList::TemplateList(const TemplateFolder& folder, Prompter& prompter,
                           std::string currentTemplate)
    : m_folder(folder), m_prompter(prompter), m_current(std::move(currentTemplate)) {
    refresh();
}

std::optional<std::string> TemplateList::selectedName() const {
    if (m_selected < 0 || m_selected >= static_cast<int>(m_names.size())) {
        return std::nullopt;
    }
    return m_names[static_cast<std::size_t>(m_selected)];
}

void TemplateList::select(int index) {
    m_selected = (index >= 0 && index < static_cast<int>(m_names.size())) ? index : -1;
}

void TemplateList::refresh() {
    const std::optional<std::string> before = selectedName();
    m_names = m_folder.listTemplateNames();
    std::stable_sort(
        m_names.begin(), m_names.end(),
        [](const std::string& a, const std::string& b) { return cp932::compareNoCase(a, b) < 0; });
    m_selected = m_names.empty() ? -1 : 0;
    if (before) {
        const auto it = std::find(m_names.begin(), m_names.end(), *before);
        if (it != m_names.end()) {
            m_selected = static_cast<int>(it - m_names.begin());
        }
    }
}

std::optional<std::string> TemplateList::requireSelection() {
    auto name = selectedName();
    if (!name) {
        m_prompter.tell(Msg::EditorNotSelected);
    }
    return name;
}

void TemplateList::edited(const std::string& name) {
    m_currentEdited = cp932::equalsNoCase(name, m_current);
    if (m_currentEdited) {
        m_prompter.tell(Msg::EditorCurrentEdited);
    }
}

bool TemplateList::copySelected(const std::string& newName) {
    const auto source = requireSelection();
    if (!source) {
        return false;
    }
    const std::string target = m_folder.pathOf(newName);
    if (target.size() >= TemplateFolder::kPathLimit) {
        m_prompter.tell(Msg::TemplatePathTooLong255);
        return false;
    }
    // The copy is staged beside the target and linked into place, which fails instead of
    // replacing a file that appeared under that name meanwhile.
    const auto content = files::readAll(m_folder.pathOf(*source));
    const auto staged = content ? files::stageFile(target, *content) : std::nullopt;
    bool ok = false;
    if (staged) {
        std::error_code ec;
        std::filesystem::create_hard_link(files::native(*staged), files::native(target), ec);
        ok = !ec;
        files::discardStaged(*staged);
    }
    if (!ok) {
        m_prompter.tell(Msg::EditorCopyFailed);
        return false;
    }
    refresh();
    return true;
}

bool TemplateList::deleteSelected() {
    const auto name = requireSelection();
    if (!name) {
        return false;
    }
    if (cp932::equalsNoCase(*name, m_current)) {
        m_prompter.tell(Msg::EditorDeleteCurrent);
        return false;
    }
    if (m_prompter.tell(Msg::EditorDeleteQuestion, {*name}) != Answer::Yes) {
        return false;
    }
    if (!files::removeFile(m_folder.pathOf(*name))) {
        m_prompter.tell(Msg::EditorDeleteFailed);
        return false;
    }
    refresh();
    return true;
}
