#include "cli/CliExecuteDialogs.h"

#include "base/Prompter.h"
#include "execute/ExecuteTexts.h"

CliExecuteDialogs::CliExecuteDialogs(Prompter& prompter, const std::optional<TypedName>& exportName,
                                     const std::vector<TypedName>& renameNames)
    : m_prompter(prompter) {
    if (exportName) {
        m_names.queueName(NameMode::Export, *exportName);
    }
    for (const TypedName& name : renameNames) {
        m_names.queueName(NameMode::Rename, name);
    }
}

bool CliExecuteDialogs::confirmOverwrite(const std::vector<std::string>& paths) {
    m_listed.insert(m_listed.end(), paths.begin(), paths.end());
    std::string text = executetexts::overwriteText();
    for (const std::string& path : paths) {
        text += "\n" + path;
    }
    return m_prompter.showMessage(text, executetexts::overwriteCaption(), Icon::Question,
                                  Buttons::YesNo) == Answer::Yes;
}
