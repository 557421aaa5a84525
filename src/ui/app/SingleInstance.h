#pragma once

#include <QLocalServer>
#include <QLockFile>
#include <QObject>
#include <QPointer>
#include <QWidget>
#include <memory>

// Keeps the program to one running instance per user. The first instance holds a lock file and
// answers on a local socket of the same name while its main window exists; a second instance
// finds the lock taken and asks the first to bring its window (or its open modal dialog) to the
// front.
class SingleInstance : public QObject {
    Q_OBJECT

public:
    enum class Result { Acquired, AlreadyRunning, Failed };

    // name: the instance name; folder: where the lock and the socket live (a per-user folder).
    SingleInstance(const QString& name, const QString& folder, QObject* parent = nullptr);
    ~SingleInstance() override;

    Result acquire();
    // From a second instance: asks the running one to come to the front. True when it answered.
    bool activateRunning(int timeoutMs = 2000);
    // From a second instance: hands a work data file (a local path) to the running one, which
    // comes to the front and loads it. True when it took the file.
    bool openInRunning(const QString& workDataPath, int timeoutMs = 2000);
    // The window that carries the instance marker; activation requests bring it forward.
    void setMainWindow(QWidget* window) { m_window = window; }
    void release();

    static QString runtimeFolder();

signals:
    void activationRequested();
    // A second instance handed over a work data file while the main window waits for input.
    void workDataOpenRequested(const QString& path);

private:
    void onNewConnection();
    void bringToFront();
    bool sendToRunning(const QByteArray& request, int timeoutMs);

    QString m_socketPath;
    std::unique_ptr<QLockFile> m_lock;
    QLocalServer m_server;
    QPointer<QWidget> m_window;
};
