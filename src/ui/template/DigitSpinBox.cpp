#include "ui/template/DigitSpinBox.h"

#include "template/ColumnDetail.h"
#include "ui/base/QtText.h"

#include <QLineEdit>

#include <algorithm>

DigitSpinBox::DigitSpinBox(int minimum, int maximum, QWidget* parent)
    : QAbstractSpinBox(parent), m_minimum(minimum), m_maximum(maximum) {
    setCorrectionMode(QAbstractSpinBox::CorrectToPreviousValue);
    setKeyboardTracking(true);
}

QString DigitSpinBox::text() const {
    return lineEdit()->text();
}

void DigitSpinBox::setText(const QString& text) {
    lineEdit()->setText(text);
    update();
}

int DigitSpinBox::value() const {
    return columndetail::parseNumber(qttext::toCp932(text()), m_minimum, m_maximum).value_or(-1);
}

void DigitSpinBox::stepBy(int steps) {
    const int now = value();
    const int next = now < 0 ? m_minimum : std::clamp(now + steps, m_minimum, m_maximum);
    setText(QString::number(next));
    lineEdit()->selectAll();
}

QValidator::State DigitSpinBox::validate(QString& /*input*/, int& /*pos*/) const {
    return QValidator::Acceptable;
}

QAbstractSpinBox::StepEnabled DigitSpinBox::stepEnabled() const {
    if (!isEnabled() || isReadOnly()) {
        return StepNone;
    }
    const int now = value();
    if (now < 0) {
        return StepUpEnabled | StepDownEnabled;
    }
    StepEnabled enabled = StepNone;
    if (now < m_maximum) {
        enabled |= StepUpEnabled;
    }
    if (now > m_minimum) {
        enabled |= StepDownEnabled;
    }
    return enabled;
}
