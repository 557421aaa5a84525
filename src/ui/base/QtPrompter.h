#pragma once

#include "base/Prompter.h"

#include <QPointer>
#include <QWidget>

// The operator through real message boxes and file choosers, owned by the given window (none:
// the box has no owner and is centred on the screen).
class QtPrompter : public Prompter {
public:
    explicit QtPrompter(QWidget* owner = nullptr) : m_owner(owner) {}

    void setOwner(QWidget* owner) { m_owner = owner; }

    Answer showMessage(const std::string& text, const std::string& caption, Icon icon,
                       Buttons buttons) override;
    std::optional<std::string> chooseOpenFile(const FileDialogRequest& request) override;
    std::optional<std::string> chooseSaveFile(const FileDialogRequest& request) override;
    std::optional<std::string> chooseFolder(const std::string& title,
                                            const std::string& folder) override;

private:
    QPointer<QWidget> m_owner;
};
