#include "ui/workbench/CEnvDlg.h"

#include "ui/workbench/CTabAssign.h"
#include "ui/workbench/CTabExport.h"
#include "ui/workbench/CTabOther.h"
#include "ui/workbench/CTabPrev.h"
#include "workbench/EnvironmentForm.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

// The control a refusal goes to, by its object name.
QString fieldName(EnvironmentForm::Field field) {
    switch (field) {
    case EnvironmentForm::Field::Margin:
        return QStringLiteral("Margin");
    case EnvironmentForm::Field::ExportFilename:
        return QStringLiteral("ExportFilename");
    case EnvironmentForm::Field::PageList:
        return QStringLiteral("PrevPageSelect");
    case EnvironmentForm::Field::Browse:
        return QStringLiteral("Browse");
    }
    return {};
}

} // namespace

CEnvDlg::CEnvDlg(EnvironmentForm& form, Prompter& prompter, QWidget* parent)
    : QDialog(parent), m_form(form) {
    setObjectName(QStringLiteral("CEnvDlg"));
    setWindowTitle(QString::fromUtf8("環境設定"));
    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(QStringLiteral("Tabs"));
    m_export = new CTabExport(prompter, m_tabs);
    m_preview = new CTabPrev(m_tabs);
    m_assign = new CTabAssign(m_tabs);
    m_other = new CTabOther(form, prompter, m_tabs);
    m_tabs->addTab(m_export, QString::fromUtf8("ｴｸｽﾎﾟｰﾄ"));
    m_tabs->addTab(m_preview, QString::fromUtf8("ﾌﾟﾚﾋﾞｭｰ"));
    m_tabs->addTab(m_assign, QString::fromUtf8("割り当て"));
    m_tabs->addTab(m_other, QString::fromUtf8("日付・拡張子"));
    connect(m_tabs, &QTabWidget::currentChanged, this, [this](int index) {
        if (QWidget* page = m_tabs->widget(index)) {
            page->setFocus();
        }
    });

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("OkButton"));
    ok->setDefault(true);
    auto* cancel = new QPushButton(QString::fromUtf8("ｷｬﾝｾﾙ"), this);
    cancel->setObjectName(QStringLiteral("CancelButton"));
    connect(ok, &QPushButton::clicked, this, &CEnvDlg::accept);
    connect(cancel, &QPushButton::clicked, this, &CEnvDlg::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs, 1);
    layout->addLayout(buttons);
    showValues();
    m_tabs->setCurrentIndex(0);
}

void CEnvDlg::showValues() {
    const auto& v = m_form.values();
    m_export->showValues(v);
    m_preview->showValues(v);
    m_assign->showValues(v);
    m_other->showValues(v);
}

void CEnvDlg::accept() {
    auto& v = m_form.values();
    m_export->collect(v);
    m_preview->collect(v);
    m_assign->collect(v);
    m_other->collect(v);
    const auto refusal = m_form.confirm();
    if (!refusal) {
        QDialog::accept();
        return;
    }
    showValues();
    m_tabs->setCurrentIndex(static_cast<int>(refusal->page));
    if (auto* field = m_tabs->currentWidget()->findChild<QWidget*>(fieldName(refusal->field))) {
        field->setFocus();
    }
}

void CEnvDlg::reject() {
    m_form.cancel();
    QDialog::reject();
}
