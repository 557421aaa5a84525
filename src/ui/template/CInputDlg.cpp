#include "ui/template/CInputDlg.h"

#include "base/Prompter.h"
#include "template/TemplateNameCheck.h"
#include "ui/base/QtCaptions.h"
#include "ui/base/QtText.h"
#include "ui/template/CTemplateDlg.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

CInputDlg::CInputDlg(Mode mode, std::vector<std::string> existing, const TemplateEditorEnv& env,
                     QWidget* parent)
    : QDialog(parent), m_mode(mode), m_existing(std::move(existing)), m_env(env) {
    setObjectName(QStringLiteral("CInputDlg"));
    setWindowTitle(QString::fromUtf8("ﾃﾝﾌﾟﾚｰﾄ名入力"));
    m_edit = new QLineEdit(this);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    qtcaptions::caption(*buttons);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QString::fromUtf8("ﾃﾝﾌﾟﾚｰﾄ名を指定してください。"), this));
    layout->addWidget(m_edit);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &CInputDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CInputDlg::reject);
}

void CInputDlg::accept() {
    const TemplateNameVerdict verdict =
        checkTemplateName(qttext::toCp932(m_edit->text()), m_existing, m_env.folder);
    if (verdict.refusal) {
        m_env.prompter.tell(*verdict.refusal);
        if (verdict.clearEdit) {
            m_edit->clear();
        }
        m_edit->setFocus();
        return;
    }
    m_name = verdict.name;
    if (m_mode == Mode::Add) {
        CTemplateDlg dialog(CTemplateDlg::Mode::Add, m_name, m_env, this);
        dialog.exec();
    }
    QDialog::accept();
}
