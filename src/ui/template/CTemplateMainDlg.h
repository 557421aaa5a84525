#pragma once

#include "template/TemplateList.h"
#include "ui/template/TemplateEditorEnv.h"

#include <QDialog>

class QListWidget;
class QPushButton;

// "ﾃﾝﾌﾟﾚｰﾄ編集ﾒｲﾝ": the sorted template list with add, edit, copy, delete and close.
class CTemplateMainDlg : public QDialog {
    Q_OBJECT

public:
    CTemplateMainDlg(const TemplateEditorEnv& env, const std::string& currentTemplate,
                     QWidget* parent = nullptr);

    bool currentTemplateEdited() const { return m_list.currentTemplateEdited(); }
    QListWidget* listWidget() const { return m_listWidget; }

private:
    void refill();
    void add();
    void edit();
    void copy();
    void remove();

    const TemplateEditorEnv& m_env;
    TemplateList m_list;
    QListWidget* m_listWidget = nullptr;
    QPushButton* m_edit = nullptr;
    QPushButton* m_copy = nullptr;
    QPushButton* m_delete = nullptr;
};
