#include "ui/workbench/CSetExtDlg.h"

#include "base/Prompter.h"
#include "ui/base/QtText.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

CSetExtDlg::CSetExtDlg(ExtensionList list, Prompter& prompter, QWidget* parent)
    : QDialog(parent), m_list(std::move(list)), m_prompter(prompter) {
    setObjectName(QStringLiteral("CSetExtDlg"));
    setWindowTitle(QString::fromUtf8("HP-GL2形式の拡張子設定"));

    auto* addGroup = new QGroupBox(QString::fromUtf8("拡張子の追加"), this);
    m_field = new QLineEdit(addGroup);
    m_field->setObjectName(QStringLiteral("Extension"));
    m_add = new QPushButton(QString::fromUtf8("追加"), addGroup);
    m_add->setObjectName(QStringLiteral("Add"));
    auto* addRow = new QHBoxLayout(addGroup);
    addRow->addWidget(m_field, 1);
    addRow->addWidget(m_add);

    auto* listGroup = new QGroupBox(QString::fromUtf8("HP-GL2形式の拡張子"), this);
    m_entries = new QListWidget(listGroup);
    m_entries->setObjectName(QStringLiteral("Entries"));
    m_entries->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_remove = new QPushButton(QString::fromUtf8("削除"), listGroup);
    m_remove->setObjectName(QStringLiteral("Remove"));
    auto* listRow = new QHBoxLayout(listGroup);
    listRow->addWidget(m_entries, 1);
    listRow->addWidget(m_remove, 0, Qt::AlignTop);

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("OkButton"));
    auto* cancel = new QPushButton(QString::fromUtf8("ｷｬﾝｾﾙ"), this);
    cancel->setObjectName(QStringLiteral("CancelButton"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(addGroup);
    layout->addWidget(listGroup);
    layout->addLayout(buttons);

    connect(m_add, &QPushButton::clicked, this, &CSetExtDlg::add);
    connect(m_field, &QLineEdit::returnPressed, this, &CSetExtDlg::add);
    connect(m_remove, &QPushButton::clicked, this, &CSetExtDlg::remove);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    for (QPushButton* button : {m_add, m_remove, ok, cancel}) {
        button->setAutoDefault(false);
    }
    showList();
    m_field->setFocus();
}

void CSetExtDlg::showList() {
    m_entries->clear();
    for (const std::string& entry : m_list.entries()) {
        m_entries->addItem(qttext::fromCp932(entry));
    }
    m_add->setEnabled(m_list.canAdd());
    m_remove->setEnabled(m_list.canRemove());
}

void CSetExtDlg::add() {
    if (!m_list.canAdd()) {
        return;
    }
    if (const auto refusal = m_list.add(qttext::toCp932(m_field->text()))) {
        m_prompter.tell(*refusal);
        m_field->setFocus();
        m_field->selectAll();
        return;
    }
    showList();
    m_field->clear();
    m_entries->setFocus();
}

void CSetExtDlg::remove() {
    std::vector<int> selected;
    for (const QModelIndex& index : m_entries->selectionModel()->selectedRows()) {
        selected.push_back(index.row());
    }
    if (const auto refusal = m_list.remove(selected)) {
        m_prompter.tell(*refusal);
        m_entries->setFocus();
        return;
    }
    showList();
}
