#pragma once

#include <QDialog>

class CTabAssign;
class CTabExport;
class CTabOther;
class CTabPrev;
class EnvironmentForm;
class Prompter;
class QTabWidget;

// "環境設定" (172): the tab control (1153) with the pages "ｴｸｽﾎﾟｰﾄ", "ﾌﾟﾚﾋﾞｭｰ", "割り当て" and
// "日付・拡張子" over the form's values, OK and "ｷｬﾝｾﾙ". OK hands the values to the form; a
// refusal shows its page again with the corrected values and the focus on the control. The
// dialog opens on "ｴｸｽﾎﾟｰﾄ".
class CEnvDlg : public QDialog {
    Q_OBJECT

public:
    static constexpr int kId = 172;

    CEnvDlg(EnvironmentForm& form, Prompter& prompter, QWidget* parent = nullptr);

    QTabWidget* tabs() const { return m_tabs; }

    void accept() override;
    void reject() override;

private:
    void showValues();

    EnvironmentForm& m_form;
    QTabWidget* m_tabs = nullptr;
    CTabExport* m_export = nullptr;
    CTabPrev* m_preview = nullptr;
    CTabAssign* m_assign = nullptr;
    CTabOther* m_other = nullptr;
};
