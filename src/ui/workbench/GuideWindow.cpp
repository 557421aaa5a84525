#include "ui/workbench/GuideWindow.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

GuideWindow::GuideWindow(QWidget* owner)
    : QWidget(owner, Qt::Window), m_browser(new QTextBrowser(this)) {
    setWindowTitle(QStringLiteral("Delmo Solution ノミラ 操作ガイド"));
    m_browser->setOpenExternalLinks(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_browser);
    const QScreen* screen = owner ? owner->screen() : QGuiApplication::primaryScreen();
    const QSize room = screen ? screen->availableGeometry().size() * 0.8 : QSize(900, 700);
    resize(QSize(900, 760).boundedTo(room));
}

void GuideWindow::showGuide(const QString& path) {
    const QUrl url = QUrl::fromLocalFile(path);
    if (m_browser->source() != url) {
        m_browser->setSource(url);
    }
    show();
    setWindowState(windowState() & ~Qt::WindowMinimized);
    raise();
    activateWindow();
}
