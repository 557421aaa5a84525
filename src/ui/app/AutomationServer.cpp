#include "ui/app/AutomationServer.h"

#include <QDir>
#include <QLocalSocket>

AutomationServer::AutomationServer(const QString& folder, QObject* parent)
    : QObject(parent), m_socketPath(QDir(folder).filePath(kProgId)) {
    connect(&m_server, &QLocalServer::newConnection, this, &AutomationServer::onNewConnection);
}

AutomationServer::~AutomationServer() {
    m_server.close();
    qDeleteAll(findChildren<CCorvelDlgAutoProxy*>());
}

bool AutomationServer::listen() {
    QLocalServer::removeServer(m_socketPath);
    return m_server.listen(m_socketPath);
}

void AutomationServer::clearLinks() {
    m_mainWindow = nullptr;
    for (auto* proxy : findChildren<CCorvelDlgAutoProxy*>()) {
        proxy->clearLink();
    }
}

int AutomationServer::objectCount() const {
    return static_cast<int>(findChildren<CCorvelDlgAutoProxy*>().size());
}

void AutomationServer::onNewConnection() {
    while (QLocalSocket* socket = m_server.nextPendingConnection()) {
        auto* proxy = new CCorvelDlgAutoProxy(
            m_mainWindow, [this](int delta) { m_lockCount += delta; }, this);
        connect(socket, &QLocalSocket::readyRead, socket, [socket] {
            socket->readAll();
            socket->write("error: no methods\n");
        });
        connect(socket, &QLocalSocket::disconnected, proxy, &QObject::deleteLater);
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    }
}
