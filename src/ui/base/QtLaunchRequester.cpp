#include "ui/base/QtLaunchRequester.h"

#include "ui/base/QtPrompter.h"

#include <QMetaObject>

#include <memory>

QtLaunchRequester::QtLaunchRequester(QWidget* window) : QObject(window), m_window(window) {
}

template <class Work> void QtLaunchRequester::queue(Work&& work) {
    QMetaObject::invokeMethod(this, std::forward<Work>(work), Qt::QueuedConnection);
}

void QtLaunchRequester::setEnabled(bool enabled) {
    queue([this, enabled] {
        if (m_window) {
            m_window->setEnabled(enabled);
        }
    });
}

void QtLaunchRequester::bringToFront() {
    queue([this] {
        if (m_window) {
            m_window->raise();
            m_window->activateWindow();
        }
    });
}

void QtLaunchRequester::post(int message, std::unique_ptr<LaunchAttachment> attachment) {
    // Held in a shared owner so the queued call can be copied; a call that is never delivered
    // frees the attachment with it.
    auto held = std::make_shared<std::unique_ptr<LaunchAttachment>>(std::move(attachment));
    queue([this, message, held] {
        if (m_handler) {
            m_handler(message, std::move(*held));
        }
    });
}

void QtLaunchRequester::reportLaunchFailure() {
    queue([this] {
        QtPrompter prompter(m_window);
        prompter.tell(Msg::ApplicationLaunchFailed);
        if (m_failureHandler) {
            m_failureHandler();
        }
    });
}
