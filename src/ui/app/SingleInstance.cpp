#include "ui/app/SingleInstance.h"

#include <QApplication>
#include <QDir>
#include <QLocalSocket>
#include <QStandardPaths>

namespace {
constexpr char kActivate[] = "activate\n";
// Followed by the work data file's path in UTF-8 and a line end.
constexpr char kOpen[] = "open\t";
} // namespace

SingleInstance::SingleInstance(const QString& name, const QString& folder, QObject* parent)
    : QObject(parent), m_socketPath(QDir(folder).filePath(name + ".socket")),
      m_lock(std::make_unique<QLockFile>(QDir(folder).filePath(name + ".lock"))) {
    m_lock->setStaleLockTime(0); // a lock is stale only when its process is gone
    connect(&m_server, &QLocalServer::newConnection, this, &SingleInstance::onNewConnection);
}

SingleInstance::~SingleInstance() {
    release();
}

QString SingleInstance::runtimeFolder() {
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty()) {
        folder = QDir::tempPath();
    }
    return folder;
}

SingleInstance::Result SingleInstance::acquire() {
    if (m_lock->tryLock(0)) {
        QLocalServer::removeServer(m_socketPath); // left behind by a process that died
        m_server.listen(m_socketPath);
        return Result::Acquired;
    }
    return m_lock->error() == QLockFile::LockFailedError ? Result::AlreadyRunning : Result::Failed;
}

bool SingleInstance::activateRunning(int timeoutMs) {
    return sendToRunning(kActivate, timeoutMs);
}

bool SingleInstance::openInRunning(const QString& workDataPath, int timeoutMs) {
    return sendToRunning(kOpen + workDataPath.toUtf8() + '\n', timeoutMs);
}

bool SingleInstance::sendToRunning(const QByteArray& request, int timeoutMs) {
    QLocalSocket socket;
    socket.connectToServer(m_socketPath);
    if (!socket.waitForConnected(timeoutMs)) {
        return false;
    }
    socket.write(request);
    socket.waitForBytesWritten(timeoutMs);
    socket.waitForReadyRead(timeoutMs);
    const bool answered = socket.readAll().startsWith("ok");
    socket.disconnectFromServer();
    return answered;
}

void SingleInstance::release() {
    m_server.close();
    if (m_lock->isLocked()) {
        m_lock->unlock();
    }
}

void SingleInstance::onNewConnection() {
    while (QLocalSocket* socket = m_server.nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            if (!socket->canReadLine()) {
                return;
            }
            const QByteArray line = socket->readLine();
            if (line == kActivate) {
                bringToFront();
                socket->write(m_window ? "ok\n" : "none\n");
            } else if (line.startsWith(kOpen) && line.endsWith('\n')) {
                bringToFront();
                // Only the main window waiting for input takes a file: an open dialog of its
                // own finishes first.
                const bool idle = m_window && QApplication::activeModalWidget() == m_window;
                socket->write(idle ? "ok\n" : "busy\n");
                if (idle) {
                    emit workDataOpenRequested(QString::fromUtf8(line.mid(
                        qsizetype(sizeof kOpen) - 1, line.size() - qsizetype(sizeof kOpen))));
                }
            }
        });
    }
}

void SingleInstance::bringToFront() {
    emit activationRequested();
    if (!m_window) {
        return;
    }
    if (m_window->isMinimized()) {
        m_window->showNormal();
    }
    m_window->raise();
    m_window->activateWindow();
    // An open modal dialog of this instance comes first.
    if (QWidget* modal = QApplication::activeModalWidget(); modal != nullptr && modal != m_window) {
        modal->raise();
        modal->activateWindow();
    }
}
