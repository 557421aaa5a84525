#pragma once

#include "template/ColumnDetail.h"

#include <QDialog>

#include <array>

class DigitSpinBox;
class QComboBox;
class Prompter;

// "項目の詳細設定": digits, decimals, alignment kind and text restriction of one column. The rules
// (defaults by type, the number check, what each type offers) are columndetail's; this window
// only shows them.
class CItemDetailDlg : public QDialog {
    Q_OBJECT

public:
    CItemDetailDlg(const std::string& name, const std::string& typeName, int type,
                   const ColumnDetail& stored, Prompter& prompter, QWidget* parent = nullptr);

    // The values taken on OK.
    const ColumnDetail& detail() const { return m_detail; }

    void accept() override;

private:
    int m_type;
    ColumnDetail m_start;
    ColumnDetail m_detail;
    Prompter& m_prompter;
    DigitSpinBox* m_digits = nullptr;
    DigitSpinBox* m_decimals = nullptr;
    QComboBox* m_alignment = nullptr;
    std::array<QComboBox*, 5> m_restrictions{};
};
