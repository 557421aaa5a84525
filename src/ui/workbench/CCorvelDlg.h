#pragma once

#include <QDialog>

struct AppContext;

// The main window.
class CCorvelDlg : public QDialog {
    Q_OBJECT

public:
    explicit CCorvelDlg(AppContext& context, QWidget* parent = nullptr);

    AppContext& context() { return m_context; }

private:
    AppContext& m_context;
};
