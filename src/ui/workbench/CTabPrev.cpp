#include "ui/workbench/CTabPrev.h"

#include "app/EnvironmentValues.h"
#include "ui/base/QtText.h"
#include "ui/workbench/SettingsControls.h"
#include "workbench/EnvironmentForm.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <algorithm>

using settingscontrols::checkBox;

CTabPrev::CTabPrev(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("CTabPrev"));
    m_loadPreview = checkBox("LoadPreview", "画像読込みと同時に全ﾌﾟﾚﾋﾞｭｰを作成する。", this);
    m_expanPreview = checkBox("ExpanPreview", "拡大ﾌﾟﾚﾋﾞｭｰを2個表示する。", this);
    m_expanPrevMemory = checkBox("ExpanPrevMemory", "用紙ｻｲｽﾞ、方向別に拡大位置を記憶する。", this);

    m_margin = new QLineEdit(this);
    m_margin->setObjectName(QStringLiteral("Margin"));
    m_margin->setFixedWidth(48);
    // The up-down control: up raises the margin, within 0 to 99.
    m_marginSpin = new QScrollBar(Qt::Vertical, this);
    m_marginSpin->setObjectName(QStringLiteral("MarginSpin"));
    m_marginSpin->setRange(0, 99);
    m_marginSpin->setInvertedAppearance(true);
    m_marginSpin->setInvertedControls(true);
    m_marginSpin->setFixedHeight(m_margin->sizeHint().height());
    connect(m_marginSpin, &QScrollBar::valueChanged, this,
            [this](int value) { m_margin->setText(QString::number(value)); });
    connect(m_margin, &QLineEdit::textEdited, this, &CTabPrev::marginEdited);
    auto* marginRow = new QHBoxLayout;
    marginRow->addWidget(new QLabel(QString::fromUtf8("用紙判定のﾏｰｼﾞﾝ："), this));
    marginRow->addWidget(m_margin);
    marginRow->addWidget(m_marginSpin);
    marginRow->addWidget(new QLabel(QStringLiteral("mm"), this));
    marginRow->addStretch(1);

    auto* pageGroup =
        new QGroupBox(QString::fromUtf8("ﾏﾙﾁﾍﾟｰｼﾞのﾌﾟﾚﾋﾞｭｰﾍﾟｰｼﾞ指定（Tiff,Pdf）"), this);
    m_prevPage = new QButtonGroup(this);
    const char* choices[] = {"全ﾍﾟｰｼﾞ", "先頭ﾍﾟｰｼﾞ", "ﾍﾟｰｼﾞ指定"};
    auto* pageLayout = new QVBoxLayout(pageGroup);
    auto* radios = new QHBoxLayout;
    for (int i = 0; i < 3; ++i) {
        radios->addWidget(
            settingscontrols::radio(m_prevPage, "PrevPage", i, choices[i], pageGroup));
    }
    radios->addStretch(1);
    m_pageList = new QLineEdit(pageGroup);
    m_pageList->setObjectName(QStringLiteral("PrevPageSelect"));
    m_pageList->setMaxLength(kPageListLimit);
    auto* note = new QLabel(
        QString::fromUtf8("※ﾍﾟｰｼﾞ指定されたﾍﾟｰｼﾞが存在しない場合は先頭ﾍﾟｰｼﾞをﾌﾟﾚﾋﾞｭｰします。"),
        pageGroup);
    note->setWordWrap(true);
    pageLayout->addLayout(radios);
    pageLayout->addWidget(m_pageList);
    pageLayout->addWidget(note);
    connect(m_prevPage, &QButtonGroup::idToggled, this, [this] { updateEnabled(); });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_loadPreview);
    layout->addWidget(m_expanPreview);
    layout->addWidget(m_expanPrevMemory);
    layout->addLayout(marginRow);
    layout->addWidget(pageGroup);
    layout->addStretch(1);
}

void CTabPrev::marginEdited(const QString& text) {
    bool number = false;
    const int value = text.trimmed().toInt(&number);
    if (number) {
        const QSignalBlocker quiet(m_marginSpin);
        m_marginSpin->setValue(std::clamp(value, 0, 99));
    }
}

void CTabPrev::showValues(const EnvironmentValues& v) {
    m_loadPreview->setChecked(v.loadPreview == 1);
    m_expanPreview->setChecked(v.expanPreview == 1);
    m_expanPrevMemory->setChecked(v.expanPrevMemory == 1);
    m_margin->setText(qttext::fromCp932(v.margin));
    marginEdited(m_margin->text());
    if (QAbstractButton* radio = m_prevPage->button(v.prevPage)) {
        radio->setChecked(true);
    }
    // The limit is for typing: a longer stored list is shown whole, not cut.
    const QString pages = qttext::fromCp932(v.prevPageSelect);
    m_pageList->setMaxLength(std::max(kPageListLimit, static_cast<int>(pages.size())));
    m_pageList->setText(pages);
    updateEnabled();
}

void CTabPrev::collect(EnvironmentValues& v) const {
    v.loadPreview = m_loadPreview->isChecked() ? 1 : 0;
    v.expanPreview = m_expanPreview->isChecked() ? 1 : 0;
    v.expanPrevMemory = m_expanPrevMemory->isChecked() ? 1 : 0;
    v.margin = qttext::toCp932(m_margin->text());
    v.prevPage = std::max(0, m_prevPage->checkedId());
    v.prevPageSelect = qttext::toCp932(m_pageList->text());
}

void CTabPrev::updateEnabled() {
    EnvironmentValues v;
    collect(v);
    m_pageList->setEnabled(EnvironmentForm::pageListEnabled(v));
}
