#include "ui/app/CCorvelDlgAutoProxy.h"

CCorvelDlgAutoProxy::CCorvelDlgAutoProxy(QWidget* mainWindow, std::function<void(int)> lockChange,
                                         QObject* parent)
    : QObject(parent), m_dialog(mainWindow), m_lockChange(std::move(lockChange)) {
    m_lockChange(+1);
}

CCorvelDlgAutoProxy::~CCorvelDlgAutoProxy() {
    m_dialog = nullptr;
    m_lockChange(-1);
}
