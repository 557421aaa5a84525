#include "base/HeldPrompter.h"

Answer HeldPrompter::showMessage(const std::string& text, const std::string& caption, Icon icon,
                                 Buttons buttons) {
    if (buttons == Buttons::Ok) {
        m_held.push_back({text, caption, icon});
        return Answer::Ok;
    }
    release();
    return m_target.showMessage(text, caption, icon, buttons);
}

std::optional<std::string> HeldPrompter::chooseOpenFile(const FileDialogRequest& request) {
    release();
    return m_target.chooseOpenFile(request);
}

std::optional<std::string> HeldPrompter::chooseSaveFile(const FileDialogRequest& request) {
    release();
    return m_target.chooseSaveFile(request);
}

std::optional<std::string> HeldPrompter::chooseFolder(const std::string& title,
                                                      const std::string& folder) {
    release();
    return m_target.chooseFolder(title, folder);
}

void HeldPrompter::release() {
    std::vector<Box> held;
    held.swap(m_held);
    for (const Box& box : held) {
        m_target.showMessage(box.text, box.caption, box.icon, Buttons::Ok);
    }
}
