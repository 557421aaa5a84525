#include "ui/workbench/QtExecuteDialogs.h"

#include "ui/base/QtText.h"
#include "ui/workbench/CInputFName.h"
#include "ui/workbench/CQueryCSVOverwrite.h"

std::optional<std::string> QtExecuteDialogs::inputFileName(NameMode mode, const std::string& preset,
                                                           const NameCheck& accept) {
    CInputFName dialog(mode, qttext::fromCp932(preset), accept, m_owner);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return dialog.acceptedText();
}

bool QtExecuteDialogs::confirmOverwrite(const std::vector<std::string>& paths) {
    CQueryCSVOverwrite dialog(paths, m_owner);
    return dialog.exec() == QDialog::Accepted;
}
