#pragma once

#include "app/ExtensionList.h"

#include <QDialog>

class Prompter;
class QLineEdit;
class QListWidget;
class QPushButton;

// "HP-GL2形式の拡張子設定" (167): the extension field with "追加" (1083), the list of HP-GL2
// extensions (1143) with "削除" (1145), OK and "ｷｬﾝｾﾙ". The checks are the list's; a refusal is
// shown and the focus goes back to the field. "追加" is disabled while the list is full, "削除"
// while it is empty.
class CSetExtDlg : public QDialog {
    Q_OBJECT

public:
    static constexpr int kId = 167;

    CSetExtDlg(ExtensionList list, Prompter& prompter, QWidget* parent = nullptr);

    const ExtensionList& list() const { return m_list; }

    void add();
    void remove();

private:
    void showList();

    ExtensionList m_list;
    Prompter& m_prompter;
    QLineEdit* m_field = nullptr;
    QListWidget* m_entries = nullptr;
    QPushButton* m_add = nullptr;
    QPushButton* m_remove = nullptr;
};
