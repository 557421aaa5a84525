#pragma once

#include "ui/app/CCorvelDlgAutoProxy.h"

#include <QLocalServer>
#include <QObject>
#include <QPointer>
#include <QString>

// The program's automation entry point: a local socket named "Corvel.Application". Each client
// connection creates one automation object, which takes the application's automation lock and
// links to the main window; disconnecting releases both. The object has no methods: any request
// is answered with an error. Closing the main window does not wait for clients.
class AutomationServer : public QObject {
    Q_OBJECT

public:
    static constexpr const char* kProgId = "Corvel.Application";

    explicit AutomationServer(const QString& folder, QObject* parent = nullptr);
    ~AutomationServer() override;

    bool listen();
    QString socketPath() const { return m_socketPath; }
    void setMainWindow(QWidget* window) { m_mainWindow = window; }
    // The main window is going away: every object loses its link.
    void clearLinks();
    int lockCount() const { return m_lockCount; }
    int objectCount() const;

private:
    void onNewConnection();

    QString m_socketPath;
    QLocalServer m_server;
    QPointer<QWidget> m_mainWindow;
    int m_lockCount = 0;
};
