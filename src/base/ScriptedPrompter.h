#pragma once

#include "base/Prompter.h"

#include <deque>
#include <vector>

// A Prompter without a screen: it records every message and answers from a script. Tests use it
// to check texts and replay the operator's choices; the command-line companion answers every
// question with one fixed answer.
class ScriptedPrompter : public Prompter {
public:
    struct Shown {
        std::string text;
        std::string caption;
        Icon icon;
        Buttons buttons;
    };

    Answer showMessage(const std::string& text, const std::string& caption, Icon icon,
                       Buttons buttons) override;
    std::optional<std::string> chooseOpenFile(const FileDialogRequest& request) override;
    std::optional<std::string> chooseSaveFile(const FileDialogRequest& request) override;
    std::optional<std::string> chooseFolder(const std::string& title,
                                            const std::string& folder) override;

    // Answers for Yes/No and OK/Cancel boxes, used in order; afterwards the default answer.
    void queueAnswer(Answer answer) { m_answers.push_back(answer); }
    // The answer to questions once the queue is empty: Yes (true) or No (false).
    void setAgreeByDefault(bool agree) { m_agree = agree; }
    // Paths returned by the choosers, in order; an empty optional means "cancelled".
    void queuePath(std::optional<std::string> path) { m_paths.push_back(std::move(path)); }

    const std::vector<Shown>& shown() const { return m_shown; }
    const std::vector<FileDialogRequest>& fileRequests() const { return m_fileRequests; }
    void clear() { m_shown.clear(); }

private:
    std::optional<std::string> nextPath();

    std::vector<Shown> m_shown;
    std::vector<FileDialogRequest> m_fileRequests;
    std::deque<Answer> m_answers;
    std::deque<std::optional<std::string>> m_paths;
    bool m_agree = false;
};
