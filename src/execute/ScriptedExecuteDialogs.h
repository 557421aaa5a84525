#pragma once

#include "execute/ExecuteDialogs.h"

#include <deque>

// The rename run's dialogs answered without a screen, from names and an answer given
// beforehand; every dialog shown is recorded. A name refused by the dialog's check is followed by
// the next one; when none is left the export dialog takes its preset once and the rename dialog
// is cancelled.
class ScriptedExecuteDialogs final : public ExecuteDialogs {
public:
    struct Shown {
        NameMode mode = NameMode::Export;
        std::string preset;
        std::vector<std::string> paths; // the overwrite list; empty for the name dialog
        std::optional<std::string> result;
    };

    void queueName(NameMode mode, TypedName name) { queue(mode).push_back(std::move(name)); }
    void setOverwriteAnswer(bool yes) { m_overwrite = yes; }

    std::optional<std::string> inputFileName(NameMode mode, const std::string& preset,
                                             const NameCheck& accept) override;
    bool confirmOverwrite(const std::vector<std::string>& paths) override;
    bool mayAskAgain() const override { return false; }

    const std::vector<Shown>& shown() const { return m_shown; }

private:
    std::deque<TypedName>& queue(NameMode mode) {
        return mode == NameMode::Export ? m_exportNames : m_renameNames;
    }

    std::deque<TypedName> m_exportNames;
    std::deque<TypedName> m_renameNames;
    bool m_overwrite = false;
    std::vector<Shown> m_shown;
};
