#pragma once

#include "ui/template/TemplateEditorEnv.h"

#include <QDialog>

#include <string>
#include <vector>

class QLineEdit;

// "ﾃﾝﾌﾟﾚｰﾄ名入力": asks for a new template name. In add mode an accepted name opens the template
// dialog for it; in copy mode the name is handed back.
class CInputDlg : public QDialog {
    Q_OBJECT

public:
    enum class Mode { Add, Copy };

    CInputDlg(Mode mode, std::vector<std::string> existing, const TemplateEditorEnv& env,
              QWidget* parent = nullptr);

    const std::string& name() const { return m_name; }
    QLineEdit* edit() const { return m_edit; }
    void accept() override;

private:
    Mode m_mode;
    std::vector<std::string> m_existing;
    const TemplateEditorEnv& m_env;
    std::string m_name;
    QLineEdit* m_edit = nullptr;
};
