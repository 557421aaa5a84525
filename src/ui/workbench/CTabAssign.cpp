#include "ui/workbench/CTabAssign.h"

#include "app/EnvironmentValues.h"
#include "ui/workbench/SettingsControls.h"

#include <QCheckBox>
#include <QVBoxLayout>

CTabAssign::CTabAssign(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("CTabAssign"));
    using settingscontrols::checkBox;
    m_autoCursol = checkBox("AutoCursol", "割り当て実行後、自動ｶｰｿﾙ移動を行う。", this);
    m_enterKeyAssign = checkBox("EnterKeyAssign", "ENTERキー押下にて割り当てを行う。", this);
    m_renameOverwrite = checkBox(
        "RenameOverwrite", "ﾘﾈｰﾑ画像格納ﾌｫﾙﾀﾞに同名ﾌｧｲﾙが存在した場合のチェックをする。", this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_autoCursol);
    layout->addWidget(m_enterKeyAssign);
    layout->addWidget(m_renameOverwrite);
    layout->addStretch(1);
}

void CTabAssign::showValues(const EnvironmentValues& v) {
    m_autoCursol->setChecked(v.autoCursol == 1);
    m_enterKeyAssign->setChecked(v.enterKeyAssign == 1);
    m_renameOverwrite->setChecked(v.renameOverwrite == 1);
}

void CTabAssign::collect(EnvironmentValues& v) const {
    v.autoCursol = m_autoCursol->isChecked() ? 1 : 0;
    v.enterKeyAssign = m_enterKeyAssign->isChecked() ? 1 : 0;
    v.renameOverwrite = m_renameOverwrite->isChecked() ? 1 : 0;
}
