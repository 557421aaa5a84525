#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>
#include <functional>

// The automation object: it has no methods or properties. While it exists it holds one
// automation lock of the application and a link to the main window.
class CCorvelDlgAutoProxy : public QObject {
    Q_OBJECT

public:
    CCorvelDlgAutoProxy(QWidget* mainWindow, std::function<void(int)> lockChange,
                        QObject* parent = nullptr);
    ~CCorvelDlgAutoProxy() override;

    QWidget* linkedWindow() const { return m_dialog; }
    void clearLink() { m_dialog = nullptr; }

private:
    QPointer<QWidget> m_dialog;
    std::function<void(int)> m_lockChange;
};
