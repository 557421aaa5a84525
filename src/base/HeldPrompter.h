#pragma once

#include "base/Prompter.h"

#include <string>
#include <vector>

// A Prompter in front of another that holds back the boxes with only an OK button until
// release() or its end, so that a result can be told once the window shows it. Anything the
// operator must answer or choose first shows what is held, then goes straight through.
class HeldPrompter : public Prompter {
public:
    explicit HeldPrompter(Prompter& target) : m_target(target) {}
    ~HeldPrompter() override { release(); }
    HeldPrompter(const HeldPrompter&) = delete;
    HeldPrompter& operator=(const HeldPrompter&) = delete;

    Answer showMessage(const std::string& text, const std::string& caption, Icon icon,
                       Buttons buttons) override;
    std::optional<std::string> chooseOpenFile(const FileDialogRequest& request) override;
    std::optional<std::string> chooseSaveFile(const FileDialogRequest& request) override;
    std::optional<std::string> chooseFolder(const std::string& title,
                                            const std::string& folder) override;

    // Shows the held boxes in the order they came.
    void release();

private:
    struct Box {
        std::string text;
        std::string caption;
        Icon icon;
    };

    Prompter& m_target;
    std::vector<Box> m_held;
};
