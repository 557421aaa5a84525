#pragma once

#include <QWidget>

struct EnvironmentValues;
class EnvironmentForm;
class Prompter;
class QButtonGroup;
class QDateEdit;

// The page "日付・拡張子" (177) of the environment settings: the initial date of empty date
// cells (today or the date of the picker, which is enabled only while "指定した日付" is chosen)
// and the button that opens the HP-GL2 extension dialog.
class CTabOther : public QWidget {
    Q_OBJECT

public:
    static constexpr int kId = 177;

    CTabOther(EnvironmentForm& form, Prompter& prompter, QWidget* parent = nullptr);

    void showValues(const EnvironmentValues& v);
    void collect(EnvironmentValues& v) const;

private:
    void updateEnabled();
    void editExtensions();

    EnvironmentForm& m_form;
    Prompter& m_prompter;
    QButtonGroup* m_dateType = nullptr;
    QDateEdit* m_date = nullptr;
    // The picker's date counts only once it was shown from a stored date or changed: a stored
    // value that is no date stays as it is unless the operator picks one.
    bool m_dateChosen = false;
};
