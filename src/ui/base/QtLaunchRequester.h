#pragma once

#include "app/LaunchRequester.h"

#include <QObject>
#include <QPointer>
#include <QWidget>

#include <functional>

// A window that asks for watched launches. The launcher's worker thread calls in; every call is
// queued to the user-interface thread, where the window is enabled, disabled or raised, the
// completion message is handed to the window's handler and the launch failure is shown.
// Calls that arrive after the requester or the window is gone are dropped.
class QtLaunchRequester : public QObject, public LaunchRequester {
    Q_OBJECT
public:
    // The handler of completion messages; it owns the attachment.
    using CompletionHandler = std::function<void(int message, std::unique_ptr<LaunchAttachment>)>;

    // Lives on the window's thread, which must be the user-interface thread.
    explicit QtLaunchRequester(QWidget* window);

    void setCompletionHandler(CompletionHandler handler) { m_handler = std::move(handler); }
    // Called after the launch failure was shown.
    void setFailureHandler(std::function<void()> handler) { m_failureHandler = std::move(handler); }

    void setEnabled(bool enabled) override;
    void bringToFront() override;
    void post(int message, std::unique_ptr<LaunchAttachment> attachment) override;
    void reportLaunchFailure() override;

private:
    template <class Work> void queue(Work&& work);

    QPointer<QWidget> m_window;
    CompletionHandler m_handler;
    std::function<void()> m_failureHandler;
};
