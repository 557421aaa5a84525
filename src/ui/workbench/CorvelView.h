#pragma once

#include "ui/base/QtMainView.h"
#include "workbench/ListBoxView.h"

#include <QPointer>
#include <map>

class QAction;
class QComboBox;

// The main window's face for its logic: controls by id through QtMainView, the menu commands by
// id through their actions, and the template box's items.
class CorvelView : public MainView, public ListBoxView {
public:
    QtMainView& controls() { return m_controls; }
    void registerControl(int id, QWidget* widget) { m_controls.registerControl(id, widget); }
    void registerAction(int id, QAction* action) { m_actions[id] = action; }
    void setStatusBar(QStatusBar* bar, QProgressBar* progress) {
        m_controls.setStatusBar(bar, progress);
    }
    QWidget* control(int id) const { return m_controls.control(id); }
    // The button that Enter presses, 0 for none.
    int defaultButton() const { return m_defaultButton; }

    // MainView
    void enableControl(int id, bool enabled) override;
    void showControl(int id, bool visible) override;
    void setControlText(int id, const std::string& text) override;
    void setControlChecked(int id, bool checked) override;
    void focusControl(int id) override { m_controls.focusControl(id); }
    void setDefaultButton(int id) override;
    void setStatusText(const std::string& text) override { m_controls.setStatusText(text); }
    void setProgressRange(int minimum, int maximum) override {
        m_controls.setProgressRange(minimum, maximum);
    }
    void setProgressPos(int position) override { m_controls.setProgressPos(position); }
    void setWaitCursor(bool waiting) override { m_controls.setWaitCursor(waiting); }

    // ListBoxView
    void setListItems(int id, const std::vector<std::string>& items, int index) override;
    void setListIndex(int id, int index) override;
    int listIndex(int id) const override;

private:
    QAction* action(int id) const;
    QComboBox* combo(int id) const;

    QtMainView m_controls;
    std::map<int, QPointer<QAction>> m_actions;
    int m_defaultButton = 0;
};
