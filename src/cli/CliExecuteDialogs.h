#pragma once

#include "execute/ScriptedExecuteDialogs.h"

class Prompter;

// The rename run's dialogs for nomira-cli: the export name from --export-name (else the dialog's
// preset), rename names from --rename-as in order, and the overwrite list answered like every
// question (--yes/--no) and reported as a message: its text, then its paths, one per line.
class CliExecuteDialogs final : public ExecuteDialogs {
public:
    // A name without a cp932 form is given as nothing; the dialog's check refuses it.
    CliExecuteDialogs(Prompter& prompter, const std::optional<TypedName>& exportName,
                      const std::vector<TypedName>& renameNames);

    std::optional<std::string> inputFileName(NameMode mode, const std::string& preset,
                                             const NameCheck& accept) override {
        return m_names.inputFileName(mode, preset, accept);
    }
    bool mayAskAgain() const override { return false; }
    bool confirmOverwrite(const std::vector<std::string>& paths) override;

    // The paths the overwrite list showed.
    const std::vector<std::string>& listed() const { return m_listed; }

private:
    Prompter& m_prompter;
    ScriptedExecuteDialogs m_names;
    std::vector<std::string> m_listed;
};
