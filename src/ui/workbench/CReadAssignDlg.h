#pragma once

#include "workbench/SheetReadJob.h"

#include <QDialog>

#include <vector>

class QLabel;
class QTableWidget;

// The suggestions of "読取り割り当て...": one line per image with the suggested row and value,
// the score, how it was found, the paper-size check, and a check box, preset at MinScore. OK
// hands back the checked lines.
class CReadAssignDlg : public QDialog {
    Q_OBJECT

public:
    CReadAssignDlg(const std::vector<ReadSuggestion>& suggestions, const std::vector<bool>& checks,
                   QWidget* parent = nullptr);

    std::vector<bool> checks() const;

private:
    // The counts above the table: lines, lines with a suggestion, checked lines.
    void showSummary();

    QTableWidget* m_table;
    QLabel* m_summary;
    long m_found;
};
