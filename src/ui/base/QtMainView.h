#pragma once

#include "base/MainView.h"

#include <QPointer>
#include <QProgressBar>
#include <QStatusBar>
#include <QWidget>
#include <map>

// MainView over real widgets: each control id is registered with its widget.
class QtMainView : public MainView {
public:
    void registerControl(int id, QWidget* widget) { m_controls[id] = widget; }
    void setStatusBar(QStatusBar* bar, QProgressBar* progress);
    QWidget* control(int id) const;

    void enableControl(int id, bool enabled) override;
    void showControl(int id, bool visible) override;
    void setControlText(int id, const std::string& text) override;
    void setControlChecked(int id, bool checked) override;
    void focusControl(int id) override;
    void setDefaultButton(int id) override;
    void setStatusText(const std::string& text) override;
    void setProgressRange(int minimum, int maximum) override;
    void setProgressPos(int position) override;
    void setWaitCursor(bool waiting) override;

private:
    std::map<int, QPointer<QWidget>> m_controls;
    QPointer<QStatusBar> m_statusBar;
    QPointer<QProgressBar> m_progress;
    bool m_waiting = false;
};
