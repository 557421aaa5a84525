#pragma once

#include "base/MainView.h"

#include <map>
#include <string>
#include <vector>

// A MainView without a screen. It keeps the last state of every control so tests can ask for it,
// and serves the command-line companion, where nothing is shown.
class RecordingMainView : public MainView {
public:
    struct ControlState {
        bool enabled = true;
        bool visible = true;
        bool checked = false;
        std::string text;
    };

    void enableControl(int id, bool enabled) override { m_controls[id].enabled = enabled; }
    void showControl(int id, bool visible) override { m_controls[id].visible = visible; }
    void setControlText(int id, const std::string& text) override { m_controls[id].text = text; }
    void setControlChecked(int id, bool checked) override { m_controls[id].checked = checked; }
    void focusControl(int id) override { m_focus = id; }
    void setDefaultButton(int id) override { m_defaultButton = id; }
    void setStatusText(const std::string& text) override { m_statusTexts.push_back(text); }
    void setProgressRange(int minimum, int maximum) override {
        m_progressMin = minimum;
        m_progressMax = maximum;
    }
    void setProgressPos(int position) override { m_progressPositions.push_back(position); }
    void setWaitCursor(bool waiting) override { m_waitCursor = waiting; }

    ControlState control(int id) const;
    bool isEnabled(int id) const { return control(id).enabled; }
    int focus() const { return m_focus; }
    int defaultButton() const { return m_defaultButton; }
    const std::vector<std::string>& statusTexts() const { return m_statusTexts; }
    const std::vector<int>& progressPositions() const { return m_progressPositions; }
    int progressMaximum() const { return m_progressMax; }
    bool waitCursor() const { return m_waitCursor; }

private:
    std::map<int, ControlState> m_controls;
    std::vector<std::string> m_statusTexts;
    std::vector<int> m_progressPositions;
    int m_focus = 0;
    int m_defaultButton = 0;
    int m_progressMin = 0;
    int m_progressMax = 0;
    bool m_waitCursor = false;
};
