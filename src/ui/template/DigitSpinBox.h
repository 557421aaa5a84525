#pragma once

#include <QAbstractSpinBox>

// An edit field with up and down buttons for a whole number between a minimum and a maximum.
// The field takes any text, full-width digits included, as the detail dialog checks the number
// only on OK; the buttons and the cursor keys step from the number shown (from the minimum when
// the field holds no number) and stay within the range.
class DigitSpinBox : public QAbstractSpinBox {
    Q_OBJECT

public:
    DigitSpinBox(int minimum, int maximum, QWidget* parent = nullptr);

    QString text() const;
    void setText(const QString& text);

    void stepBy(int steps) override;
    QValidator::State validate(QString& input, int& pos) const override;

protected:
    StepEnabled stepEnabled() const override;

private:
    // The number the field holds, or -1 when it holds none within the range.
    int value() const;

    int m_minimum;
    int m_maximum;
};
