#include "ui/workbench/CTabOther.h"

#include "app/EnvironmentValues.h"
#include "ui/workbench/CSetExtDlg.h"
#include "ui/workbench/SettingsControls.h"
#include "workbench/EnvironmentForm.h"

#include <QButtonGroup>
#include <QDateEdit>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <algorithm>

CTabOther::CTabOther(EnvironmentForm& form, Prompter& prompter, QWidget* parent)
    : QWidget(parent), m_form(form), m_prompter(prompter) {
    setObjectName(QStringLiteral("CTabOther"));
    auto* dateGroup = new QGroupBox(QString::fromUtf8("日付の初期値"), this);
    m_dateType = new QButtonGroup(this);
    auto* today = settingscontrols::radio(m_dateType, "InitDateType", 0, "今日の日付", dateGroup);
    auto* given = settingscontrols::radio(m_dateType, "InitDateType", 1, "指定した日付", dateGroup);
    m_date = new QDateEdit(dateGroup);
    m_date->setObjectName(QStringLiteral("InitDate"));
    m_date->setCalendarPopup(true);
    m_date->setDisplayFormat(QStringLiteral("yyyy/MM/dd"));
    connect(m_date, &QDateEdit::dateChanged, this, [this] { m_dateChosen = true; });
    connect(m_dateType, &QButtonGroup::idToggled, this, [this] { updateEnabled(); });
    auto* givenRow = new QHBoxLayout;
    givenRow->addWidget(given);
    givenRow->addWidget(m_date);
    givenRow->addStretch(1);
    auto* dateLayout = new QVBoxLayout(dateGroup);
    dateLayout->addWidget(today);
    dateLayout->addLayout(givenRow);

    auto* extGroup = new QGroupBox(QString::fromUtf8("HP-GL2形式の拡張子設定"), this);
    auto* extButton = new QPushButton(QString::fromUtf8("拡張子設定"), extGroup);
    extButton->setObjectName(QStringLiteral("Extensions"));
    connect(extButton, &QPushButton::clicked, this, &CTabOther::editExtensions);
    auto* extLayout = new QHBoxLayout(extGroup);
    extLayout->addWidget(extButton);
    extLayout->addStretch(1);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(dateGroup);
    layout->addWidget(extGroup);
    layout->addStretch(1);
}

void CTabOther::showValues(const EnvironmentValues& v) {
    if (QAbstractButton* radio = m_dateType->button(v.initDateType)) {
        radio->setChecked(true);
    }
    // A stored value that is no calendar date shows today's date until one is picked.
    const QDate shown = v.initDate ? QDate(v.initDate->year, v.initDate->month, v.initDate->day)
                                   : QDate::currentDate();
    m_date->setDate(shown);
    m_dateChosen = v.initDate.has_value();
    updateEnabled();
}

void CTabOther::collect(EnvironmentValues& v) const {
    v.initDateType = std::max(0, m_dateType->checkedId());
    if (m_dateChosen) {
        const QDate d = m_date->date();
        v.initDate = Date{d.year(), d.month(), d.day()};
    }
}

void CTabOther::updateEnabled() {
    EnvironmentValues v;
    collect(v);
    m_date->setEnabled(EnvironmentForm::datePickerEnabled(v));
}

void CTabOther::editExtensions() {
    CSetExtDlg dialog(m_form.extensions(), m_prompter, this);
    if (dialog.exec() == QDialog::Accepted) {
        m_form.saveExtensions(dialog.list());
    }
}
