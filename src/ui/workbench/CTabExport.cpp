#include "ui/workbench/CTabExport.h"

#include "app/EnvironmentValues.h"
#include "base/Prompter.h"
#include "ui/base/QtText.h"
#include "ui/workbench/SettingsControls.h"
#include "workbench/EnvironmentForm.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <algorithm>

using settingscontrols::checkBox;

CTabExport::CTabExport(Prompter& prompter, QWidget* parent)
    : QWidget(parent), m_prompter(prompter) {
    setObjectName(QStringLiteral("CTabExport"));
    auto* typeGroup = new QGroupBox(QString::fromUtf8("ｴｸｽﾎﾟｰﾄのﾌｧｲﾙ形式"), this);
    auto* typeLayout = new QGridLayout(typeGroup);
    m_type = new QButtonGroup(this);
    const char* types[] = {"なし", "Ledgra形式", "ｸｴﾝﾄﾘｰ形式", "ﾘﾈｰﾑﾘｽﾄ（CSV形式）",
                           "ﾘﾈｰﾑﾘｽﾄ（行別CSV形式）"};
    for (int i = 0; i < 5; ++i) {
        typeLayout->addWidget(settingscontrols::radio(m_type, "ExportType", i, types[i], typeGroup),
                              i % 3, i / 3);
    }

    m_addText = new QComboBox(this);
    m_addText->setObjectName(QStringLiteral("AddText"));
    // The list is kept sorted; its index is the setting.
    std::vector<std::string> items{"追加する（先頭列）", "追加しない", "追加する（最終列）"};
    std::vector<std::string> sorted;
    for (const std::string& item : items) {
        sorted.push_back(qttext::toCp932(QString::fromStdString(item)));
    }
    std::sort(sorted.begin(), sorted.end());
    for (const std::string& item : sorted) {
        m_addText->addItem(qttext::fromCp932(item));
    }
    auto* addTextRow = new QHBoxLayout;
    addTextRow->addWidget(new QLabel(QString::fromUtf8("ﾘﾈｰﾑ後の画像ﾌｧｲﾙ名をﾃｷｽﾄﾌｧｲﾙに"), this));
    addTextRow->addWidget(m_addText);
    addTextRow->addStretch(1);

    m_dispInputDlg = checkBox("DispInputDlg", "ｴｸｽﾎﾟｰﾄ時のﾌｧｲﾙ名入力画面を表示する。", this);
    m_fileName = new QLineEdit(this);
    m_fileName->setObjectName(QStringLiteral("ExportFilename"));
    m_fileName->setMaxLength(kNameLimit);
    auto* nameRow = new QHBoxLayout;
    nameRow->addWidget(new QLabel(QString::fromUtf8("ﾌｧｲﾙ名："), this));
    nameRow->addWidget(m_fileName, 1);
    nameRow->addWidget(new QLabel(QStringLiteral(".csv"), this));

    m_selectFolder =
        checkBox("ExportSelectFolder", "格納ﾌｫﾙﾀﾞ以外にもﾘﾈｰﾑﾘｽﾄﾌｧｲﾙを出力する。", this);
    m_folderPath = new QLineEdit(this);
    m_folderPath->setObjectName(QStringLiteral("ExportSelectFolderPath"));
    m_folderPath->setReadOnly(true);
    auto* browse = new QPushButton(QString::fromUtf8("参照..."), this);
    browse->setObjectName(QStringLiteral("Browse"));
    connect(browse, &QPushButton::clicked, this, &CTabExport::browse);
    auto* folderRow = new QHBoxLayout;
    folderRow->addSpacing(20);
    folderRow->addWidget(m_folderPath, 1);
    folderRow->addWidget(browse);

    m_addConse = checkBox("ExportAddConse", "ｴｸｽﾎﾟｰﾄﾌｧｲﾙに連番を付加する。", this);
    m_existCheck = checkBox("DisplayFileExistCheck",
                            "格納ﾌｫﾙﾀﾞに同名のｴｸｽﾎﾟｰﾄﾌｧｲﾙが存在した場合のチェックをする。", this);
    connect(m_addConse, &QCheckBox::toggled, this, &CTabExport::updateEnabled);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(typeGroup);
    layout->addLayout(addTextRow);
    layout->addWidget(m_dispInputDlg);
    layout->addLayout(nameRow);
    layout->addWidget(m_selectFolder);
    layout->addLayout(folderRow);
    layout->addWidget(m_addConse);
    layout->addWidget(m_existCheck);
    layout->addStretch(1);
}

void CTabExport::showValues(const EnvironmentValues& v) {
    if (QAbstractButton* radio = m_type->button(v.exportType)) {
        radio->setChecked(true);
    }
    m_addText->setCurrentIndex(v.addText);
    m_dispInputDlg->setChecked(v.dispInputDlg == 1);
    // The limit is for typing: a longer stored name is shown whole, not cut.
    const QString name = qttext::fromCp932(v.exportFilename);
    m_fileName->setMaxLength(std::max(kNameLimit, static_cast<int>(name.size())));
    m_fileName->setText(name);
    m_selectFolder->setChecked(v.exportSelectFolder == 1);
    m_folderPath->setText(qttext::fromCp932(v.exportSelectFolderPath));
    m_addConse->setChecked(v.exportAddConse);
    m_existCheck->setChecked(v.displayFileExistCheck);
    updateEnabled();
}

void CTabExport::collect(EnvironmentValues& v) const {
    v.exportType = std::max(0, m_type->checkedId());
    v.addText = std::max(0, m_addText->currentIndex());
    v.dispInputDlg = m_dispInputDlg->isChecked() ? 1 : 0;
    v.exportFilename = qttext::toCp932(m_fileName->text());
    v.exportSelectFolder = m_selectFolder->isChecked() ? 1 : 0;
    v.exportSelectFolderPath = qttext::toCp932(m_folderPath->text());
    v.exportAddConse = m_addConse->isChecked();
    v.displayFileExistCheck = m_existCheck->isChecked();
}

void CTabExport::browse() {
    const auto folder = m_prompter.chooseFolder(qttext::toCp932(QString::fromUtf8("ﾌｫﾙﾀﾞの参照")),
                                                qttext::toCp932(m_folderPath->text()));
    if (folder) {
        m_folderPath->setText(qttext::fromCp932(*folder));
    }
}

void CTabExport::updateEnabled() {
    EnvironmentValues v;
    collect(v);
    m_existCheck->setEnabled(EnvironmentForm::fileExistCheckEnabled(v));
}
