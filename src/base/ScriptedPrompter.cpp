#include "base/ScriptedPrompter.h"

Answer ScriptedPrompter::showMessage(const std::string& text, const std::string& caption, Icon icon,
                                     Buttons buttons) {
    m_shown.push_back(Shown{text, caption, icon, buttons});
    if (!m_answers.empty()) {
        const Answer a = m_answers.front();
        m_answers.pop_front();
        return a;
    }
    switch (buttons) {
    case Buttons::Ok:
        return Answer::Ok;
    case Buttons::OkCancel:
        return m_agree ? Answer::Ok : Answer::Cancel;
    case Buttons::YesNo:
    case Buttons::YesNoDefaultNo:
    case Buttons::YesNoCancel:
        break;
    }
    return m_agree ? Answer::Yes : Answer::No;
}

std::optional<std::string> ScriptedPrompter::nextPath() {
    if (m_paths.empty()) {
        return std::nullopt;
    }
    auto p = std::move(m_paths.front());
    m_paths.pop_front();
    return p;
}

std::optional<std::string> ScriptedPrompter::chooseOpenFile(const FileDialogRequest& request) {
    m_fileRequests.push_back(request);
    return nextPath();
}

std::optional<std::string> ScriptedPrompter::chooseSaveFile(const FileDialogRequest& request) {
    m_fileRequests.push_back(request);
    return nextPath();
}

std::optional<std::string> ScriptedPrompter::chooseFolder(const std::string& title,
                                                          const std::string& folder) {
    m_fileRequests.push_back(FileDialogRequest{title, folder, {}, {}, {}});
    return nextPath();
}
