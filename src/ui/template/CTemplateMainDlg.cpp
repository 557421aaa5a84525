#include "ui/template/CTemplateMainDlg.h"

#include "template/TemplateFolder.h"
#include "ui/base/QtText.h"
#include "ui/template/CInputDlg.h"
#include "ui/template/CTemplateDlg.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

CTemplateMainDlg::CTemplateMainDlg(const TemplateEditorEnv& env, const std::string& currentTemplate,
                                   QWidget* parent)
    : QDialog(parent), m_env(env), m_list(env.folder, env.prompter, currentTemplate) {
    setObjectName(QStringLiteral("CTemplateMainDlg"));
    setWindowTitle(QString::fromUtf8("ﾃﾝﾌﾟﾚｰﾄ編集ﾒｲﾝ"));
    m_listWidget = new QListWidget(this);
    auto* add = new QPushButton(QString::fromUtf8("追加..."), this);
    m_edit = new QPushButton(QString::fromUtf8("編集..."), this);
    m_copy = new QPushButton(QString::fromUtf8("ｺﾋﾟｰ"), this);
    m_delete = new QPushButton(QString::fromUtf8("削除"), this);
    auto* close = new QPushButton(QString::fromUtf8("閉じる"), this);
    auto* buttons = new QVBoxLayout;
    for (QPushButton* b : {add, m_edit, m_copy, m_delete}) {
        buttons->addWidget(b);
    }
    buttons->addStretch(1);
    buttons->addWidget(close);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(m_listWidget, 1);
    layout->addLayout(buttons);
    resize(420, 320);

    connect(add, &QPushButton::clicked, this, &CTemplateMainDlg::add);
    connect(m_edit, &QPushButton::clicked, this, &CTemplateMainDlg::edit);
    connect(m_copy, &QPushButton::clicked, this, &CTemplateMainDlg::copy);
    connect(m_delete, &QPushButton::clicked, this, &CTemplateMainDlg::remove);
    connect(close, &QPushButton::clicked, this, &CTemplateMainDlg::reject);
    connect(m_listWidget, &QListWidget::currentRowChanged, this,
            [this](int row) { m_list.select(row); });
    connect(m_listWidget, &QListWidget::itemDoubleClicked, this, &CTemplateMainDlg::edit);
    refill();
}

void CTemplateMainDlg::refill() {
    const int selected = m_list.selected();
    m_listWidget->clear();
    for (const std::string& name : m_list.names()) {
        m_listWidget->addItem(qttext::fromCp932(name));
    }
    m_listWidget->setCurrentRow(selected);
    const bool any = selected >= 0;
    for (QPushButton* b : {m_edit, m_copy, m_delete}) {
        b->setEnabled(any);
    }
}

void CTemplateMainDlg::add() {
    CInputDlg input(CInputDlg::Mode::Add, m_list.names(), m_env, this);
    if (input.exec() == QDialog::Accepted) {
        m_list.refresh();
        refill();
    }
}

void CTemplateMainDlg::edit() {
    const auto name = m_list.requireSelection();
    if (!name || !m_env.folder.columnCountFits(*name, m_env.csvRowNum, m_env.prompter)) {
        return;
    }
    CTemplateDlg dialog(CTemplateDlg::Mode::Edit, *name, m_env, this);
    if (dialog.exec() == QDialog::Accepted) {
        m_list.edited(*name);
    }
}

void CTemplateMainDlg::copy() {
    if (!m_list.requireSelection()) {
        return;
    }
    CInputDlg input(CInputDlg::Mode::Copy, m_list.names(), m_env, this);
    if (input.exec() == QDialog::Accepted && m_list.copySelected(input.name())) {
        refill();
    }
}

void CTemplateMainDlg::remove() {
    if (m_list.deleteSelected()) {
        refill();
    }
}
